#include "recipe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace forge {

QStringList splitWords(const QString &text)
{
    QStringList words;
    QString current;
    bool quoted = false;
    bool inWord = false;
    for (const QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if (c.isSpace() && !quoted) {
            if (inWord)
                words << current;
            current.clear();
            inWord = false;
        } else {
            current += c;
            inWord = true;
        }
    }
    if (inWord)
        words << current;
    return words;
}

namespace {

bool toNumbers(const QStringList &words, int from, int count, std::vector<double> &out)
{
    if (words.size() < from + count)
        return false;
    out.clear();
    for (int i = from; i < from + count; ++i) {
        bool ok = false;
        out.push_back(words[i].toDouble(&ok));
        if (!ok)
            return false;
    }
    return true;
}

GeoBox boxFrom(const std::vector<double> &v)
{
    return GeoBox{v[0], v[1], v[2], v[3]};
}

} // namespace

RecipeResult parseRecipe(const QByteArray &text, const QString &path)
{
    Recipe r;
    r.path = path;
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    auto fail = [&](int line, const QString &what) {
        return RecipeResult{std::nullopt, QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(what)};
    };
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        QString line = lines[i];
        const int hash = line.indexOf(u'#');
        if (hash >= 0)
            line.truncate(hash);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const int eq = line.indexOf(u'=');
        if (eq < 0)
            return fail(lineNo, QStringLiteral("expected key = value"));
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        const QStringList words = splitWords(value);
        std::vector<double> n;
        if (key == u"title") {
            r.title = value;
        } else if (key == u"picture") {
            r.picture = value;
        } else if (key == u"prompt") {
            r.prompt = value;
        } else if (key == u"size") {
            if (!toNumbers(words, 0, 2, n) || n[0] < 1 || n[1] < 1)
                return fail(lineNo, QStringLiteral("size needs width and height"));
            r.size = QSize(int(n[0]), int(n[1]));
        } else if (key == u"source") {
            if (words.size() < 2)
                return fail(lineNo, QStringLiteral("source needs a file and a layer"));
            r.source = words[0];
            r.layer = words[1];
        } else if (key == u"source-label") {
            r.sourceLabel = value;
        } else if (key == u"code-field") {
            r.codeField = value;
        } else if (key == u"name-field") {
            r.nameField = value;
        } else if (key == u"names") {
            if (words.size() < 2)
                return fail(lineNo, QStringLiteral("names needs a table and its key column"));
            r.namesTable = words[0];
            r.namesKey = words[1];
            if (words.size() > 2)
                r.namesColumn = words[2];
        } else if (key == u"projection") {
            r.projection = value;
        } else if (key == u"frame") {
            if (!toNumbers(words, 0, 4, n))
                return fail(lineNo, QStringLiteral("frame needs lon0 lat0 lon1 lat1"));
            r.frame = boxFrom(n);
        } else if (key == u"fit") {
            if (words.size() < 4 || words.size() % 2 != 0 || !toNumbers(words, 0, int(words.size()), n))
                return fail(lineNo, QStringLiteral("fit needs lon lat pairs"));
            for (size_t k = 0; k + 1 < n.size(); k += 2)
                r.fit.emplace_back(n[k], n[k + 1]);
        } else if (key == u"regions") {
            r.regions << words;
        } else if (key == u"neighbours") {
            if (words == QStringList{QStringLiteral("*")}) {
                r.allNeighbours = true;
            } else {
                r.allNeighbours = false;
                r.neighbours << words;
            }
        } else if (key == u"context") {
            if (words.size() < 2)
                return fail(lineNo, QStringLiteral("context needs a file and a layer"));
            ContextLayer c;
            c.source = words[0];
            c.layer = words[1];
            for (int k = 2; k < words.size(); ++k) {
                if (words[k] == u"exclude")
                    continue;
                c.exclude << words[k];
            }
            r.context.push_back(c);
        } else if (key == u"water") {
            if (words.size() != 2)
                return fail(lineNo, QStringLiteral("water needs a file and a layer"));
            ContextLayer c;
            c.source = words[0];
            c.layer = words[1];
            r.water = c;
        } else if (key == u"lakes") {
            if (words.size() != 2)
                return fail(lineNo, QStringLiteral("lakes needs a file and a layer"));
            ContextLayer c;
            c.source = words[0];
            c.layer = words[1];
            r.lakes = c;
        } else if (key == u"move") {
            if (words.size() != 2 && words.size() != 6)
                return fail(lineNo, QStringLiteral("move needs FROM TO [lon0 lat0 lon1 lat1]"));
            FeatureMove m{words[0], words[1], std::nullopt, {}, std::nullopt};
            if (words.size() == 6) {
                if (!toNumbers(words, 2, 4, n))
                    return fail(lineNo, QStringLiteral("move box is not numeric"));
                m.box = boxFrom(n);
            }
            r.moves.push_back(m);
        } else if (key == u"cut") {
            if (words.size() < 8 || words.size() % 2 != 0 || !toNumbers(words, 2, int(words.size()) - 2, n))
                return fail(lineNo, QStringLiteral("cut needs FROM TO and at least three lon lat pairs"));
            FeatureMove m{words[0], words[1], std::nullopt, {}, std::nullopt};
            for (size_t k = 0; k + 1 < n.size(); k += 2)
                m.cut.emplace_back(n[k], n[k + 1]);
            r.moves.push_back(m);
        } else if (key == u"cut-by") {
            if (words.size() != 4)
                return fail(lineNo, QStringLiteral("cut-by needs FROM TO file layer"));
            r.moves.push_back(FeatureMove{words[0], words[1], std::nullopt, {}, LayerRef{words[2], words[3]}});
        } else if (key == u"rename") {
            if (words.size() != 2)
                return fail(lineNo, QStringLiteral("rename needs CODE \"Name\""));
            r.renames[words[0]] = words[1];
        } else if (key == u"inset") {
            // inset = X Y W H LON0 LAT0 LON1 LAT1 | projection
            const int bar = value.indexOf(u'|');
            const QStringList nums = splitWords(bar < 0 ? value : value.left(bar));
            if (bar < 0 || !toNumbers(nums, 0, 8, n))
                return fail(lineNo, QStringLiteral("inset needs X Y W H lon0 lat0 lon1 lat1 | projection"));
            Inset in;
            in.rect = QRect(int(n[0]), int(n[1]), int(n[2]), int(n[3]));
            in.frame = GeoBox{n[4], n[5], n[6], n[7]};
            in.projection = value.mid(bar + 1).trimmed();
            r.insets.push_back(in);
        } else {
            return fail(lineNo, QStringLiteral("unknown key '%1'").arg(key));
        }
    }
    if (r.title.isEmpty() || r.picture.isEmpty() || r.source.isEmpty() || r.projection.isEmpty()
        || r.namesTable.isEmpty() || r.regions.isEmpty())
        return fail(lines.size(), QStringLiteral("title, picture, source, names, projection and regions are required"));
    if (r.sourceLabel.isEmpty())
        r.sourceLabel = r.source;
    return RecipeResult{r, QString()};
}

RecipeResult loadRecipe(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return RecipeResult{std::nullopt, QStringLiteral("%1: cannot read").arg(path)};
    return parseRecipe(f.readAll(), path);
}

} // namespace forge

QString forge::Recipe::sourceFile(const QString &root, const QString &file) const
{
    if (QDir::isAbsolutePath(file))
        return file;
    if (file.startsWith(QStringLiteral("./")))
        return QFileInfo(path).dir().filePath(file.mid(2));
    return QDir(root).filePath(file);
}
