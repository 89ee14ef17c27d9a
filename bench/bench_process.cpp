// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on its own X server: CPU time per minute of play at three
// window sizes, start-up times, resident memory over a long run, and what an
// audience display on a second monitor adds to the CPU time and memory.

#include "processbench.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <poll.h>
#include <unistd.h>
#include <vector>

using namespace ProcessBench;

namespace {

void row(const QString &what, const QString &conditions, const QString &figure,
         const QString &target)
{
    QTextStream out(stdout);
    out << "| " << what << " | " << conditions << " | " << figure << " | " << target << " |\n";
    out.flush();
}

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// ---------------------------------------------------------------- CPU

struct CpuFigure
{
    double appPercent = 0;
    double appScheduledPercent = 0;
    double serverPercent = 0;
    QString shownBefore;
    QString shownAfter;
};

CpuFigure measureCpu(Session &session, int seconds)
{
    const qint64 server = childNamed("Xvfb");
    const double tick = double(sysconf(_SC_CLK_TCK));
    CpuFigure figure;
    figure.shownBefore = session.read(FigureSet::GameClock);
    const qint64 app0 = cpuTicks(session.pid());
    const qint64 appNs0 = runNs(session.pid());
    const qint64 server0 = cpuTicks(server);
    QElapsedTimer wall;
    wall.start();
    QThread::msleep(quint64(seconds) * 1000);
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    figure.appPercent = double(cpuTicks(session.pid()) - app0) / tick / elapsed * 100;
    figure.appScheduledPercent = double(runNs(session.pid()) - appNs0) / 1e9 / elapsed * 100;
    figure.serverPercent = double(cpuTicks(server) - server0) / tick / elapsed * 100;
    figure.shownAfter = session.read(FigureSet::GameClock);
    return figure;
}

void reportCpu(const QSize &size, const QString &play, int seconds, const CpuFigure &f,
               const QString &target)
{
    row(QStringLiteral("CPU of the program"),
        QStringLiteral("%1x%2, %3, %4 s measured, Xvfb")
            .arg(size.width())
            .arg(size.height())
            .arg(play)
            .arg(seconds),
        QStringLiteral("%1 % of one core = %2 s CPU per minute of play (utime+stime); %3 % by "
                       "schedstat; Xvfb %4 % (game clock read %5 then %6)")
            .arg(number(f.appPercent, 3), number(f.appPercent * 0.6, 3),
                 number(f.appScheduledPercent, 3), number(f.serverPercent, 3), f.shownBefore,
                 f.shownAfter),
        target);
}

// Each play on a board of its own, started afresh: what one play leaves
// running is no part of the next.
struct CpuPlay
{
    const char *key;
    const char *name;
    void (*setUp)(Session &);
    // The shot clock runs out at 2:00, which no play measures past.
    int longestSeconds;
    const char *fullHdTarget;
};

const CpuPlay CpuPlays[] = {
    {"stopped", "all clocks stopped", [](Session &) {}, 0, "< 0.1 %"},
    {"game-shot", "game and shot clocks running, game 20:00 down",
     [](Session &s) { s.keys(QStringLiteral("z s")); }, 110, "-"},
    {"all", "8 clocks running, game 20:00 down", [](Session &s) { s.startAllClocks(); }, 110,
     "< 1 %"},
    {"tenths", "8 clocks running, game 59.9 down (tenths)",
     [](Session &s) {
         s.typeGameTime(QStringLiteral("0 period 5 9 9"));
         s.startAllClocks();
     },
     55, "< 1 %"},
};

const QStringList DefaultPlays = {QStringLiteral("stopped"), QStringLiteral("all"),
                                  QStringLiteral("tenths")};
const QList<QSize> DefaultSizes = {QSize(640, 480), QSize(1920, 1080), QSize(3840, 2160)};

void benchCpu(Session &session, int seconds, const QList<QSize> &sizes, const QStringList &plays)
{
    for (const QSize size : sizes) {
        const bool fullHd = size == QSize(1920, 1080);
        for (const CpuPlay &play : CpuPlays) {
            if (!plays.contains(QLatin1String(play.key)) || !session.openBoard(size))
                continue;
            play.setUp(session);
            QThread::sleep(3);
            const int measured =
                play.longestSeconds > 0 ? qMin(seconds, play.longestSeconds) : seconds;
            reportCpu(size, QString::fromUtf8(play.name), measured, measureCpu(session, measured),
                      fullHd ? QString::fromUtf8(play.fullHdTarget) : QStringLiteral("-"));
        }
    }
    session.harness().stopApp();
}

// ---------------------------------------------------------------- start-up

int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0;
}

class ScreenWatch
{
public:
    explicit ScreenWatch(const QString &display)
        : m_display(XOpenDisplay(qPrintable(display)))
    {
        if (!m_display)
            return;
        XSetErrorHandler(ignoreXErrors);
        XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
        XSync(m_display, False);
    }
    ~ScreenWatch()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool isOpen() const { return m_display != nullptr; }

    // The next window mapped with this title.
    Window waitMapped(const char *title, int timeoutMs)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < timeoutMs) {
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                if (event.type == MapNotify && hasTitle(event.xmap.window, title))
                    return event.xmap.window;
            }
            pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
            poll(&fd, 1, 5);
        }
        return 0;
    }

    // Until most of the window shows something other than the black and
    // white of the bare X root beneath it: its first paint has arrived.
    bool waitPainted(Window window, int timeoutMs)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < timeoutMs) {
            if (painted(window))
                return true;
            QThread::usleep(500);
        }
        return false;
    }

    QPoint centreTop(Window window)
    {
        XWindowAttributes attributes{};
        XGetWindowAttributes(m_display, window, &attributes);
        return {attributes.x + attributes.width / 2, attributes.y + attributes.height / 4};
    }

    void click(const QPoint &at)
    {
        XTestFakeMotionEvent(m_display, -1, at.x(), at.y(), 0);
        XTestFakeButtonEvent(m_display, 1, True, 0);
        XTestFakeButtonEvent(m_display, 1, False, 0);
        XSync(m_display, False);
    }

private:
    bool hasTitle(Window window, const char *title)
    {
        char *name = nullptr;
        const bool same = XFetchName(m_display, window, &name) && name && qstrcmp(name, title) == 0;
        if (name)
            XFree(name);
        return same;
    }

    bool painted(Window window)
    {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(m_display, window, &attributes) ||
            attributes.map_state != IsViewable)
            return false;
        XImage *image = XGetImage(m_display, window, 0, 0, uint(attributes.width),
                                  uint(attributes.height), AllPlanes, ZPixmap);
        if (!image)
            return false;
        qint64 coloured = 0;
        qint64 total = 0;
        for (int y = 0; y < image->height; y += 3) {
            for (int x = 0; x < image->width; x += 3) {
                const unsigned long pixel = XGetPixel(image, x, y) & 0xffffff;
                coloured += pixel != 0 && pixel != 0xffffff;
                ++total;
            }
        }
        XDestroyImage(image);
        return total > 0 && coloured * 2 > total;
    }

    Display *m_display = nullptr;
};

void benchStartup(Session &session, int runs)
{
    std::vector<double> splashMapped, splashPainted, boardMapped, boardPainted;
    for (int run = 0; run < runs; ++run) {
        session.harness().stopApp();
        ScreenWatch watch(session.harness().display());
        if (!watch.isOpen())
            return note(QStringLiteral("no X connection"));
        QElapsedTimer clock;
        clock.start();
        if (!session.harness().startApp())
            return note(session.harness().lastError());
        const Window splash = watch.waitMapped("Welcome to Vantrell", 15000);
        const double mapped = double(clock.nsecsElapsed()) / 1e6;
        if (!splash || !watch.waitPainted(splash, 15000))
            return note(QStringLiteral("no splash"));
        const double painted = double(clock.nsecsElapsed()) / 1e6;
        QThread::msleep(300);
        const QPoint at = watch.centreTop(splash);
        watch.click(at);
        clock.restart();
        const Window board = watch.waitMapped("Vantrell", 15000);
        const double shown = double(clock.nsecsElapsed()) / 1e6;
        if (!board || !watch.waitPainted(board, 15000))
            return note(QStringLiteral("no board"));
        boardPainted.push_back(double(clock.nsecsElapsed()) / 1e6);
        splashMapped.push_back(mapped);
        splashPainted.push_back(painted);
        boardMapped.push_back(shown);
    }
    session.harness().stopApp();
    const auto spread = [](const std::vector<double> &values) {
        return QStringLiteral("median %1 ms (min %2, max %3)")
            .arg(number(median(values), 1),
                 number(*std::min_element(values.begin(), values.end()), 1),
                 number(*std::max_element(values.begin(), values.end()), 1));
    };
    const QString conditions = QStringLiteral("%1 runs, Xvfb, 632x453 board").arg(runs);
    row(QStringLiteral("Start-up: process start to splash mapped"), conditions,
        spread(splashMapped), QStringLiteral("-"));
    row(QStringLiteral("Start-up: process start to splash painted"), conditions,
        spread(splashPainted), QStringLiteral("< 300 ms"));
    row(QStringLiteral("Start-up: splash click to board mapped"), conditions, spread(boardMapped),
        QStringLiteral("-"));
    row(QStringLiteral("Start-up: splash click to board painted"), conditions, spread(boardPainted),
        QStringLiteral("< 300 ms"));
}

// ---------------------------------------------------------------- memory

void benchMemory(Session &session, int minutes)
{
    const QSize size(1920, 1080);
    if (!session.openBoard(size))
        return;
    session.startAllClocks();
    std::vector<qint64> samples{statusKb(session.pid(), "VmRSS")};
    QElapsedTimer clock;
    clock.start();
    qint64 nextShotReload = 100'000;
    for (int minute = 1; minute <= minutes; ++minute) {
        while (clock.elapsed() < minute * 60'000LL) {
            QThread::msleep(250);
            // Reloading the shot clock before it runs out keeps all eight
            // running: reset, start it, and restart the game and penalties.
            if (clock.elapsed() >= nextShotReload) {
                session.keys(QStringLiteral("x z s s"));
                nextShotReload += 100'000;
            }
        }
        samples.push_back(statusKb(session.pid(), "VmRSS"));
        note(QStringLiteral("minute %1: VmRSS %2 kB, game clock %3")
                 .arg(minute)
                 .arg(samples.back())
                 .arg(session.read(FigureSet::GameClock)));
    }
    const qint64 peak = statusKb(session.pid(), "VmHWM");
    const QString game = session.read(FigureSet::GameClock);
    session.harness().stopApp();
    QStringList listed;
    for (const qint64 kb : samples)
        listed << QString::number(kb);
    const qint64 growth = samples.back() - samples[std::min<size_t>(1, samples.size() - 1)];
    row(QStringLiteral("Resident memory (VmRSS)"),
        QStringLiteral("1920x1080, 8 clocks running, %1 min, Xvfb").arg(minutes),
        QStringLiteral("%1 MB at the end, peak %2 MB; growth from minute 1 to %3: %4 kB; "
                       "kB each minute from the start: %5; game clock read %6 at the end")
            .arg(number(double(samples.back()) / 1024, 1), number(double(peak) / 1024, 1))
            .arg(minutes)
            .arg(growth)
            .arg(listed.join(QLatin1Char(' ')), game),
        QStringLiteral("< 80 MB, no growth"));
}

// ---------------------------------------------------------------- audience

// The operator's laptop and a projector beside it, as one wide X screen that
// RandR splits into two monitors; Qt reports each as a screen of its own.
const QSize TwoMonitorScreen(3520, 1080);
const QRect ProjectorGeometry(1600, 0, 1920, 1080);
const QStringList MonitorSplits[] = {
    {QStringLiteral("--setmonitor"), QStringLiteral("LAPTOP"),
     QStringLiteral("1600/340x1000/190+0+0"), QStringLiteral("screen")},
    {QStringLiteral("--setmonitor"), QStringLiteral("PROJ"),
     QStringLiteral("1920/510x1080/290+1600+0"), QStringLiteral("none")},
};
const QString AudienceTitle = QStringLiteral("^Vantrell audience display$");
const QByteArray AudienceOnProjector = "[DisplaySettings]\nAudienceScreen=PROJ\n";

struct AudienceRun
{
    bool measured = false;
    QString setup; // the windows as the X server had them
    CpuFigure cpu;
    qint64 rssKb = -1;
    qint64 peakKb = -1;
    QString audienceBefore;
    QString audienceAfter;
};

bool splitScreen(Harness &harness)
{
    for (const QStringList &arguments : MonitorSplits) {
        if (!harness.run(QStringLiteral("xrandr"), arguments)) {
            note(QStringLiteral("splitting the screen failed: %1").arg(harness.lastError()));
            return false;
        }
    }
    return true;
}

QString describeGeometry(const QRect &rect)
{
    return QStringLiteral("%1x%2 at %3,%4")
        .arg(rect.width())
        .arg(rect.height())
        .arg(rect.x())
        .arg(rect.y());
}

// Waits for the audience display and checks it covers the projector alone;
// the figures of a display elsewhere, or of none, measure something else.
WindowId awaitAudience(Harness &harness, QString *seen)
{
    const WindowId window = harness.waitForWindow(AudienceTitle, 15000);
    if (window == 0) {
        *seen = QStringLiteral("no audience display");
        note(QStringLiteral("the audience display is not visible"));
        return 0;
    }
    const QRect geometry = harness.windowGeometry(window);
    *seen = QStringLiteral("audience display %1").arg(describeGeometry(geometry));
    if (geometry != ProjectorGeometry)
        note(QStringLiteral("the audience display is %1, not %2")
                 .arg(describeGeometry(geometry), describeGeometry(ProjectorGeometry)));
    return window;
}

void checkNoAudience(Harness &harness, QString *seen)
{
    *seen = QStringLiteral("no audience display");
    if (!harness.visibleWindows(AudienceTitle).isEmpty()) {
        *seen = QStringLiteral("an audience display showed all the same");
        note(QStringLiteral("an audience display is visible with none chosen"));
    }
}

// A fresh program, X server and store for each run, so the "off" run finds
// no trace of the "on" one: no stored monitor and no journal to resume.
AudienceRun playAudienceRun(const QString &binary, bool audienceOn, int seconds)
{
    AudienceRun run;
    Session session(binary);
    Harness &harness = session.harness();
    if (!session.startDisplay(TwoMonitorScreen) || !splitScreen(harness))
        return run;
    if (audienceOn && !harness.writeSettingsFile(AudienceOnProjector)) {
        note(harness.lastError());
        return run;
    }
    if (!session.launch())
        return run;
    QString audience;
    const WindowId audienceWindow = audienceOn ? awaitAudience(harness, &audience) : 0;
    QThread::sleep(3);
    if (!audienceOn)
        checkNoAudience(harness, &audience);
    run.setup = QStringLiteral("board %1, %2")
                    .arg(describeGeometry(harness.windowGeometry(session.window())), audience);
    session.startAllClocks();
    if (audienceWindow)
        run.audienceBefore = harness.readText(audienceWindow, FigureSet::GameClock).trimmed();
    run.cpu = measureCpu(session, seconds);
    run.rssKb = statusKb(session.pid(), "VmRSS");
    run.peakKb = statusKb(session.pid(), "VmHWM");
    if (audienceWindow)
        run.audienceAfter = harness.readText(audienceWindow, FigureSet::GameClock).trimmed();
    harness.stopApp();
    run.measured = true;
    return run;
}

QString ratio(double on, double alone)
{
    return alone > 0 ? number(on / alone, 2) + QStringLiteral("\u00d7") : QStringLiteral("-");
}

QString audienceConditions(const AudienceRun &run, int seconds)
{
    return QStringLiteral("Xvfb 3520x1080 as LAPTOP 1600x1000 + PROJ 1920x1080; %1; "
                          "8 clocks running, game 20:00 down, %2 s measured")
        .arg(run.setup)
        .arg(seconds);
}

void reportAudienceRun(const QString &name, const AudienceRun &run, int seconds)
{
    const CpuFigure &f = run.cpu;
    QString shown = QStringLiteral("game clock read %1 then %2").arg(f.shownBefore, f.shownAfter);
    if (!run.audienceBefore.isEmpty())
        shown += QStringLiteral(", on the audience display %1 then %2")
                     .arg(run.audienceBefore, run.audienceAfter);
    row(QStringLiteral("CPU and memory of the program, %1").arg(name),
        audienceConditions(run, seconds),
        QStringLiteral("%1 % of one core (utime+stime); %2 % by schedstat; Xvfb %3 %; VmRSS "
                       "%4 MB at the end, peak %5 MB; %6")
            .arg(number(f.appPercent, 3), number(f.appScheduledPercent, 3),
                 number(f.serverPercent, 3), number(double(run.rssKb) / 1024, 1),
                 number(double(run.peakKb) / 1024, 1), shown),
        QStringLiteral("-"));
}

void reportAudienceRatios(const AudienceRun &alone, const AudienceRun &on, int seconds)
{
    const QString conditions =
        QStringLiteral("the two rows above, %1 s each, one after the other").arg(seconds);
    row(QStringLiteral("CPU with the audience display / board alone"), conditions,
        QStringLiteral("%1 (utime+stime), %2 (schedstat); Xvfb %3")
            .arg(ratio(on.cpu.appPercent, alone.cpu.appPercent),
                 ratio(on.cpu.appScheduledPercent, alone.cpu.appScheduledPercent),
                 ratio(on.cpu.serverPercent, alone.cpu.serverPercent)),
        QStringLiteral("< 2\u00d7"));
    row(QStringLiteral("Resident memory with the audience display / board alone"), conditions,
        QStringLiteral("%1 (VmRSS at the end), %2 (peak)")
            .arg(ratio(double(on.rssKb), double(alone.rssKb)),
                 ratio(double(on.peakKb), double(alone.peakKb))),
        QStringLiteral("< 2\u00d7"));
}

void benchAudience(const QString &binary, int seconds)
{
    const AudienceRun alone = playAudienceRun(binary, false, seconds);
    const AudienceRun on = playAudienceRun(binary, true, seconds);
    if (!alone.measured || !on.measured)
        return note(QStringLiteral("the audience display was not measured"));
    reportAudienceRun(QStringLiteral("board alone"), alone, seconds);
    reportAudienceRun(QStringLiteral("audience display on"), on, seconds);
    reportAudienceRatios(alone, on, seconds);
}

QString textArgument(const QStringList &arguments, const QString &name, const QString &fallback)
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 ? arguments.value(at + 1) : fallback;
}

// "--size 1920x1080" measures that size alone.
QList<QSize> sizesArgument(const QStringList &arguments)
{
    const QStringList parts =
        textArgument(arguments, QStringLiteral("--size"), {}).split(QLatin1Char('x'));
    const QSize size(parts.value(0).toInt(), parts.value(1).toInt());
    return size.isValid() && !size.isEmpty() ? QList<QSize>{size} : DefaultSizes;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int seconds = Bench::intArgument(arguments, QStringLiteral("--seconds"), 60);
    // Another build of the program than the one built beside this benchmark.
    const QString binary =
        textArgument(arguments, QStringLiteral("--binary"), QStringLiteral(VANTRELL_BINARY));
    // Its two monitors need a screen of their own.
    if (arguments.contains(QStringLiteral("--audience")))
        benchAudience(binary, seconds);
    const bool startup = arguments.contains(QStringLiteral("--startup"));
    const bool cpu = arguments.contains(QStringLiteral("--cpu"));
    const int minutes = Bench::intArgument(arguments, QStringLiteral("--memory-minutes"), 0);
    if (!startup && !cpu && minutes <= 0)
        return 0;
    Session session(binary);
    if (!session.startDisplay())
        return 1;
    if (startup)
        benchStartup(session, Bench::intArgument(arguments, QStringLiteral("--runs"), 7));
    if (cpu)
        benchCpu(
            session, seconds, sizesArgument(arguments),
            arguments.contains(QStringLiteral("--plays"))
                ? textArgument(arguments, QStringLiteral("--plays"), {}).split(QLatin1Char(','))
                : DefaultPlays);
    if (minutes > 0)
        benchMemory(session, minutes);
    return 0;
}
