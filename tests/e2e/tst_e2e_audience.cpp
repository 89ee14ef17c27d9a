// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QtTest>

using BoardGeometry::FigureSet;
using E2e::Harness;
using E2e::WindowId;

namespace {

const QString AudienceTitle = QStringLiteral("^Vantrell audience display$");
const QRect Laptop(0, 0, 1600, 1080);
const QRect Projector(1600, 0, 1920, 1080);

} // namespace

// The audience display on a projector beside the operator's laptop, as one
// wide screen split into two monitors: it shows what the board shows, the
// keys stay with the board, and it follows its monitor out and back.
class tst_e2e_audience : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_harness;

    bool plug(const QString &name, const QRect &place)
    {
        const QString geometry = QString::asprintf("%d/300x%d/200+%d+%d", place.width(),
                                                   place.height(), place.x(), place.y());
        const QString output = name == QLatin1String("LAPTOP") ? "screen" : "none";
        return m_harness->run("xrandr", {"--setmonitor", name, geometry, output});
    }
    bool unplug(const QString &name) { return m_harness->run("xrandr", {"--delmonitor", name}); }
    // Keys to whichever window has the keyboard, as a keyboard types them.
    bool type(const QString &keysyms)
    {
        return m_harness->runXdotool(QStringList{"key", "--delay", "40"} + keysyms.split(' '));
    }
    WindowId activeWindow()
    {
        QByteArray output;
        m_harness->runXdotool({"getactivewindow"}, &output);
        return output.trimmed().toULongLong();
    }
    WindowId audienceOn(const QRect &place)
    {
        WindowId shown = 0;
        E2e::waitUntil(
            [&] {
                const QList<WindowId> windows = m_harness->visibleWindows(AudienceTitle);
                shown = windows.size() == 1 ? windows.front() : 0;
                return shown && m_harness->windowGeometry(shown) == place;
            },
            5000);
        return shown;
    }

private slots:
    void init()
    {
        m_harness = std::make_unique<Harness>(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(m_harness->startDisplay(QSize(3520, 1080)), qPrintable(m_harness->lastError()));
        QVERIFY(m_harness->startWindowManager());
        QVERIFY(plug("LAPTOP", Laptop) && plug("PROJ", Projector));
    }
    void cleanup() { m_harness.reset(); }

    void showsTheBoardsFiguresInTheSameTick()
    {
        const WindowId board = m_harness->openBoard();
        QVERIFY(board);
        QVERIFY(type("F5"));
        const WindowId audience = audienceOn(Projector);
        QVERIFY2(audience, "F5 puts the display on the monitor without the board");
        QCOMPARE(activeWindow(), board);
        // Game clock 10:00, scores 3 and 1, home penalty 1:30; every clock
        // runs.
        QVERIFY(type("1 0 period 0 0 Return Tab 3 Return Tab 1 Return Tab Tab Tab 1 period 3 0 "
                     "Return i z s"));
        QVERIFY(m_harness->waitForText(board, FigureSet::HomeScore, " 3", 3000));

        QStringList moments;
        for (int moment = 0; moment < 12; ++moment) {
            QString shown, seen;
            // A grab may fall between the two windows' repaints of one tick:
            // a second look settles it, where a lagging display stays apart.
            for (int look = 0; look < 2 && (shown.isEmpty() || shown != seen); ++look) {
                const QImage screen = m_harness->grabScreen();
                shown = BoardReader::readAll(screen.copy(m_harness->clientOnScreen(board)));
                seen = BoardReader::readAll(screen.copy(Projector));
            }
            QCOMPARE(seen, shown);
            moments.append(shown);
            QTest::qWait(230);
        }
        QVERIFY2(moments.front().contains("| 3| 1|1:"), qPrintable(moments.front()));
        QVERIFY2(moments.back().startsWith(" 9:5"), qPrintable(moments.back()));

        // The game goes on behind a modal dialog, and so does the display.
        QVERIFY(type("F2") && m_harness->waitForWindow("^Options$"));
        const QString before = m_harness->readText(audience, FigureSet::GameClock);
        QVERIFY(E2e::waitUntil(
            [&] { return m_harness->readText(audience, FigureSet::GameClock) != before; }, 3000));
        QVERIFY(type("Escape"));
    }

    // Closing the board keeps the display's monitor for the next start; a
    // dialog open while the monitor comes and goes hands the keyboard back
    // to the board.
    void comesBackAtStartAndWithItsMonitor()
    {
        WindowId board = m_harness->openBoard();
        QVERIFY(board && type("F5") && audienceOn(Projector));
        QVERIFY(m_harness->requestClose(board) && m_harness->waitForAppExit(10000));
        board = m_harness->openBoard();
        QVERIFY(board);
        QVERIFY2(audienceOn(Projector), "opens on the monitor it had");
        QVERIFY(type("F2") && m_harness->waitForWindow("^Options$"));
        QVERIFY(unplug("PROJ"));
        QVERIFY(m_harness->waitForWindowGone(AudienceTitle));
        QVERIFY(!m_harness->visibleWindows("^Vantrell$").isEmpty());
        QVERIFY(plug("PROJ", Projector));
        QVERIFY(audienceOn(Projector));
        QVERIFY(type("Escape"));
        QVERIFY(E2e::waitUntil([&] { return activeWindow() == board; }, 3000));
    }

    // On the only monitor it covers the board; the operator's windows open
    // above it and take the keyboard, and F5 takes it away.
    void withOneMonitorTheOperatorsWindowsOpenAbove()
    {
        QVERIFY(unplug("PROJ") && unplug("LAPTOP"));
        const WindowId board = m_harness->openBoard();
        QVERIFY(board);
        QVERIFY(type("F5"));
        QVERIFY(audienceOn(QRect(0, 0, 3520, 1080)));
        QVERIFY2(E2e::waitUntil([&] { return m_harness->visibleWindows("^Vantrell$").size() == 2; },
                                3000),
                 "a notice says F5 turns it off");
        QVERIFY(type("F2"));
        const WindowId options = m_harness->waitForWindow("^Options$");
        QVERIFY(options);
        QVERIFY(E2e::waitUntil([&] { return activeWindow() == options; }, 3000));
        const QRect place = m_harness->clientOnScreen(options);
        const QImage screen = m_harness->grabScreen();
        m_harness->saveShot(screen, "audience-one-monitor-options");
        QCOMPARE(screen.copy(place), m_harness->grab(options));
        QVERIFY(type("Escape F5"));
        QVERIFY(m_harness->waitForWindowGone(AudienceTitle));
        QCOMPARE(m_harness->setting("DisplaySettings/AudienceScreen").toString(), QString());
    }
};

QTEST_GUILESS_MAIN(tst_e2e_audience)
#include "tst_e2e_audience.moc"
