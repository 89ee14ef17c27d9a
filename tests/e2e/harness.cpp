// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace E2e {

namespace {

// The kernel kills the child when the test process dies (if it has not yet).
void dieWithParent(QProcess &process)
{
    process.setChildProcessModifier([parent = ::getpid()] {
        if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent)
            ::_exit(127);
    });
}

QStringList words(const QString &line)
{
    return line.split(u' ', Qt::SkipEmptyParts);
}

} // namespace

bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int pollMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(quint64(std::clamp<qint64>(deadline.remainingTime(), 1, pollMs)));
    }
    return true;
}

Harness::Harness(const QString &binary)
    : m_binary(QFileInfo(binary).absoluteFilePath())
    , m_home(QDir::temp().filePath("vantrell-e2e-XXXXXX"))
{
}

Harness::~Harness()
{
    for (auto *process : {&m_app, &m_soundServer, &m_windowManager, &m_sessionBus, &m_xserver})
        stop(*process);
}

void Harness::stop(const std::unique_ptr<QProcess> &process)
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(2000))
        process->kill(), process->waitForFinished(2000);
}

// Output goes to a file: nobody reads a pipe while a test waits, and a full
// one would stall the process.
QProcess &Harness::startProcess(std::unique_ptr<QProcess> &process, const QString &program,
                                const QStringList &arguments, const QString &log)
{
    process = std::make_unique<QProcess>();
    dieWithParent(*process);
    process->setProcessEnvironment(toolEnvironment());
    process->setWorkingDirectory(m_home.path());
    if (process == m_app) {
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->setStandardOutputFile(m_home.filePath(log), QIODevice::Append);
    } else {
        process->setStandardErrorFile(m_home.filePath(log), QIODevice::Append);
    }
    process->start(program, arguments);
    if (!process->waitForStarted(5000))
        fail("cannot start " + program + ": " + process->errorString());
    return *process;
}

bool Harness::startDisplay(const QSize &screen)
{
    const QString geometry = QStringLiteral("0 %1x%2x24").arg(screen.width()).arg(screen.height());
    QProcess &xvfb =
        startProcess(m_xserver, "Xvfb",
                     words("-noreset -nolisten tcp -displayfd 1 -screen " + geometry), "xvfb.log");
    xvfb.waitForReadyRead(10000);
    // Written once the server takes connections.
    bool ok = false;
    m_display = QStringLiteral(":%1").arg(xvfb.readLine().trimmed().toInt(&ok));
    return ok || fail("Xvfb gave no display number");
}

bool Harness::writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) ||
        fail("cannot write " + path);
}

// Each tool finds the harness's own home, display, bus and sound server,
// never the desktop's, and draws one screen pixel per board pixel.
QProcessEnvironment Harness::toolEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString runtimeDir = m_home.filePath("run");
    QDir().mkpath(runtimeDir);
    QFile::setPermissions(runtimeDir, QFileDevice::Permissions(0x7000)); // the owner's alone
    for (const char *name :
         {"PULSE_SERVER", "WAYLAND_DISPLAY", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
          "DBUS_SESSION_BUS_ADDRESS", "LC_ALL", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
          "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        env.remove(name);
    const std::pair<const char *, QString> values[] = {{"DISPLAY", m_display},
                                                       {"HOME", m_home.path()},
                                                       {"XDG_RUNTIME_DIR", runtimeDir},
                                                       {"QT_QPA_PLATFORM", "xcb"},
                                                       {"QT_ENABLE_HIGHDPI_SCALING", "0"},
                                                       {"LC_NUMERIC", m_numericLocale},
                                                       {"DBUS_SESSION_BUS_ADDRESS", m_busAddress}};
    for (const auto &[name, value] : values)
        if (!value.isEmpty())
            env.insert(name, value);
    return env;
}

bool Harness::run(const QString &program, const QStringList &arguments, QByteArray *output,
                  int timeoutMs)
{
    QProcess tool;
    dieWithParent(tool);
    tool.setProcessEnvironment(toolEnvironment());
    tool.start(program, arguments);
    const QString call = program + ' ' + arguments.join(u' ');
    if (!tool.waitForStarted(5000))
        return fail("cannot run " + call);
    if (!tool.waitForFinished(timeoutMs))
        return tool.kill(), fail(call + " gave no answer in time");
    if (output)
        *output = tool.readAllStandardOutput();
    return (tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0) ||
        fail(call + " failed: " + QString::fromLocal8Bit(tool.readAllStandardError()).trimmed());
}

bool Harness::startApp()
{
    return startProcess(m_app, m_binary, {}, "app.log").state() != QProcess::NotRunning;
}

bool Harness::requestClose(WindowId window)
{
    Display *x = XOpenDisplay(qPrintable(m_display));
    if (!x)
        return fail("cannot open " + m_display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
    const bool sent = XSendEvent(x, window, False, NoEventMask, &event) != 0;
    XCloseDisplay(x); // after a round trip, so the server has the event
    return sent || fail("cannot ask the window to close");
}

QString Harness::appLog() const
{
    QFile file(m_home.filePath("app.log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

QList<WindowId> Harness::visibleWindows(const QString &titleRegex)
{
    QByteArray output;
    // xdotool answers 1 when nothing matches; that is an answer too.
    runXdotool(words("search --onlyvisible --name") << titleRegex, &output);
    QList<WindowId> windows;
    for (const QByteArray &line : output.split('\n'))
        if (const WindowId id = line.trimmed().toULongLong())
            windows.append(id);
    return windows;
}

WindowId Harness::waitForWindow(const QString &titleRegex, int timeoutMs)
{
    QList<WindowId> windows;
    waitUntil([&] { return !(windows = visibleWindows(titleRegex)).isEmpty(); }, timeoutMs, 100);
    return windows.value(0);
}

WindowId Harness::openBoard()
{
    const WindowId splash = startApp() ? waitForWindow(splashTitle(), 15000) : 0;
    return splash && click(splash, QPoint(40, 30)) ? waitForWindow("^Vantrell$", 15000) : 0;
}

QRect Harness::windowGeometry(WindowId window)
{
    QByteArray output;
    runXdotool({"getwindowgeometry", "--shell", QString::number(window)}, &output);
    QMap<QString, int> values;
    for (const QString &line : QString::fromLatin1(output).split('\n'))
        values.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
    return {values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
}

QRect Harness::clientOnScreen(WindowId window)
{
    QByteArray output;
    run("xwininfo", {"-id", QString::number(window)}, &output);
    QMap<QString, int> values;
    for (const QString &line : QString::fromLatin1(output).split('\n'))
        values.insert(line.section(':', 0, 0).trimmed(), line.section(':', 1).toInt());
    return {values["Absolute upper-left X"], values["Absolute upper-left Y"], values["Width"],
            values["Height"]};
}

QImage Harness::grab(WindowId window)
{
    QByteArray png;
    const QString id = window ? QString::number(window) : QStringLiteral("root");
    run("import", {"-window", id, "png:-"}, &png, 10000);
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

QString Harness::saveShot(const QImage &image, const QString &name)
{
    QDir(VANTRELL_E2E_SHOTS_DIR).mkpath(".");
    const QString path = QStringLiteral(VANTRELL_E2E_SHOTS_DIR "/%1.png").arg(name);
    return image.save(path, "PNG") ? path : QString();
}

bool Harness::click(WindowId window, const QPoint &at)
{
    // No --sync (it waits forever when the pointer is there already); one
    // connection still makes the server move the pointer before the click.
    return runXdotool({"mousemove", "--window", QString::number(window), QString::number(at.x()),
                       QString::number(at.y()), "click", "1"});
}

bool Harness::key(WindowId window, const QString &keysyms)
{
    // Through XTEST to the focused window, like a keyboard.
    return runXdotool({"windowfocus", "--sync", QString::number(window)}) &&
        runXdotool(words("key --delay 30") + words(keysyms));
}

bool Harness::resize(WindowId window, const QSize &size)
{
    // --sync waits for a change of size, and would wait for ever without one.
    return windowGeometry(window).size() == size ||
        runXdotool({"windowsize", "--sync", QString::number(window), QString::number(size.width()),
                    QString::number(size.height())});
}

QString Harness::gameSheetText(WindowId board)
{
    if (!key(board, "F3"))
        return {};
    const WindowId record = waitForWindow("^Vantrell Game Record$", 5000);
    if (!record || !key(record, "Tab Tab Tab Tab space"))
        return {};
    const WindowId chooser = waitForWindow("^Save the game sheet as PDF$", 5000);
    const QString pdf = m_home.filePath("sheet.pdf");
    QByteArray text;
    if (!chooser || !key(chooser, "ctrl+a") || !runXdotool({"type", pdf}) ||
        !key(chooser, "Return") || !waitUntil([&] { return QFileInfo(pdf).size() > 0; }, 5000) ||
        !run("pdftotext", {"-layout", pdf, "-"}, &text))
        return {};
    return QString::fromUtf8(text).remove(QRegularExpression("\\s"));
}

bool Harness::waitForText(WindowId window, BoardGeometry::FigureSet set, const QString &expected,
                          int timeoutMs, QString *lastSeen,
                          const BoardReader::BoardColours &colours)
{
    QString seen;
    QString &last = lastSeen ? *lastSeen : seen;
    return waitUntil(
        [&] {
            const QImage image = grab(window);
            last = image.isNull() ? "no screenshot: " + m_lastError
                                  : BoardReader::readText(image, set, colours);
            return !image.isNull() && last == expected;
        },
        timeoutMs);
}

bool Harness::startSoundServer()
{
    startProcess(m_soundServer, "pulseaudio",
                 words("-n --daemonize=no --exit-idle-time=-1 --disallow-exit "
                       "--load=module-native-protocol-unix --load=module-null-sink"),
                 "pulseaudio.log");
    return waitUntil([this] { return run("pactl", {"info"}, nullptr, 2000); }, 10000) ||
        fail("pulseaudio does not answer");
}

QStringList Harness::soundStreams()
{
    QByteArray output;
    run("pactl", {"list", "short", "sink-inputs"}, &output);
    return QString::fromLatin1(output).split(u'\n', Qt::SkipEmptyParts);
}

bool Harness::startWindowManager()
{
    startProcess(m_windowManager, "openbox", {"--sm-disable"}, "openbox.log");
    // A window manager that has taken the screen names itself on the root.
    const auto managing = [this] {
        QByteArray root;
        return run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}, &root) &&
            root.contains("window id");
    };
    return waitUntil(managing, 10000) || fail("openbox does not manage the screen");
}

// Its own process, not startProcess: the bus's address comes on its output.
bool Harness::startSessionBus()
{
    // No service folders: nothing installed on this machine starts on it.
    const QString config = m_home.filePath("session-bus.conf");
    if (!writeFile(config,
                   "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
                   "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                   "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n"))
        return false;
    m_sessionBus = std::make_unique<QProcess>();
    dieWithParent(*m_sessionBus);
    m_sessionBus->setStandardErrorFile(m_home.filePath("dbus-daemon.log"));
    m_sessionBus->start("dbus-daemon",
                        {"--config-file=" + config, "--nofork", "--print-address=1"});
    if (!m_sessionBus->waitForStarted(5000))
        return fail("cannot start dbus-daemon: " + m_sessionBus->errorString());
    m_sessionBus->waitForReadyRead(5000);
    m_busAddress = QString::fromUtf8(m_sessionBus->readLine()).trimmed();
    return !m_busAddress.isEmpty() || fail("dbus-daemon gave no address");
}

bool Harness::screenSaverOn()
{
    Display *x = XOpenDisplay(qPrintable(m_display));
    XScreenSaverInfo info{};
    const bool on = x && XScreenSaverQueryInfo(x, DefaultRootWindow(x), &info) != 0 &&
        info.state == ScreenSaverOn;
    if (x)
        XCloseDisplay(x);
    return on;
}

bool Harness::numLockOn(bool *ok)
{
    QByteArray output;
    const qsizetype at = run("xset", {"q"}, &output) ? output.indexOf("Num Lock:") : -1;
    if (ok)
        *ok = at >= 0;
    return at >= 0 && output.mid(at + 9).trimmed().startsWith("on");
}

bool Harness::setNumLock(bool on)
{
    bool ok = false;
    return numLockOn(&ok) == on
        ? ok
        : runXdotool({"key", "Num_Lock"}) && waitUntil([&] { return numLockOn() == on; }, 3000);
}

} // namespace E2e
