#pragma once

#include "boardgeometry.h"
#include "boardreader.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <functional>
#include <memory>

// Drives the real program the way a person would: on its own X server, seen
// only through screenshots, touched only through the mouse and keyboard.
//
// Keypad keys: `xdotool key KP_1` toggles NumLock on its own to reach the
// digit, so send the NumLock-off keysyms instead (KP_End for 1, KP_Down for
// 2, ... see keypadKeysym()). KP_Add, KP_Subtract, KP_Multiply, KP_Divide and
// KP_Enter are the same either way.
namespace E2e {

using WindowId = quint64;

// Every child is killed by the kernel when the test process dies, however it
// dies, so a crashed test leaves no X server or program behind.
void dieWithParent(QProcess &process);

// The NumLock-off keysym of a keypad key: '0'..'9' and '.'; empty otherwise.
QString keypadKeysym(QChar key);

// Polls until the condition holds or the time is up; true if it held.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int pollMs = 40);

class XServer
{
public:
    XServer() = default;
    ~XServer();
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    // Lets the server pick a free display itself, so parallel runs never race
    // for one, then waits until it answers clients.
    bool start(const QSize &screen, const QString &logFile, QString *error);
    void stop();
    bool isRunning() const;
    QString display() const { return m_display; }

private:
    bool waitForDisplayNumber(int timeoutMs, QString *error);
    bool waitUntilAnswering(int timeoutMs);

    QProcess m_process;
    QString m_display;
};

class Harness
{
public:
    explicit Harness(const QString &binary);
    ~Harness();
    Harness(const Harness &) = delete;
    Harness &operator=(const Harness &) = delete;

    // Large enough for the window to be resized to 4K later on.
    bool startDisplay(const QSize &screen = QSize(3840, 2160));
    QString display() const { return m_xserver.display(); }

    // The program's XDG_CONFIG_HOME: a fresh folder per harness.
    QString configHome() const;
    QString settingsPath() const;
    // Settings written before startApp() are what the program finds on its
    // first start. Keys are "Group/Key".
    bool setSetting(const QString &key, const QVariant &value);
    bool writeSettingsFile(const QByteArray &iniText);
    QVariant setting(const QString &key) const;

    bool startApp(const QStringList &arguments = {});
    // Asks the window to close the way a window manager would; the program
    // may save its settings on the way out.
    bool requestClose(WindowId window);
    bool waitForAppExit(int timeoutMs);
    // Terminates, then kills after the grace time.
    void stopApp(int graceMs = 2000);
    bool isAppRunning() const;
    int appExitCode() const;
    QString appLog() const;

    // The visible windows whose title matches the regular expression, waiting
    // up to the timeout for the first to appear.
    QList<WindowId> findWindows(const QString &titleRegex, int timeoutMs = 10000);
    WindowId waitForWindow(const QString &titleRegex = QStringLiteral("^Vantrell$"),
                           int timeoutMs = 10000);
    // Starts the program, waits for its splash and clicks it: the board's
    // window, or 0.
    WindowId openBoard(int timeoutMs = 15000);
    static QString splashTitle() { return QStringLiteral("^Welcome to Vantrell$"); }

    QRect windowGeometry(WindowId window);
    QString windowTitle(WindowId window);

    QImage grab(WindowId window);
    // Saved under the shots folder; returns the path written.
    QString saveShot(const QImage &image, const QString &name);
    static QString shotsDir();

    bool click(WindowId window, const QPoint &at, int button = 1);
    // One or more keysyms separated by spaces, chords with '+': "ctrl+s Return".
    bool key(WindowId window, const QString &keysyms);
    bool type(WindowId window, const QString &text);
    bool resize(WindowId window, const QSize &size);

    // Reading the board straight off the window.
    BoardReader::SetReading readSet(WindowId window, BoardGeometry::FigureSet set,
                                    const BoardReader::BoardColours &colours = {});
    QString readText(WindowId window, BoardGeometry::FigureSet set,
                     const BoardReader::BoardColours &colours = {});
    // Waits until the set reads as expected; on failure *lastSeen says what it
    // read last.
    bool waitForText(WindowId window, BoardGeometry::FigureSet set, const QString &expected,
                     int timeoutMs, QString *lastSeen = nullptr,
                     const BoardReader::BoardColours &colours = {});

    bool runXdotool(const QStringList &arguments, QByteArray *output = nullptr,
                    int timeoutMs = 5000);

    // The visible windows whose title matches, as they are now, without
    // waiting for one to appear.
    QList<WindowId> visibleWindows(const QString &titleRegex);

    // Runs the program from a copy of its folder that lacks the named files.
    bool useProgramFolderWithout(const QStringList &missing);

    // A PulseAudio server of the harness's own, with a null sink, in the
    // program's runtime folder. The program finds no sound device without it.
    bool startSoundServer();
    // openbox on the harness's display, as an operator's desktop would frame
    // the program's windows; the harness has none unless asked.
    bool startWindowManager();

    // The ids of the playback streams the sound server has now.
    QStringList soundStreams();
    // What `pactl list <what>` reports, e.g. "clients" or "sink-inputs".
    QByteArray soundServerList(const QString &what);

    // A D-Bus session bus of the harness's own, which the program is given;
    // without one the program finds no bus, never the desktop's. Nothing is
    // started on it: a test plays the services it wants.
    bool startSessionBus();
    QString sessionBusAddress() const { return m_busAddress; }

    // The X server's own screen saver: its timeout, and whether it is on.
    bool setScreenSaverTimeout(int seconds);
    bool screenSaverOn(bool *ok = nullptr);

    // The server's NumLock as `xset q` reports it; false on *ok when unread.
    bool numLockOn(bool *ok = nullptr);
    // Toggles NumLock until it is as wanted, as a key on the keyboard would.
    bool setNumLock(bool on);
    // The server's keymap, as `setxkbmap` takes it: {"fr"}, {"us,fr"}.
    bool setKeyboardLayout(const QStringList &setxkbmapArguments);
    // How the program writes numbers ("de_DE" for a decimal comma), from its
    // next start on.
    void setNumericLocale(const QString &locale) { m_numericLocale = locale; }
    QString lastError() const { return m_lastError; }

private:
    bool runTool(const QString &program, const QStringList &arguments, QByteArray *output,
                 int timeoutMs);
    bool focus(WindowId window);
    QProcessEnvironment appEnvironment() const;
    bool fail(const QString &message);

    QString runtimeDir() const;

    QString m_binary;
    QTemporaryDir m_home;
    QTemporaryDir m_programCopy;
    std::unique_ptr<QProcess> m_soundServer;
    std::unique_ptr<QProcess> m_sessionBus;
    QString m_busAddress;
    std::unique_ptr<QProcess> m_windowManager;
    XServer m_xserver;
    std::unique_ptr<QProcess> m_app;
    QString m_lastError;
    QString m_numericLocale;
};

} // namespace E2e
