// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using BoardGeometry::FigureSet;
using E2e::Harness;
using E2e::WindowId;

namespace {

// A race to 2 with a break short enough to wait out.
const QByteArray RaceToTwo = R"({
    "kind": "vantrell-match-format", "version": 1,
    "name": "Race to 2, 5 s break", "shortName": "Race 2",
    "gameLength": "10:00", "halves": 1, "halftime": "0:00", "break": "0:05",
    "stopTime": true, "raceTo": 2, "mercy": 0, "switchEvery": 0,
    "timeouts": 0, "timeoutsPer": "half", "timeoutLength": "1:00",
    "overtime": "0:00", "autoStart": true, "releasePenalty": false
})";

// The board's design, in twips, as its layout places the home lamp: the
// goal frame's corner plus the lamp's centre within it.
constexpr double DesignWidth = 9480;
constexpr double DesignHeight = 6795;
constexpr QPointF HomeLampCentre(3173 + 60 + 495 / 2.0, 2160 + 120 + 255 / 2.0);
// The strip's band takes this share of the window's height at the bottom.
constexpr double BandShare = 0.12;

} // namespace

// A match played on the real board: chosen in the Match window, points
// given by the lamp, the break on the shot clock, the next point started by
// the break's end, the winner on the strip and on the sheet.
class tst_e2e_match : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_harness;

    // The board's figures sit above the strip's band.
    static QImage boardPart(const QImage &client)
    {
        return client.copy(0, 0, client.width(),
                           client.height() - int(client.height() * BandShare));
    }

    QString figures(WindowId board, FigureSet set)
    {
        return BoardReader::readText(boardPart(m_harness->grab(board)), set).trimmed();
    }

    QPoint homeLamp(WindowId board)
    {
        const QSize client = m_harness->grab(board).size();
        const double boardHeight = client.height() * (1 - BandShare);
        return QPoint(int(HomeLampCentre.x() / DesignWidth * client.width()),
                      int(HomeLampCentre.y() / DesignHeight * boardHeight));
    }

    // The strip's words as tesseract reads them off the screenshot, dark
    // on light and doubled in size, which it reads best.
    QString readStrip(WindowId board, const QString &shotName)
    {
        QImage client = m_harness->grab(board);
        const int band = int(client.height() * BandShare);
        QImage strip = client.copy(0, client.height() - band, client.width(), band)
                           .convertToFormat(QImage::Format_Grayscale8);
        strip.invertPixels();
        const QString path = m_harness->saveShot(strip.scaled(strip.size() * 2), shotName);
        QByteArray text;
        if (path.isEmpty() || !m_harness->run("tesseract", {path, "stdout", "--psm", "7"}, &text))
            return {};
        return QString::fromUtf8(text).simplified();
    }

    // Waits until the figures, read as a person would, match the pattern.
    bool waitShows(WindowId board, FigureSet set, const QString &pattern, int timeoutMs,
                   QString *seen)
    {
        const QRegularExpression wanted(QStringLiteral("^(%1)$").arg(pattern));
        return E2e::waitUntil([&] { return wanted.match(*seen = figures(board, set)).hasMatch(); },
                              timeoutMs);
    }

    bool waitForStrip(WindowId board, const QString &words, QString *seen)
    {
        return E2e::waitUntil(
            [&] {
                *seen = readStrip(board, QStringLiteral("match-strip"));
                return seen->contains(words);
            },
            5000, 200);
    }

private slots:
    void init()
    {
        m_harness = std::make_unique<Harness>(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(m_harness->startDisplay(QSize(1600, 1000)), qPrintable(m_harness->lastError()));
        QVERIFY(m_harness->startWindowManager());
    }
    void cleanup() { m_harness.reset(); }

    void aRaceToTwoPlayedByTheLamp()
    {
        QVERIFY(
            m_harness->writeSettingsFile("[TextSettings]\nHomeText=Alpha\nVisitorText=Bravo\n"));
        const QString formats = m_harness->homePath() + "/.config/Vantrell/formats";
        QVERIFY(QDir().mkpath(formats));
        QFile file(formats + "/race2.json");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(RaceToTwo) == RaceToTwo.size());
        file.close();

        const WindowId board = m_harness->openBoard();
        QVERIFY(board && m_harness->resize(board, QSize(1264, 906)));
        QVERIFY(m_harness->key(board, "F7"));
        const WindowId window = m_harness->waitForWindow("^Vantrell Match$", 5000);
        // The operator's own formats come last in the list.
        QVERIFY(window && m_harness->key(window, "End Tab Tab space"));
        QString seen;
        QVERIFY2(waitForStrip(board, "Race to 2", &seen), qPrintable(seen));
        QVERIFY2(waitShows(board, FigureSet::GameClock, "10:00", 3000, &seen), qPrintable(seen));

        // The start key starts the first point; the lamp gives it and stops
        // the game clock, and the break runs on the shot clock.
        QVERIFY(m_harness->key(board, "s"));
        QVERIFY2(waitShows(board, FigureSet::GameClock, "9:58", 4000, &seen), qPrintable(seen));
        QVERIFY(m_harness->click(board, homeLamp(board)));
        QVERIFY2(waitShows(board, FigureSet::HomeScore, "1", 3000, &seen), qPrintable(seen));
        const QString stopped = figures(board, FigureSet::GameClock);
        // The shot clock shows the break's whole seconds, counting down.
        QVERIFY2(waitShows(board, FigureSet::ShotClock, ": [1-4]", 4000, &seen), qPrintable(seen));
        QCOMPARE(figures(board, FigureSet::GameClock), stopped);
        QVERIFY2(waitForStrip(board, "Break", &seen), qPrintable(seen));

        // The break's end starts the next point: the game clock runs on.
        QVERIFY2(waitShows(board, FigureSet::ShotClock, ": 0", 5000, &seen), qPrintable(seen));
        QVERIFY(
            E2e::waitUntil([&] { return figures(board, FigureSet::GameClock) != stopped; }, 3000));
        QVERIFY2(!readStrip(board, "match-point").contains("Break"), qPrintable(seen));

        // The second point wins the race.
        QVERIFY(m_harness->click(board, homeLamp(board)));
        QVERIFY2(waitShows(board, FigureSet::HomeScore, "2", 3000, &seen), qPrintable(seen));
        QVERIFY2(waitForStrip(board, "Alpha wins 2", &seen), qPrintable(seen));
        m_harness->saveShot(m_harness->grab(board), "match-won");

        const QString sheet = m_harness->gameSheetText(board);
        QVERIFY2(sheet.contains("Raceto2,5sbreak"), qPrintable(sheet));
        QVERIFY2(sheet.contains("Alphawins2"), qPrintable(sheet));
    }
};

QTEST_GUILESS_MAIN(tst_e2e_match)
#include "tst_e2e_match.moc"
