// The card's picture reacts to a click: a press and a release over it.
#include "controls/clickableimage.h"

#include <QSignalSpy>
#include <QTest>

class TestClickableImage : public QObject {
    Q_OBJECT
private slots:
    void clicks_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<int>("clicks");
        QTest::newRow("press and release over it") << true << int(Qt::LeftButton) << QPoint(5, 5) << 1;
        QTest::newRow("released off the image") << true << int(Qt::LeftButton) << QPoint(50, 5) << 0;
        QTest::newRow("right button") << true << int(Qt::RightButton) << QPoint(5, 5) << 0;
        QTest::newRow("no picture") << false << int(Qt::LeftButton) << QPoint(5, 5) << 0;
    }
    void clicks()
    {
        QFETCH(bool, picture);
        QFETCH(int, button);
        QFETCH(QPoint, releaseAt);
        QFETCH(int, clicks);
        ClickableImage image;
        if (picture) {
            QPixmap pixmap(20, 10);
            pixmap.fill(Qt::red);
            image.setPicture(pixmap);
        }
        image.resize(20, 10);
        image.show();
        QSignalSpy spy(&image, &ClickableImage::clicked);
        QTest::mousePress(&image, Qt::MouseButton(button), {}, QPoint(5, 5));
        QCOMPARE(spy.count(), 0); // a press alone opens nothing
        QTest::mouseRelease(&image, Qt::MouseButton(button), {}, releaseAt);
        QCOMPARE(spy.count(), clicks);
    }
};

QTEST_MAIN(TestClickableImage)
#include "tst_clickableimage.moc"
