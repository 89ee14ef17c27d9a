#include "harness.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QtTest>

#include <memory>

using BoardGeometry::FigureSet;
using E2e::Harness;

Q_DECLARE_METATYPE(BoardGeometry::FigureSet)

// The board as it stands right after the program starts with no settings.
class TestE2eBoard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void windowHasTitleAndDesignSize();
    void shotClockReadsTwoMinutesAfterTheFirstTick();
    void gameClockReadsTwentyMinutes();
    void scoresReadZero_data();
    void scoresReadZero();
    void penaltiesAreDark_data();
    void penaltiesAreDark();

private:
    QImage grabChecked();
    void saveShots(const QString &name);

    std::unique_ptr<Harness> m_harness;
    E2e::WindowId m_window = 0;
    QElapsedTimer m_sinceWindowShown;
};

void TestE2eBoard::initTestCase()
{
    const QFileInfo binary(QStringLiteral(VANTRELL_BINARY));
    QVERIFY2(binary.isExecutable(), qPrintable(binary.filePath() + " is not built"));
    m_harness = std::make_unique<Harness>(binary.filePath());
    QVERIFY2(m_harness->startDisplay(), qPrintable(m_harness->lastError()));
    m_window = m_harness->openBoard();
    m_sinceWindowShown.start();
    QVERIFY2(m_window != 0, qPrintable(m_harness->lastError() + "\n" + m_harness->appLog()));
}

void TestE2eBoard::init()
{
    QVERIFY2(m_harness->isAppRunning(),
             qPrintable("the program has quit:\n" + m_harness->appLog()));
}

void TestE2eBoard::cleanup()
{
    if (!QTest::currentTestFailed())
        return;
    saveShots(QStringLiteral("board-%1-failed").arg(QTest::currentTestFunction()));
    qWarning().noquote() << "program output:\n" << m_harness->appLog();
}

void TestE2eBoard::cleanupTestCase()
{
    if (m_harness && m_window)
        saveShots(QStringLiteral("board-start"));
    m_harness.reset();
}

QImage TestE2eBoard::grabChecked()
{
    const QImage image = m_harness->grab(m_window);
    if (image.isNull())
        qWarning().noquote() << "no screenshot:" << m_harness->lastError();
    return image;
}

void TestE2eBoard::saveShots(const QString &name)
{
    const QImage image = m_harness->grab(m_window);
    if (image.isNull())
        return;
    const QString plain = m_harness->saveShot(image, name);
    const QString marked = m_harness->saveShot(BoardReader::annotate(image), name + "-marked");
    qInfo().noquote() << "screenshots:" << plain << marked;
}

void TestE2eBoard::windowHasTitleAndDesignSize()
{
    QCOMPARE(m_harness->windowTitle(m_window), QStringLiteral("Vantrell"));
    QCOMPARE(m_harness->windowGeometry(m_window).size(), QSize(632, 453));
    const QImage image = grabChecked();
    QCOMPARE(image.size(), QSize(632, 453));
}

// The first tick comes 100 ms after start; the deadline is generous so that a
// slow or busy machine cannot fail the test.
void TestE2eBoard::shotClockReadsTwoMinutesAfterTheFirstTick()
{
    QString seen;
    const bool shown = m_harness->waitForText(m_window, FigureSet::ShotClock,
                                              QStringLiteral(" 2:00"), 10000, &seen);
    QVERIFY2(shown, qPrintable(QStringLiteral("wanted \" 2:00\", %1 ms after the window showed: %2")
                                   .arg(m_sinceWindowShown.elapsed())
                                   .arg(seen)));
}

void TestE2eBoard::gameClockReadsTwentyMinutes()
{
    QString seen;
    QVERIFY2(m_harness->waitForText(m_window, FigureSet::GameClock, QStringLiteral("20:00"), 3000,
                                    &seen),
             qPrintable(seen));
    const BoardReader::SetReading reading = BoardReader::readSet(grabChecked(),
                                                                 FigureSet::GameClock);
    QCOMPARE(reading.digits(), QList<int>({2, 0, 0, 0}));
    QVERIFY2(reading.upperDot && reading.lowerDot, qPrintable(reading.describe()));
}

void TestE2eBoard::scoresReadZero_data()
{
    QTest::addColumn<FigureSet>("set");
    QTest::addRow("home") << FigureSet::HomeScore;
    QTest::addRow("visitor") << FigureSet::VisitorScore;
}

void TestE2eBoard::scoresReadZero()
{
    QFETCH(FigureSet, set);
    const BoardReader::SetReading reading = BoardReader::readSet(grabChecked(), set);
    // Units 0 and tens dark: a leading zero would read "00".
    QVERIFY2(reading.text() == QLatin1String(" 0"), qPrintable(reading.describe()));
}

void TestE2eBoard::penaltiesAreDark_data()
{
    QTest::addColumn<FigureSet>("set");
    for (FigureSet set : BoardGeometry::penaltySets())
        QTest::newRow(qPrintable(BoardGeometry::layout(set).label)) << set;
}

void TestE2eBoard::penaltiesAreDark()
{
    QFETCH(FigureSet, set);
    const BoardReader::SetReading reading = BoardReader::readSet(grabChecked(), set);
    QVERIFY2(reading.allBlank(), qPrintable(reading.describe()));
}

QTEST_GUILESS_MAIN(TestE2eBoard)
#include "tst_e2e_board.moc"
