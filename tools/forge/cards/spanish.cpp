#include "spanish.h"

#include "platform/textfile.h"

#include <QHash>
#include <cmath>

namespace spanish {
namespace {

bool startsWithISound(const QString &word)
{
    const QString w = word.toLower();
    // "hie"/"hia" sound /je/, /ja/ ("agua y hielo"), so they keep "y".
    if (w.startsWith(u"hie") || w.startsWith(u"hia") || w.startsWith(u"hió") || w.startsWith(u"hio"))
        return false;
    if (w.startsWith(u"i") || w.startsWith(u"í") || w.startsWith(u"hi") || w.startsWith(u"hí")) {
        // "Iowa" starts with a diphthong /jo/: keeps "y".
        if (w.size() > 1 && QStringLiteral("aeouáéóú").contains(w.at(1)))
            return false;
        return true;
    }
    return false;
}

QString groupThousands(qint64 n)
{
    QString digits = QString::number(n);
    QString out;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += QChar(0x00A0); // the RAE's space between groups, never broken
        out += digits.at(i);
    }
    return out;
}

} // namespace

QString joinList(const QStringList &items)
{
    if (items.isEmpty())
        return {};
    if (items.size() == 1)
        return items.first();
    const QString last = items.last();
    const QString head = items.mid(0, items.size() - 1).join(QStringLiteral(", "));
    return head + (startsWithISound(last) ? QStringLiteral(" e ") : QStringLiteral(" y ")) + last;
}

QString numberWord(int n, bool feminine)
{
    static const char *const words[] = {
        "cero", "uno", "dos", "tres", "cuatro", "cinco", "seis", "siete", "ocho", "nueve", "diez",
        "once", "doce", "trece", "catorce", "quince", "dieciséis", "diecisiete", "dieciocho",
        "diecinueve", "veinte"};
    if (n < 0 || n > 20)
        return formatInteger(n);
    if (n == 1)
        return feminine ? QStringLiteral("una") : QStringLiteral("uno");
    return QString::fromUtf8(words[n]);
}

QString formatInteger(qint64 n)
{
    if (n < 0)
        return u'-' + formatInteger(-n);
    if (n < 10000)
        return QString::number(n);
    return groupThousands(n);
}

QString areaPhrase(double km2)
{
    const QString unit = QStringLiteral(" kilómetros cuadrados");
    if (km2 < 1.0) {
        QString s = QString::number(km2, 'f', 2);
        s.replace(u'.', u',');
        return QStringLiteral("menos de un kilómetro cuadrado (") + s + unit + u')';
    }
    if (km2 >= 1e6) {
        const double millions = std::round(km2 / 1e5) / 10.0;
        QString s = QString::number(millions, 'f', 1);
        if (s.endsWith(QStringLiteral(".0")))
            s.chop(2);
        s.replace(u'.', u',');
        if (s == QStringLiteral("1"))
            return QStringLiteral("alrededor de un millón de kilómetros cuadrados");
        return QStringLiteral("unos ") + s + QStringLiteral(" millones de kilómetros cuadrados");
    }
    // Two or three meaningful figures are what a child can hold; the
    // sources differ among themselves in the last ones anyway.
    qint64 rounded;
    if (km2 < 1000)
        rounded = std::llround(km2);
    else if (km2 < 100000)
        rounded = std::llround(km2 / 100.0) * 100;
    else
        rounded = std::llround(km2 / 1000.0) * 1000;
    const bool exact = km2 < 1000 && std::fabs(km2 - std::round(km2)) < 1e-9;
    return (exact ? QString() : QStringLiteral("unos ")) + formatInteger(rounded) + unit;
}

QString populationPhrase(double people, const QString &noun)
{
    const bool feminine = noun.endsWith(u'a') || noun.endsWith(QStringLiteral("as"));
    const QString about = feminine ? QStringLiteral("unas ") : QStringLiteral("unos ");
    if (people >= 1e6) {
        // Millions: one decimal below ten million, whole millions above.
        const double millions = people / 1e6;
        QString s = millions < 10 ? QString::number(std::round(millions * 10) / 10, 'f', 1)
                                  : QString::number(std::llround(millions));
        if (s.endsWith(QStringLiteral(".0")))
            s.chop(2);
        s.replace(u'.', u',');
        if (s == QStringLiteral("1"))
            return QStringLiteral("alrededor de un millón de ") + noun;
        return QStringLiteral("unos ") + s + QStringLiteral(" millones de ") + noun;
    }
    // Three meaningful figures: a census counts people who move every day.
    qint64 step = 1;
    while (people / double(step) >= 1000)
        step *= 10;
    const qint64 rounded = std::llround(people / double(step)) * step;
    return (step == 1 ? QString() : about) + formatInteger(rounded) + u' ' + noun;
}

QString articleFor(const QString &noun)
{
    static const QStringList masculineInA = {
        QStringLiteral("balboa"), QStringLiteral("córdoba"), QStringLiteral("lempira"),
        QStringLiteral("kwanza"), QStringLiteral("kuanza"), QStringLiteral("kwacha"), QStringLiteral("kuacha"), QStringLiteral("taka"),
        QStringLiteral("nakfa"), QStringLiteral("tala"), QStringLiteral("idioma"),
        QStringLiteral("sistema"), QStringLiteral("dzongkha"), QStringLiteral("pastún"),
        QStringLiteral("tok pisin"), QStringLiteral("bislama"), QStringLiteral("setsuana"),
        QStringLiteral("nyanja"), QStringLiteral("chichewa"), QStringLiteral("swahili"),
        QStringLiteral("suajili"), QStringLiteral("shona"), QStringLiteral("tsonga"),
        QStringLiteral("venda"), QStringLiteral("tigriña"), QStringLiteral("kinyarwanda"),
        QStringLiteral("hiri motu"), QStringLiteral("sotho"), QStringLiteral("malaya"),
        QStringLiteral("ngultrum"), QStringLiteral("pa’anga"), QStringLiteral("paanga")};
    const QString n = noun.toLower();
    if (n.startsWith(QStringLiteral("lengua")))
        return QStringLiteral("la");
    for (const QString &m : masculineInA)
        if (n == m || n.startsWith(m + u' '))
            return QStringLiteral("el");
    const QString first = n.section(u' ', 0, 0);
    return first.endsWith(u'a') ? QStringLiteral("la") : QStringLiteral("el");
}

Noun Noun::parse(const QString &name, const QString &gender, const QString &number, const QString &article)
{
    Noun n;
    n.name = name;
    n.feminine = gender.trimmed() == QStringLiteral("f");
    n.plural = number.trimmed() == QStringLiteral("p");
    n.article = article.trimmed();
    return n;
}

QString Noun::inSentence() const
{
    return article.isEmpty() ? name : article + u' ' + name;
}

QString Noun::subject() const
{
    return capitalised(inSentence());
}

QString Noun::of() const
{
    if (article == QStringLiteral("el"))
        return QStringLiteral("del ") + name;
    return QStringLiteral("de ") + inSentence();
}

QString Noun::agree(const QString &word) const
{
    QString w = word;
    if (w.endsWith(u'o')) {
        if (feminine)
            w.back() = u'a';
    }
    if (plural)
        w += QStringLiteral("s");
    return w;
}

QString Noun::pronoun() const
{
    if (plural)
        return feminine ? QStringLiteral("las") : QStringLiteral("los");
    return feminine ? QStringLiteral("la") : QStringLiteral("lo");
}

QString joinNouns(const QList<Noun> &nouns)
{
    QStringList items;
    for (const Noun &n : nouns)
        items << n.inSentence();
    return joinList(items);
}

QString capitalised(const QString &s)
{
    if (s.isEmpty())
        return s;
    return s.at(0).toUpper() + s.mid(1);
}

QString sentence(const QString &text)
{
    return text.endsWith(u'.') ? text : text + u'.';
}

QString roundedTimes(double times)
{
    qint64 n = std::llround(times);
    if (n > 20) {
        // Two significant figures: 661 -> 660, 36 -> 36, 1234 -> 1200.
        qint64 scale = 1;
        while (n / scale >= 100)
            scale *= 10;
        n = std::llround(times / double(scale)) * scale;
    }
    return QStringLiteral("unas ") + (n <= 20 ? numberWord(static_cast<int>(n), true) : formatInteger(n))
        + QStringLiteral(" veces");
}

QString ordinal(int n)
{
    static const char *const words[] = {"", "primer", "segundo", "tercer", "cuarto", "quinto",
                                        "sexto", "séptimo", "octavo", "noveno", "décimo"};
    if (n < 1 || n > 10)
        return QString::number(n) + QStringLiteral(".º");
    return QString::fromUtf8(words[n]);
}

QByteArray toWindows1252(const QString &text, QString *bad)
{
    return textfile::encodeWindows1252(text, bad);
}

QString fromWindows1252(const QByteArray &bytes)
{
    return textfile::decodeWindows1252(bytes);
}

QByteArray cardFile(const QStringList &paragraphs, QString *bad)
{
    QStringList kept;
    for (const QString &p : paragraphs)
        if (!p.trimmed().isEmpty())
            kept << p.trimmed();
    QString text = kept.join(QStringLiteral("\n\n"));
    text.replace(u'\n', QStringLiteral("\r\n"));
    // UTF-8, which the game reads as readily as Windows-1252 and which holds
    // every name as its country writes it (Śnieżka, Łódź, !Xu).
    if (bad)
        bad->clear();
    return (text + QStringLiteral("\r\n")).toUtf8();
}

} // namespace spanish
