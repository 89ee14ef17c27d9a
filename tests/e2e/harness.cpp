// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

#ifdef VANTRELL_E2E_HAVE_XCB
#include <xcb/xcb.h>
#endif
#ifdef VANTRELL_E2E_HAVE_XSS
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#endif

namespace E2e {

namespace {

// The kernel kills the child when the test process dies.
void dieWithParent(QProcess &process)
{
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The parent may have died before prctl took hold.
        if (::getppid() != parent)
            ::_exit(127);
    });
}

// Arguments written as one line: "search --onlyvisible --name".
QStringList words(const char *line)
{
    return QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts);
}

void stop(const std::unique_ptr<QProcess> &process)
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(2000)) {
        process->kill();
        process->waitForFinished(2000);
    }
}

QList<WindowId> windowIds(const QByteArray &output)
{
    QList<WindowId> windows;
    for (const QByteArray &line : output.split('\n')) {
        bool ok = false;
        const WindowId id = line.trimmed().toULongLong(&ok);
        if (ok)
            windows.append(id);
    }
    return windows;
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
    for (auto *process : {&m_app, &m_soundServer, &m_sessionBus, &m_windowManager, &m_xserver})
        stop(*process);
}

bool Harness::fail(const QString &message)
{
    m_lastError = message;
    return false;
}

QProcess &Harness::startProcess(std::unique_ptr<QProcess> &process, const QString &program,
                                const QStringList &arguments, const QString &log)
{
    process = std::make_unique<QProcess>();
    dieWithParent(*process);
    process->setProcessEnvironment(toolEnvironment());
    process->setStandardErrorFile(m_home.filePath(log), QIODevice::Append);
    process->start(program, arguments);
    if (!process->waitForStarted(5000))
        fail("cannot start " + program + ": " + process->errorString());
    return *process;
}

bool Harness::startDisplay(const QSize &screen)
{
    const QString geometry = QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height());
    QProcess &xvfb = startProcess(
        m_xserver, "Xvfb", words("-noreset -nolisten tcp -displayfd 1 -screen 0") << geometry,
        "xvfb.log");
    // The server writes its display number once it listens.
    QByteArray number;
    waitUntil(
        [&] {
            xvfb.waitForReadyRead(100);
            number += xvfb.readAllStandardOutput();
            return number.contains('\n') || xvfb.state() == QProcess::NotRunning;
        },
        10000);
    bool ok = false;
    m_display = QStringLiteral(":%1").arg(number.trimmed().toInt(&ok));
    if (!ok)
        return fail("Xvfb gave no display number");
    return waitUntil([this] { return run("xdpyinfo", {}); }, 10000, 50) ||
        fail("X server does not answer");
}

QString Harness::settingsPath() const
{
    return m_home.filePath("config/Vantrell/Vantrell.conf");
}

bool Harness::writeSettingsFile(const QByteArray &iniText)
{
    QDir().mkpath(QFileInfo(settingsPath()).path());
    QFile file(settingsPath());
    return (file.open(QIODevice::WriteOnly) && file.write(iniText) >= 0) ||
        fail("cannot write " + settingsPath());
}

QVariant Harness::setting(const QString &key) const
{
    return QSettings(settingsPath(), QSettings::IniFormat).value(key);
}

QString Harness::runtimeDir() const
{
    const QString dir = m_home.filePath("run");
    QDir().mkpath(dir);
    QFile::setPermissions(dir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return dir;
}

// Nothing a tool or the program stores lands in the real home, and each
// finds the harness's own display, sound server and bus, never the desktop's.
QProcessEnvironment Harness::toolEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"PULSE_SERVER", "WAYLAND_DISPLAY", "QT_SCALE_FACTOR",
                             "QT_SCREEN_SCALE_FACTORS", "DBUS_SESSION_BUS_ADDRESS"})
        env.remove(name);
    // One screen pixel per board pixel, whatever the desktop running the
    // tests is set to.
    const std::pair<const char *, QString> values[] = {
        {"DISPLAY", m_display},
        {"HOME", m_home.path()},
        {"XDG_RUNTIME_DIR", runtimeDir()},
        {"XDG_CONFIG_HOME", m_home.filePath("config")},
        {"XDG_DATA_HOME", m_home.filePath("data")},
        {"XDG_CACHE_HOME", m_home.filePath("cache")},
        {"XDG_STATE_HOME", m_home.filePath("state")},
        {"QT_QPA_PLATFORM", "xcb"},
        {"QT_ENABLE_HIGHDPI_SCALING", "0"},
        {"DBUS_SESSION_BUS_ADDRESS", m_busAddress},
        {"LC_NUMERIC", m_numericLocale},
    };
    for (const auto &[name, value] : values) {
        if (!value.isEmpty())
            env.insert(name, value);
    }
    if (!m_numericLocale.isEmpty())
        env.remove("LC_ALL");
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
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished(500);
        return fail(call + " gave no answer in time");
    }
    if (output)
        *output = tool.readAllStandardOutput();
    return (tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0) ||
        fail(call + " failed: " + QString::fromLocal8Bit(tool.readAllStandardError()).trimmed());
}

bool Harness::useProgramFolderWithout(const QStringList &missing)
{
    const QDir copy(m_programCopy.path());
    for (const QFileInfo &file : QFileInfo(m_binary).absoluteDir().entryInfoList(QDir::Files)) {
        if (!missing.contains(file.fileName()) &&
            !QFile::copy(file.absoluteFilePath(), copy.filePath(file.fileName())))
            return fail("cannot copy " + file.fileName());
    }
    m_binary = copy.filePath(QFileInfo(m_binary).fileName());
    return true;
}

bool Harness::startApp(const QStringList &arguments)
{
    if (m_display.isEmpty() || isAppRunning())
        return fail("no display, or the program runs already");
    m_app = std::make_unique<QProcess>();
    dieWithParent(*m_app);
    m_app->setProcessEnvironment(toolEnvironment());
    m_app->setWorkingDirectory(m_home.path());
    // A file, not a pipe: nobody reads a pipe while a test waits, and a full
    // one would stall the program.
    m_app->setProcessChannelMode(QProcess::MergedChannels);
    m_app->setStandardOutputFile(m_home.filePath("app.log"), QIODevice::Append);
    m_app->start(m_binary, arguments);
    return m_app->waitForStarted(5000) || fail(m_binary + ": " + m_app->errorString());
}

bool Harness::requestClose(WindowId window)
{
#ifdef VANTRELL_E2E_HAVE_XCB
    xcb_connection_t *connection = xcb_connect(qPrintable(m_display), nullptr);
    const auto atom = [connection](const char *name) {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, quint16(qstrlen(name)), name), nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return found;
    };
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window);
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    // Checked, so the server has handled it before the connection goes: a
    // bare flush and disconnect sometimes lost the event.
    xcb_generic_error_t *error = xcb_request_check(
        connection,
        xcb_send_event_checked(connection, 0, xcb_window_t(window), XCB_EVENT_MASK_NO_EVENT,
                               reinterpret_cast<const char *>(&event)));
    const bool sent = !xcb_connection_has_error(connection) && !error;
    free(error);
    xcb_disconnect(connection);
    return sent || fail("cannot ask the window to close");
#else
    Q_UNUSED(window);
    return fail("built without xcb: cannot ask a window to close");
#endif
}

bool Harness::waitForAppExit(int timeoutMs)
{
    return !m_app || m_app->waitForFinished(timeoutMs) || !isAppRunning();
}

void Harness::stopApp()
{
    stop(m_app);
}

bool Harness::isAppRunning() const
{
    return m_app && m_app->state() != QProcess::NotRunning;
}

int Harness::appExitCode() const
{
    return m_app ? m_app->exitCode() : -1;
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
    return windowIds(output);
}

WindowId Harness::waitForWindow(const QString &titleRegex, int timeoutMs)
{
    QByteArray output;
    // --sync waits for a match by itself; the timeout bounds that wait.
    runXdotool(words("search --sync --onlyvisible --name") << titleRegex, &output, timeoutMs);
    return windowIds(output).value(0);
}

WindowId Harness::openBoard(int timeoutMs)
{
    if (!startApp())
        return 0;
    const WindowId splash = waitForWindow(splashTitle(), timeoutMs);
    if (splash == 0 || !click(splash, QPoint(40, 30)))
        return 0;
    return waitForWindow("^Vantrell$", timeoutMs);
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

QImage Harness::grab(WindowId window)
{
    QByteArray png;
    QImage image;
    if (run("import", {"-window", QString::number(window), "png:-"}, &png, 10000) &&
        !image.loadFromData(png, "PNG"))
        fail("import gave no PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

QString Harness::saveShot(const QImage &image, const QString &name)
{
    QDir(VANTRELL_E2E_SHOTS_DIR).mkpath(".");
    const QString path =
        QStringLiteral(VANTRELL_E2E_SHOTS_DIR "/%1.png")
            .arg(QString(name).replace(QRegularExpression("[^A-Za-z0-9_.-]+"), "_"));
    return !image.isNull() && image.save(path, "PNG") ? path : QString();
}

bool Harness::click(WindowId window, const QPoint &at)
{
    // No --sync: this xdotool waits forever when the pointer is already
    // there. The warp and the click go over one connection, so the server
    // still moves the pointer first.
    return runXdotool({"mousemove", "--window", QString::number(window), QString::number(at.x()),
                       QString::number(at.y()), "click", "1"});
}

bool Harness::key(WindowId window, const QString &keysyms)
{
    // To the focused window through XTEST, like a keyboard: a key that
    // closes its window must not make the release fail.
    return runXdotool({"windowfocus", "--sync", QString::number(window)}) &&
        runXdotool(words("key --delay 30") + keysyms.split(u' ', Qt::SkipEmptyParts));
}

bool Harness::resize(WindowId window, const QSize &size)
{
    // --sync waits for a change of size, and would wait for ever without one.
    return windowGeometry(window).size() == size ||
        runXdotool({"windowsize", "--sync", QString::number(window), QString::number(size.width()),
                    QString::number(size.height())});
}

QString Harness::readText(WindowId window, BoardGeometry::FigureSet set,
                          const BoardReader::BoardColours &colours)
{
    const QImage image = grab(window);
    return image.isNull() ? QString() : BoardReader::readText(image, set, colours);
}

bool Harness::waitForText(WindowId window, BoardGeometry::FigureSet set, const QString &expected,
                          int timeoutMs, QString *lastSeen,
                          const BoardReader::BoardColours &colours)
{
    QString seen;
    const bool ok = waitUntil(
        [&] {
            const QImage image = grab(window);
            const BoardReader::SetReading reading = BoardReader::readSet(image, set, colours);
            seen = image.isNull() ? "no screenshot: " + m_lastError : reading.describe();
            return !image.isNull() && reading.text() == expected;
        },
        timeoutMs);
    if (lastSeen)
        *lastSeen = seen;
    return ok;
}

bool Harness::startSoundServer()
{
    startProcess(m_soundServer, "pulseaudio",
                 words("-n --daemonize=no --exit-idle-time=-1 --disallow-exit "
                       "--load=module-native-protocol-unix")
                     << "--load=module-null-sink sink_name=null",
                 "pulseaudio.log");
    return waitUntil([this] { return run("pactl", {"info"}, nullptr, 2000); }, 10000) ||
        fail("pulseaudio does not answer");
}

QStringList Harness::soundStreams()
{
    QStringList ids;
    for (const QByteArray &line : soundServerList("sink-inputs").split('\n')) {
        if (line.startsWith("Sink Input #"))
            ids << QString::fromLatin1(line.mid(12).trimmed());
    }
    return ids;
}

QByteArray Harness::soundServerList(const QString &what)
{
    QByteArray output;
    run("pactl", {"list", what}, &output);
    return output;
}

bool Harness::startWindowManager()
{
    startProcess(m_windowManager, "openbox", {"--sm-disable"}, "openbox.log");
    // A window manager that has taken the screen names itself on the root.
    return waitUntil(
               [this] {
                   QByteArray output;
                   return run("xprop", words("-root _NET_SUPPORTING_WM_CHECK"), &output, 2000) &&
                       output.contains("window id");
               },
               10000) ||
        fail("openbox does not manage the screen");
}

bool Harness::startSessionBus()
{
    // No service folders: nothing installed on this machine starts on it.
    const QString config = m_home.filePath("session-bus.conf");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return fail("cannot write " + config);
    file.write("<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
               "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
               "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
    file.close();
    QProcess &bus = startProcess(m_sessionBus, "dbus-daemon",
                                 {"--config-file=" + config, "--nofork", "--print-address=1"},
                                 "dbus-daemon.log");
    waitUntil(
        [&bus] {
            bus.waitForReadyRead(100);
            return bus.canReadLine();
        },
        5000);
    m_busAddress = QString::fromUtf8(bus.readLine()).trimmed();
    return !m_busAddress.isEmpty() || fail("dbus-daemon gave no address");
}

bool Harness::setScreenSaverTimeout(int seconds)
{
    return run("xset", {"s", QString::number(seconds), QString::number(seconds)});
}

bool Harness::screenSaverOn(bool *ok)
{
    bool on = false;
    bool read = false;
#ifdef VANTRELL_E2E_HAVE_XSS
    if (Display *x = XOpenDisplay(m_display.toLocal8Bit().constData())) {
        XScreenSaverInfo info{};
        read = XScreenSaverQueryInfo(x, DefaultRootWindow(x), &info) != 0;
        on = read && info.state == ScreenSaverOn;
        XCloseDisplay(x);
    }
#endif
    if (ok)
        *ok = read;
    return on;
}

bool Harness::numLockOn(bool *ok)
{
    QByteArray output;
    const bool read = run("xset", {"q"}, &output);
    const qsizetype at = output.indexOf("Num Lock:");
    if (ok)
        *ok = read && at >= 0;
    return read && at >= 0 && output.mid(at + 9).trimmed().startsWith("on");
}

bool Harness::setNumLock(bool on)
{
    bool ok = false;
    if (numLockOn(&ok) == on)
        return ok;
    return runXdotool({"key", "Num_Lock"}) && waitUntil([&] { return numLockOn() == on; }, 3000);
}

bool Harness::setKeyboardLayout(const QStringList &setxkbmapArguments)
{
    return run("setxkbmap", setxkbmapArguments);
}

} // namespace E2e
