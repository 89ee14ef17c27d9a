#include "harness.h"

#include <QFileInfo>
#include <QtTest>

using BoardGeometry::FigureSet;
using E2e::Harness;

// What the operator stored is what the board shows on the next start.
class TestE2eStore : public QObject
{
    Q_OBJECT

private slots:
    void storedStyleAndColours_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<QColor>("clockLit");
        QTest::addColumn<QColor>("figureBack");
        QTest::addColumn<QString>("shot");

        QTest::newRow("dots") << QByteArray("[PicSettings]\nLEDType=1\n") << QColor(255, 0, 0)
                              << QColor(0, 0, 0) << "dots";
        // Colours are stored as red + 256 green + 65536 blue.
        QTest::newRow("green on navy") << QByteArray("[ColorSettings]\nTimeColor=65280\nLEDBack=8388608\n")
                                       << QColor(0, 255, 0) << QColor(0, 0, 128) << "green-on-navy";
        QTest::newRow("damaged store starts on defaults")
            << QByteArray("[ColorSettings]\n\x01\x02 not a line\nTimeColor=blue\n")
            << QColor(255, 0, 0) << QColor(0, 0, 0) << "damaged";
    }
    void storedStyleAndColours()
    {
        QFETCH(QByteArray, store);
        QFETCH(QColor, clockLit);
        QFETCH(QColor, figureBack);
        QFETCH(QString, shot);

        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        QVERIFY(harness.writeSettingsFile(store));
        const E2e::WindowId window = harness.openBoard();
        QVERIFY2(window != 0, qPrintable(harness.lastError() + "\n" + harness.appLog()));

        BoardReader::BoardColours colours;
        colours.clockLit = clockLit;
        colours.figureBack = figureBack;
        colours.dotBack = figureBack;
        QString seen;
        QVERIFY2(harness.waitForText(window, FigureSet::ShotClock, QStringLiteral(" 2:00"), 10000,
                                     &seen, colours),
                 qPrintable(seen));
        QCOMPARE(harness.readText(window, FigureSet::GameClock, colours), QStringLiteral("20:00"));
        harness.saveShot(harness.grab(window), QStringLiteral("store-") + shot);
        QVERIFY(harness.isAppRunning());
    }
};

QTEST_GUILESS_MAIN(TestE2eStore)
#include "tst_e2e_store.moc"
