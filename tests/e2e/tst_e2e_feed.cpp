// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"
#include "sevensegmentreader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QtTest>

using BoardGeometry::FigureSet;
using E2e::Harness;
using E2e::WindowId;

namespace {

const QSize PageSize(1280, 720);

struct OverlaySet
{
    const char *shows;
    FigureSet onBoard;
    QColor lit;
};

const BoardReader::BoardColours Colours;
const OverlaySet OverlaySets[] = {
    {"gameClock", FigureSet::GameClock, Colours.clockLit},
    {"shotClock", FigureSet::ShotClock, Colours.clockLit},
    {"home.score", FigureSet::HomeScore, Colours.scoreLit},
    {"visitor.score", FigureSet::VisitorScore, Colours.scoreLit},
    {"home.penalty.0", FigureSet::HomePenalty1, Colours.clockLit},
};

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// The figures alone, as the overlay shows them: no colon.
QString figuresOf(QString text)
{
    return text.remove(QRegularExpression("[:.']"));
}

double seconds(const QString &clock)
{
    const QStringList parts = clock.trimmed().split(':');
    return parts.size() == 2 ? parts[0].toInt() * 60 + parts[1].toInt() : -1;
}

} // namespace

// The live feed's pages in a real browser while the real program runs a
// game: what they show is what the board shows.
class tst_e2e_feed : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_harness;
    QTemporaryDir m_browserHome;
    quint16 m_port = 0;

    // Chromium draws the page with its scripts run for three seconds of
    // its own time; it prints the DOM or writes a picture.
    QByteArray browse(const QString &page, const QStringList &what)
    {
        QProcess browser;
        browser.setProgram(QStandardPaths::findExecutable("chromium"));
        browser.setArguments(
            QStringList{
                "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--user-data-dir=" + m_browserHome.filePath("profile"),
                QStringLiteral("--window-size=%1,%2").arg(PageSize.width()).arg(PageSize.height()),
                "--hide-scrollbars", "--virtual-time-budget=3000"} +
            what + QStringList{QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(page)});
        browser.setWorkingDirectory(m_browserHome.path());
        browser.start();
        if (!browser.waitForFinished(60000))
            browser.kill();
        return browser.readAllStandardOutput();
    }
    QImage shot(const QString &page)
    {
        const QString file = m_browserHome.filePath(page + ".png");
        QFile::remove(file);
        browse(page, {"--screenshot=" + file});
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }
    // Where the overlay drew each figure, as it says on its canvas.
    QJsonArray overlayFigures()
    {
        const QByteArray dom = browse("overlay", {"--dump-dom"});
        const QRegularExpressionMatch found =
            QRegularExpression("data-figures=\"([^\"]*)\"").match(QString::fromUtf8(dom));
        QString json = found.captured(1);
        json.replace("&quot;", "\"").replace("&amp;", "&");
        return QJsonDocument::fromJson(json.toUtf8()).array();
    }
    QString overlayText(const QImage &page, const QJsonArray &figures, const OverlaySet &set)
    {
        QString text;
        for (const QJsonValue &value : figures) {
            const QJsonObject figure = value.toObject();
            if (figure["shows"].toString() != QLatin1String(set.shows))
                continue;
            const QRect place(figure["x"].toInt(), figure["y"].toInt(), figure["w"].toInt(),
                              figure["h"].toInt());
            const int digit = SevenSegment::readFigure(page, place, set.lit, Colours.figureBack);
            text += digit == SevenSegment::BlankDigit ? QChar(' ')
                : digit < 0                           ? QChar('?')
                                                      : QChar('0' + digit);
        }
        return text;
    }

private slots:
    // The pages run only in a browser: without one they would go untested
    // while the suite passed.
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable("chromium").isEmpty(),
                 "No chromium on PATH: the live feed's pages are tested in it. Install the "
                 "package chromium (bash scripts/setup.sh --tests does where the distribution "
                 "has one).");
    }
    void init()
    {
        m_harness = std::make_unique<Harness>(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(m_harness->startDisplay(QSize(1600, 1000)), qPrintable(m_harness->lastError()));
        QVERIFY(m_harness->startWindowManager());
        m_port = freePort();
        QVERIFY(m_harness->writeSettingsFile(
            QStringLiteral("[DisplaySettings]\nFeedOn=Yes\nFeedPort=%1\n").arg(m_port).toUtf8()));
    }
    void cleanup() { m_harness.reset(); }

    void pagesShowWhatTheBoardShows()
    {
        const WindowId board = m_harness->openBoard();
        QVERIFY(board);
        // Game clock 15:00, scores 3 and 1, home penalty 1:30; stopped.
        QVERIFY(m_harness->key(board,
                               "1 5 period 0 0 Return Tab 3 Return Tab 1 Return Tab Tab "
                               "Tab 1 period 3 0 Return"));
        QVERIFY(m_harness->waitForText(board, FigureSet::HomePenalty1, "1:30", 3000));
        const QString shown = BoardReader::readAll(m_harness->grab(board));

        const QImage page = shot("board");
        QCOMPARE(page.size(), PageSize);
        m_harness->saveShot(page, "feed-board");
        QCOMPARE(BoardReader::readAll(page), shown);

        const QJsonArray figures = overlayFigures();
        const QImage overlay = shot("overlay");
        m_harness->saveShot(overlay, "feed-overlay");
        for (const OverlaySet &set : OverlaySets)
            QCOMPARE(overlayText(overlay, figures, set),
                     figuresOf(m_harness->readText(board, set.onBoard)));

        // Running, each page is at most a second from the board.
        QVERIFY(m_harness->key(board, "s"));
        QVERIFY(E2e::waitUntil(
            [&] { return m_harness->readText(board, FigureSet::GameClock) != "15:00"; }, 3000));
        for (const char *page : {"board", "overlay"}) {
            const double before = seconds(m_harness->readText(board, FigureSet::GameClock));
            const QImage shown = shot(page);
            const double onPage =
                seconds(*page == 'b' ? BoardReader::readText(shown, FigureSet::GameClock)
                                     : overlayText(shown, figures, OverlaySets[0]).insert(2, ':'));
            const double after = seconds(m_harness->readText(board, FigureSet::GameClock));
            QVERIFY2(onPage <= before + 1 && onPage >= after - 1,
                     qPrintable(QString::asprintf("%g .. %g on the board, %g on the %s", before,
                                                  after, onPage, page)));
        }
        // With no event open the schedule page says so in its list, not only
        // in its script.
        QVERIFY(browse("schedule", {"--dump-dom"})
                    .contains("<li class=\"none\">No event is open on this scoreboard.</li>"));
    }
};

QTEST_GUILESS_MAIN(tst_e2e_feed)
#include "tst_e2e_feed.moc"
