// A card text of any length shows at once: long texts are cut with a mark,
// long runs without spaces can wrap.
#include "infocard/cardtext.h"

#include <QTest>

class TestCardText : public QObject {
    Q_OBJECT
private slots:
    void ordinaryTextsAreUntouched_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("card") << QStringLiteral("Capital: Lima.\r\nPoblación: 34 millones.");
        QTest::newRow("at the bound") << QString(cardtext::kMaxCharacters, u' ');
        QTest::newRow("longest whole run") << QString(cardtext::kMaxRun, u'a');
    }
    void ordinaryTextsAreUntouched()
    {
        QFETCH(QString, text);
        QCOMPARE(cardtext::bounded(text), text);
    }

    void longTextsAreCutWithTheMark_data()
    {
        QTest::addColumn<qsizetype>("length");
        QTest::newRow("one over") << cardtext::kMaxCharacters + 1;
        QTest::newRow("256 K") << qsizetype(256 * 1024);
        QTest::newRow("4 M") << qsizetype(4 * 1024 * 1024);
    }
    void longTextsAreCutWithTheMark()
    {
        QFETCH(qsizetype, length);
        QString text(length, u' ');
        text[0] = u'A';
        const QString shown = cardtext::bounded(text);
        QCOMPARE(shown.size(), cardtext::kMaxCharacters);
        QVERIFY(shown.startsWith(u'A'));
        QVERIFY(shown.endsWith(cardtext::cutMark()));
    }

    void longRunsCanWrap()
    {
        const QString run(5 * 1024 * 1024, u'x');
        const QString shown = cardtext::bounded(run);
        QVERIFY(shown.endsWith(cardtext::cutMark()));
        const QString body = shown.left(shown.size() - cardtext::cutMark().size());
        for (const QString &piece : body.split(QChar(0x200B)))
            QVERIFY(piece.size() <= cardtext::kMaxRun);
        QCOMPARE(QString(body).remove(QChar(0x200B)), QString(body.size() - body.count(QChar(0x200B)), u'x'));
    }

    void aCutNeverSplitsACharacter()
    {
        // Emoji are two UTF-16 units; whatever the parity, no half is left.
        for (const QString &prefix : {QString(), QStringLiteral("a")}) {
            QString text = prefix;
            while (text.size() <= cardtext::kMaxCharacters)
                text += QStringLiteral("🌍 ");
            const QString shown = cardtext::bounded(text);
            const QString body = shown.left(shown.size() - cardtext::cutMark().size());
            QVERIFY(!body.back().isHighSurrogate());
        }
    }
};

QTEST_GUILESS_MAIN(TestCardText)
#include "tst_cardtext.moc"
