// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardreader.h"

#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// Drives the real program the way a person would: on its own X server, seen
// only through screenshots, touched only through the mouse and keyboard.
namespace E2e {

using WindowId = quint64;

// Polls until the condition holds or the time is up; true if it held.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int pollMs = 40);

class Harness
{
public:
    explicit Harness(const QString &binary);
    ~Harness();

    // On a display it picks itself, so parallel runs never race for one.
    bool startDisplay(const QSize &screen = QSize(3840, 2160));
    // The store the program finds on its next start; keys are "Group/Key".
    bool writeSettingsFile(const QByteArray &iniText) { return writeFile(settingsPath(), iniText); }
    QVariant setting(const QString &key) const
    {
        return QSettings(settingsPath(), QSettings::IniFormat).value(key);
    }
    // How the program writes numbers from its next start: "de_DE" for 0,45.
    void setNumericLocale(const QString &locale) { m_numericLocale = locale; }

    QString display() const { return m_display; }
    // The program's home: its settings and its game journals below it.
    QString homePath() const { return m_home.path(); }
    bool startApp();
    void stopApp() { stop(m_app); }
    // As a crash or a power cut would end it: no chance to write anything.
    void killApp()
    {
        if (m_app)
            m_app->kill(), m_app->waitForFinished(5000);
    }
    bool requestClose(WindowId window); // as a window manager would
    bool waitForAppExit(int timeoutMs)
    {
        return m_app->waitForFinished(timeoutMs) || m_app->state() == QProcess::NotRunning;
    }
    int appExitCode() const { return m_app->exitCode(); }
    QString appLog() const;

    QList<WindowId> visibleWindows(const QString &titleRegex);
    WindowId waitForWindow(const QString &titleRegex, int timeoutMs = 10000);
    bool waitForWindowGone(const QString &titleRegex, int timeoutMs = 5000)
    {
        return waitUntil([&] { return visibleWindows(titleRegex).isEmpty(); }, timeoutMs);
    }
    // Starts the program and clicks its splash away: the board, or 0.
    WindowId openBoard();
    static QString splashTitle() { return QStringLiteral("^Welcome to Vantrell$"); }

    QRect windowGeometry(WindowId window);
    // Where the window's client area lies on the screen, frame left out.
    QRect clientOnScreen(WindowId window);
    QImage grab(WindowId window);
    // Every monitor at one instant.
    QImage grabScreen() { return grab(0); }
    QString saveShot(const QImage &image, const QString &name);
    bool click(WindowId window, const QPoint &at);
    // Keysyms apart by spaces, chords with '+': "shift+equal 3 Return".
    bool key(WindowId window, const QString &keysyms);
    bool resize(WindowId window, const QSize &size);
    bool runXdotool(const QStringList &arguments, QByteArray *output = nullptr)
    {
        return run(QStringLiteral("xdotool"), arguments, output);
    }
    // The game sheet saved as a PDF through the record window (F3) and its
    // file chooser, read back as text with every space taken out (the
    // layout may close up the spaces about a dash); empty on a failure.
    QString gameSheetText(WindowId board);
    QString readText(WindowId window, BoardGeometry::FigureSet set)
    {
        return BoardReader::readText(grab(window), set);
    }
    // *lastSeen says what it read last.
    bool waitForText(WindowId window, BoardGeometry::FigureSet set, const QString &expected,
                     int timeoutMs, QString *lastSeen = nullptr,
                     const BoardReader::BoardColours &colours = {});

    bool startSoundServer();
    QStringList soundStreams(); // a line for each playback stream now
    bool startWindowManager();
    // A session bus of the harness's own, given to the program (else it has
    // none, never the desktop's); a test plays the services it wants on it.
    bool startSessionBus();
    QString sessionBusAddress() const { return m_busAddress; }
    bool screenSaverOn(); // the X server's own

    bool numLockOn(bool *ok = nullptr); // false on *ok when unread
    bool setNumLock(bool on); // struck as a keyboard would
    bool setKeyboardLayout(const QStringList &arguments) { return run("setxkbmap", arguments); }

    // Runs a tool against the harness's display, sound server and home.
    bool run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr,
             int timeoutMs = 5000);
    QString lastError() const { return m_lastError; }

private:
    QProcess &startProcess(std::unique_ptr<QProcess> &process, const QString &program,
                           const QStringList &arguments, const QString &log);
    QProcessEnvironment toolEnvironment() const;
    bool writeFile(const QString &path, const QByteArray &bytes);
    QString settingsPath() const { return m_home.filePath(".config/Vantrell/Vantrell.conf"); }
    bool fail(const QString &message) { return m_lastError = message, false; }
    static void stop(const std::unique_ptr<QProcess> &process);

    QString m_binary;
    QTemporaryDir m_home;
    QString m_display, m_numericLocale, m_busAddress, m_lastError;
    std::unique_ptr<QProcess> m_xserver, m_soundServer, m_windowManager, m_sessionBus, m_app;
};

} // namespace E2e
