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

constexpr int StopGraceMs = 2000;

void stopProcess(QProcess &process, int graceMs)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(graceMs)) {
        process.kill();
        process.waitForFinished(graceMs);
    }
}

QString windowArg(WindowId window)
{
    return QString::number(window);
}

#ifdef VANTRELL_E2E_HAVE_XCB
xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, quint16(qstrlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}
#endif

} // namespace

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

QString keypadKeysym(QChar key)
{
    static const char *const digits[] = {"KP_Insert", "KP_End",   "KP_Down", "KP_Next",
                                         "KP_Left",   "KP_Begin", "KP_Right", "KP_Home",
                                         "KP_Up",     "KP_Prior"};
    if (key.isDigit())
        return QString::fromLatin1(digits[key.digitValue()]);
    if (key == u'.')
        return QStringLiteral("KP_Delete");
    return {};
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int pollMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (condition())
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(quint64(qMin<qint64>(pollMs, qMax<qint64>(1, deadline.remainingTime()))));
    }
}

// ---------------------------------------------------------------------------

XServer::~XServer()
{
    stop();
}

bool XServer::start(const QSize &screen, const QString &logFile, QString *error)
{
    const QString geometry = QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height());
    dieWithParent(m_process);
    m_process.setStandardErrorFile(logFile, QIODevice::Append);
    m_process.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                     QStringLiteral("tcp"), QStringLiteral("-displayfd"), QStringLiteral("1"),
                     QStringLiteral("-screen"), QStringLiteral("0"), geometry});
    if (!m_process.waitForStarted(5000)) {
        *error = QStringLiteral("Xvfb did not start: %1").arg(m_process.errorString());
        return false;
    }
    if (!waitForDisplayNumber(10000, error))
        return false;
    if (!waitUntilAnswering(10000)) {
        *error = QStringLiteral("X server %1 does not answer").arg(m_display);
        return false;
    }
    return true;
}

bool XServer::waitForDisplayNumber(int timeoutMs, QString *error)
{
    const QDeadlineTimer deadline(timeoutMs);
    QByteArray received;
    while (!received.contains('\n')) {
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning) {
            *error = QStringLiteral("Xvfb gave no display number (exit %1)")
                         .arg(m_process.exitCode());
            return false;
        }
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        received += m_process.readAllStandardOutput();
    }
    bool ok = false;
    const int number = received.trimmed().toInt(&ok);
    if (!ok) {
        *error = QStringLiteral("Xvfb wrote %1 for its display").arg(QString::fromLatin1(received));
        return false;
    }
    m_display = QStringLiteral(":%1").arg(number);
    return true;
}

bool XServer::waitUntilAnswering(int timeoutMs)
{
    return waitUntil(
        [this] {
            QProcess probe;
            dieWithParent(probe);
            probe.setStandardOutputFile(QProcess::nullDevice());
            probe.setStandardErrorFile(QProcess::nullDevice());
            probe.start(QStringLiteral("xdpyinfo"), {QStringLiteral("-display"), m_display});
            return probe.waitForFinished(5000) && probe.exitStatus() == QProcess::NormalExit
                && probe.exitCode() == 0;
        },
        timeoutMs, 50);
}

void XServer::stop()
{
    stopProcess(m_process, StopGraceMs);
}

bool XServer::isRunning() const
{
    return m_process.state() == QProcess::Running;
}

// ---------------------------------------------------------------------------

Harness::Harness(const QString &binary)
    : m_binary(QFileInfo(binary).absoluteFilePath())
    , m_home(QDir::temp().filePath(QStringLiteral("vantrell-e2e-XXXXXX")))
{
}

Harness::~Harness()
{
    stopApp();
    if (m_soundServer)
        stopProcess(*m_soundServer, 2000);
    if (m_sessionBus)
        stopProcess(*m_sessionBus, 2000);
    if (m_windowManager)
        stopProcess(*m_windowManager, 2000);
    m_xserver.stop();
}

bool Harness::fail(const QString &message)
{
    m_lastError = message;
    return false;
}

bool Harness::startDisplay(const QSize &screen)
{
    if (!m_home.isValid())
        return fail(QStringLiteral("no temporary folder: %1").arg(m_home.errorString()));
    QString error;
    if (!m_xserver.start(screen, m_home.filePath(QStringLiteral("xvfb.log")), &error))
        return fail(error);
    return true;
}

QString Harness::configHome() const
{
    return m_home.filePath(QStringLiteral("config"));
}

QString Harness::settingsPath() const
{
    return configHome() + QStringLiteral("/Vantrell/Vantrell.conf");
}

bool Harness::setSetting(const QString &key, const QVariant &value)
{
    QDir().mkpath(QFileInfo(settingsPath()).path());
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(key, value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return fail(QStringLiteral("cannot write %1").arg(settingsPath()));
    return true;
}

bool Harness::writeSettingsFile(const QByteArray &iniText)
{
    QDir().mkpath(QFileInfo(settingsPath()).path());
    QFile file(settingsPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(iniText) < 0)
        return fail(QStringLiteral("cannot write %1").arg(settingsPath()));
    return true;
}

QVariant Harness::setting(const QString &key) const
{
    return QSettings(settingsPath(), QSettings::IniFormat).value(key);
}

QProcessEnvironment Harness::appEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // One screen pixel per board pixel, whatever the desktop running the
    // tests is set to.
    env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), QStringLiteral("0"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    env.remove(QStringLiteral("QT_SCREEN_SCALE_FACTORS"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Nothing the program stores may land in the real home folder.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), m_home.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_STATE_HOME"), m_home.filePath(QStringLiteral("state")));
    // Its own sound server, or none: never the desktop's.
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    env.remove(QStringLiteral("PULSE_SERVER"));
    if (!m_numericLocale.isEmpty()) {
        env.remove(QStringLiteral("LC_ALL"));
        env.insert(QStringLiteral("LC_NUMERIC"), m_numericLocale);
    }
    // Its own session bus, or none.
    const QString bus = QStringLiteral("DBUS_SESSION_BUS_ADDRESS");
    if (m_busAddress.isEmpty())
        env.remove(bus);
    else
        env.insert(bus, m_busAddress);
    return env;
}

QString Harness::runtimeDir() const
{
    const QString dir = m_home.filePath(QStringLiteral("run"));
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return dir;
}

QList<WindowId> Harness::visibleWindows(const QString &titleRegex)
{
    QByteArray output;
    QList<WindowId> windows;
    // xdotool answers 1 when nothing matches; that is an answer too.
    runXdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                titleRegex},
               &output);
    for (const QByteArray &line : output.split('\n')) {
        bool ok = false;
        const WindowId id = line.trimmed().toULongLong(&ok);
        if (ok)
            windows.append(id);
    }
    return windows;
}

bool Harness::useProgramFolderWithout(const QStringList &missing)
{
    const QDir from = QFileInfo(m_binary).absoluteDir();
    if (!m_programCopy.isValid())
        return fail(QStringLiteral("no folder for the program's copy"));
    for (const QFileInfo &file : from.entryInfoList(QDir::Files)) {
        if (missing.contains(file.fileName()))
            continue;
        const QString target = QDir(m_programCopy.path()).filePath(file.fileName());
        if (!QFile::copy(file.absoluteFilePath(), target))
            return fail(QStringLiteral("cannot copy %1").arg(file.fileName()));
    }
    m_binary = QDir(m_programCopy.path()).filePath(QFileInfo(m_binary).fileName());
    return true;
}

bool Harness::startSoundServer()
{
    m_soundServer = std::make_unique<QProcess>();
    dieWithParent(*m_soundServer);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    env.insert(QStringLiteral("HOME"), m_home.path());
    m_soundServer->setProcessEnvironment(env);
    m_soundServer->setStandardOutputFile(m_home.filePath(QStringLiteral("pulseaudio.log")));
    m_soundServer->setStandardErrorFile(m_home.filePath(QStringLiteral("pulseaudio.log")));
    m_soundServer->start(QStringLiteral("pulseaudio"),
                         {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                          QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
                          QStringLiteral("--load=module-native-protocol-unix"),
                          QStringLiteral("--load=module-null-sink sink_name=null")});
    if (!m_soundServer->waitForStarted(5000))
        return fail(QStringLiteral("cannot start pulseaudio: %1").arg(m_soundServer->errorString()));
    const bool answering = waitUntil([this] {
        QByteArray output;
        return runTool(QStringLiteral("pactl"), {QStringLiteral("info")}, &output, 2000);
    }, 10000);
    return answering || fail(QStringLiteral("pulseaudio does not answer"));
}

bool Harness::startWindowManager()
{
    if (!m_xserver.isRunning())
        return fail(QStringLiteral("start the display first"));
    m_windowManager = std::make_unique<QProcess>();
    dieWithParent(*m_windowManager);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display());
    env.insert(QStringLiteral("HOME"), m_home.path());
    m_windowManager->setProcessEnvironment(env);
    m_windowManager->setStandardOutputFile(m_home.filePath(QStringLiteral("openbox.log")));
    m_windowManager->setStandardErrorFile(m_home.filePath(QStringLiteral("openbox.log")));
    m_windowManager->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!m_windowManager->waitForStarted(5000))
        return fail(QStringLiteral("cannot start openbox: %1").arg(m_windowManager->errorString()));
    // A window manager that has taken the screen names itself on the root.
    const bool managing = waitUntil([this] {
        QByteArray output;
        return runTool(QStringLiteral("xprop"), {QStringLiteral("-root"),
                                                 QStringLiteral("_NET_SUPPORTING_WM_CHECK")},
                       &output, 2000)
            && output.contains("window id");
    }, 10000);
    return managing || fail(QStringLiteral("openbox does not manage the screen"));
}

QStringList Harness::soundStreams()
{
    QByteArray output;
    if (!runTool(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs"),
                                           QStringLiteral("short")},
                 &output, 5000))
        return {};
    QStringList ids;
    for (const QByteArray &line : output.split('\n')) {
        const QByteArray id = line.split('\t').value(0).trimmed();
        if (!id.isEmpty())
            ids << QString::fromLatin1(id);
    }
    return ids;
}

QByteArray Harness::soundServerList(const QString &what)
{
    QByteArray output;
    runTool(QStringLiteral("pactl"), {QStringLiteral("list"), what}, &output, 5000);
    return output;
}

bool Harness::startSessionBus()
{
    // No service folders: nothing installed on this machine starts on it.
    const QString config = m_home.filePath(QStringLiteral("session-bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1").arg(config));
    file.write("<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
               "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
               "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
    file.close();
    m_sessionBus = std::make_unique<QProcess>();
    dieWithParent(*m_sessionBus);
    m_sessionBus->setStandardErrorFile(m_home.filePath(QStringLiteral("dbus-daemon.log")));
    m_sessionBus->start(QStringLiteral("dbus-daemon"),
                        {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                         QStringLiteral("--print-address=1")});
    if (!m_sessionBus->waitForStarted(5000))
        return fail(QStringLiteral("cannot start dbus-daemon: %1").arg(m_sessionBus->errorString()));
    waitUntil([this] {
        m_sessionBus->waitForReadyRead(100);
        return m_sessionBus->canReadLine();
    }, 5000);
    m_busAddress = QString::fromUtf8(m_sessionBus->readLine()).trimmed();
    return !m_busAddress.isEmpty() || fail(QStringLiteral("dbus-daemon gave no address"));
}

bool Harness::setScreenSaverTimeout(int seconds)
{
    const QString time = QString::number(seconds);
    return runTool(QStringLiteral("xset"), {QStringLiteral("s"), time, time}, nullptr, 5000);
}

bool Harness::screenSaverOn(bool *ok)
{
    bool on = false;
    bool read = false;
#ifdef VANTRELL_E2E_HAVE_XSS
    if (Display *x = XOpenDisplay(display().toLocal8Bit().constData())) {
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

bool Harness::startApp(const QStringList &arguments)
{
    if (!m_xserver.isRunning())
        return fail(QStringLiteral("start the display first"));
    if (isAppRunning())
        return fail(QStringLiteral("the program is already running"));
    QDir().mkpath(configHome());
    m_app = std::make_unique<QProcess>();
    dieWithParent(*m_app);
    m_app->setProcessEnvironment(appEnvironment());
    m_app->setWorkingDirectory(m_home.path());
    // A file rather than a pipe: nobody reads a pipe while a test waits, and
    // a full one would stall the program.
    m_app->setProcessChannelMode(QProcess::MergedChannels);
    m_app->setStandardOutputFile(m_home.filePath(QStringLiteral("app.log")), QIODevice::Append);
    m_app->start(m_binary, arguments);
    if (!m_app->waitForStarted(5000))
        return fail(QStringLiteral("%1 did not start: %2").arg(m_binary, m_app->errorString()));
    return true;
}

bool Harness::requestClose(WindowId window)
{
#ifdef VANTRELL_E2E_HAVE_XCB
    xcb_connection_t *connection = xcb_connect(qPrintable(display()), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return fail(QStringLiteral("cannot connect to %1").arg(display()));
    }
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window);
    event.type = internAtom(connection, "WM_PROTOCOLS");
    event.data.data32[0] = internAtom(connection, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    // Checked, so the server has handled the request before the connection
    // goes: a bare flush and disconnect sometimes lost the event.
    const xcb_void_cookie_t cookie =
        xcb_send_event_checked(connection, 0, xcb_window_t(window), XCB_EVENT_MASK_NO_EVENT,
                               reinterpret_cast<const char *>(&event));
    xcb_generic_error_t *error = xcb_request_check(connection, cookie);
    const int code = error ? error->error_code : 0;
    free(error);
    xcb_disconnect(connection);
    if (code != 0)
        return fail(QStringLiteral("closing window %1 failed: X error %2").arg(window).arg(code));
    return true;
#else
    Q_UNUSED(window);
    return fail(QStringLiteral("built without xcb: cannot ask a window to close"));
#endif
}

bool Harness::waitForAppExit(int timeoutMs)
{
    return !m_app || m_app->waitForFinished(timeoutMs) || !isAppRunning();
}

void Harness::stopApp(int graceMs)
{
    if (m_app)
        stopProcess(*m_app, graceMs);
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
    QFile file(m_home.filePath(QStringLiteral("app.log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll());
}

bool Harness::runTool(const QString &program, const QStringList &arguments, QByteArray *output,
                      int timeoutMs)
{
    QProcess tool;
    dieWithParent(tool);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    env.insert(QStringLiteral("HOME"), m_home.path());
    tool.setProcessEnvironment(env);
    tool.start(program, arguments);
    if (!tool.waitForStarted(5000))
        return fail(QStringLiteral("cannot run %1: %2").arg(program, tool.errorString()));
    if (!tool.waitForFinished(timeoutMs)) {
        stopProcess(tool, 500);
        return fail(QStringLiteral("%1 %2 gave no answer in %3 ms")
                        .arg(program, arguments.join(u' '))
                        .arg(timeoutMs));
    }
    if (output)
        *output = tool.readAllStandardOutput();
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        return fail(QStringLiteral("%1 %2 failed (%3): %4")
                        .arg(program, arguments.join(u' '))
                        .arg(tool.exitCode())
                        .arg(QString::fromLocal8Bit(tool.readAllStandardError()).trimmed()));
    }
    return true;
}

bool Harness::runXdotool(const QStringList &arguments, QByteArray *output, int timeoutMs)
{
    return runTool(QStringLiteral("xdotool"), arguments, output, timeoutMs);
}

bool Harness::numLockOn(bool *ok)
{
    QByteArray output;
    const bool read = runTool(QStringLiteral("xset"), {QStringLiteral("q")}, &output, 5000);
    const qsizetype at = output.indexOf("Num Lock:");
    if (ok)
        *ok = read && at >= 0;
    if (!read || at < 0)
        return false;
    return output.mid(at + 9).trimmed().startsWith("on");
}

bool Harness::setNumLock(bool on)
{
    bool ok = false;
    if (numLockOn(&ok) == on)
        return ok;
    if (!runXdotool({QStringLiteral("key"), QStringLiteral("Num_Lock")}))
        return false;
    return waitUntil([&] { return numLockOn() == on; }, 3000);
}

bool Harness::setKeyboardLayout(const QStringList &setxkbmapArguments)
{
    return runTool(QStringLiteral("setxkbmap"), setxkbmapArguments, nullptr, 5000);
}

QList<WindowId> Harness::findWindows(const QString &titleRegex, int timeoutMs)
{
    QByteArray output;
    // --sync waits for a match by itself; the timeout bounds that wait.
    if (!runXdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                     QStringLiteral("--onlyvisible"), QStringLiteral("--name"), titleRegex},
                    &output, timeoutMs))
        return {};
    QList<WindowId> windows;
    for (const QByteArray &line : output.split('\n')) {
        bool ok = false;
        const WindowId id = line.trimmed().toULongLong(&ok);
        if (ok)
            windows.append(id);
    }
    return windows;
}

WindowId Harness::waitForWindow(const QString &titleRegex, int timeoutMs)
{
    const QList<WindowId> windows = findWindows(titleRegex, timeoutMs);
    return windows.isEmpty() ? 0 : windows.first();
}

WindowId Harness::openBoard(int timeoutMs)
{
    if (!startApp())
        return 0;
    const WindowId splash = waitForWindow(splashTitle(), timeoutMs);
    if (splash == 0)
        return 0;
    const QRect frame = windowGeometry(splash);
    if (!click(splash, QPoint(frame.width() / 2, frame.height() / 4)))
        return 0;
    return waitForWindow(QStringLiteral("^Vantrell$"), timeoutMs);
}

QRect Harness::windowGeometry(WindowId window)
{
    QByteArray output;
    if (!runXdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                     windowArg(window)},
                    &output))
        return {};
    int values[4] = {0, 0, 0, 0};
    const char *keys[4] = {"X=", "Y=", "WIDTH=", "HEIGHT="};
    for (const QByteArray &line : output.split('\n')) {
        for (int i = 0; i < 4; ++i) {
            if (line.startsWith(keys[i]))
                values[i] = line.mid(qstrlen(keys[i])).toInt();
        }
    }
    return {values[0], values[1], values[2], values[3]};
}

QString Harness::windowTitle(WindowId window)
{
    QByteArray output;
    if (!runXdotool({QStringLiteral("getwindowname"), windowArg(window)}, &output))
        return {};
    return QString::fromUtf8(output).trimmed();
}

QImage Harness::grab(WindowId window)
{
    QByteArray png;
    if (!runTool(QStringLiteral("import"),
                 {QStringLiteral("-window"), windowArg(window), QStringLiteral("png:-")}, &png,
                 10000))
        return {};
    QImage image;
    if (!image.loadFromData(png, "PNG")) {
        fail(QStringLiteral("import gave %1 bytes that are no PNG").arg(png.size()));
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QString Harness::shotsDir()
{
    const QString fromEnv = qEnvironmentVariable("VANTRELL_E2E_SHOTS_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
#ifdef VANTRELL_E2E_SHOTS_DIR
    return QStringLiteral(VANTRELL_E2E_SHOTS_DIR);
#else
    return QDir::temp().filePath(QStringLiteral("vantrell-e2e-shots"));
#endif
}

QString Harness::saveShot(const QImage &image, const QString &name)
{
    QDir dir(shotsDir());
    dir.mkpath(QStringLiteral("."));
    QString file = name;
    file.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]+")), QStringLiteral("_"));
    const QString path = dir.filePath(file + QStringLiteral(".png"));
    if (image.isNull() || !image.save(path, "PNG")) {
        fail(QStringLiteral("cannot save %1").arg(path));
        return {};
    }
    return path;
}

bool Harness::focus(WindowId window)
{
    if (window == 0)
        return fail(QStringLiteral("no window to send keys to"));
    return runXdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), windowArg(window)});
}

bool Harness::click(WindowId window, const QPoint &at, int button)
{
    if (window == 0)
        return fail(QStringLiteral("no window to click"));
    // No --sync: this xdotool waits forever when the pointer is already
    // there. The warp and the click go over one connection, so the server
    // still moves the pointer first.
    return runXdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), windowArg(window),
                       QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                       QString::number(button)});
}

bool Harness::key(WindowId window, const QString &keysyms)
{
    if (!focus(window))
        return false;
    // To the focused window through XTEST, like a keyboard: a key that
    // closes its window must not make the release fail.
    QStringList arguments = {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")};
    arguments += keysyms.split(u' ', Qt::SkipEmptyParts);
    return runXdotool(arguments);
}

bool Harness::type(WindowId window, const QString &text)
{
    if (!focus(window))
        return false;
    return runXdotool({QStringLiteral("type"), QStringLiteral("--window"), windowArg(window),
                       QStringLiteral("--delay"), QStringLiteral("30"), QStringLiteral("--"),
                       text},
                      nullptr, 5000 + 100 * int(text.size()));
}

bool Harness::resize(WindowId window, const QSize &size)
{
    if (window == 0)
        return fail(QStringLiteral("no window to resize"));
    if (windowGeometry(window).size() == size)
        return true;
    return runXdotool({QStringLiteral("windowsize"), QStringLiteral("--sync"), windowArg(window),
                       QString::number(size.width()), QString::number(size.height())});
}

BoardReader::SetReading Harness::readSet(WindowId window, BoardGeometry::FigureSet set,
                                         const BoardReader::BoardColours &colours)
{
    const QImage image = grab(window);
    if (image.isNull()) {
        BoardReader::SetReading nothing;
        nothing.set = set;
        return nothing;
    }
    return BoardReader::readSet(image, set, colours);
}

QString Harness::readText(WindowId window, BoardGeometry::FigureSet set,
                          const BoardReader::BoardColours &colours)
{
    return readSet(window, set, colours).text();
}

bool Harness::waitForText(WindowId window, BoardGeometry::FigureSet set, const QString &expected,
                          int timeoutMs, QString *lastSeen,
                          const BoardReader::BoardColours &colours)
{
    QString seen;
    const bool ok = waitUntil(
        [&] {
            const QImage image = grab(window);
            if (image.isNull()) {
                seen = QStringLiteral("no screenshot: %1").arg(m_lastError);
                return false;
            }
            const BoardReader::SetReading reading = BoardReader::readSet(image, set, colours);
            seen = reading.describe();
            return reading.text() == expected;
        },
        timeoutMs);
    if (lastSeen)
        *lastSeen = seen;
    return ok;
}

} // namespace E2e
