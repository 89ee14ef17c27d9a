// SPDX-License-Identifier: GPL-3.0-or-later
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
namespace E2e {

using WindowId = quint64;

// Polls until the condition holds or the time is up; true if it held.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int pollMs = 40);

class Harness
{
public:
    explicit Harness(const QString &binary);
    ~Harness();
    Harness(const Harness &) = delete;
    Harness &operator=(const Harness &) = delete;

    // On a display it picks itself, so parallel runs never race for one.
    bool startDisplay(const QSize &screen = QSize(3840, 2160));
    // The store the program finds on its next start; keys are "Group/Key".
    bool writeSettingsFile(const QByteArray &iniText);
    QVariant setting(const QString &key) const;
    // Runs the program from a copy of its folder that lacks the named files.
    bool useProgramFolderWithout(const QStringList &missing);
    // How the program writes numbers from its next start: "de_DE" for 0,45.
    void setNumericLocale(const QString &locale) { m_numericLocale = locale; }

    QString display() const { return m_display; }
    bool startApp(const QStringList &arguments = {});
    void stopApp();
    // Asks the window to close the way a window manager would.
    bool requestClose(WindowId window);
    bool waitForAppExit(int timeoutMs);
    bool isAppRunning() const;
    int appExitCode() const;
    QString appLog() const;

    // The visible windows whose title matches now; the first within the timeout.
    QList<WindowId> visibleWindows(const QString &titleRegex);
    WindowId waitForWindow(const QString &titleRegex = QStringLiteral("^Vantrell$"),
                           int timeoutMs = 10000);
    // Starts the program and clicks its splash away: the board, or 0.
    WindowId openBoard(int timeoutMs = 15000);
    static QString splashTitle() { return QStringLiteral("^Welcome to Vantrell$"); }

    QRect windowGeometry(WindowId window);
    QImage grab(WindowId window);
    // Kept in the build's shots folder.
    QString saveShot(const QImage &image, const QString &name);
    bool click(WindowId window, const QPoint &at);
    // Keysyms apart by spaces, chords with '+': "shift+equal 3 Return".
    bool key(WindowId window, const QString &keysyms);
    bool resize(WindowId window, const QSize &size);
    bool runXdotool(const QStringList &arguments, QByteArray *output = nullptr,
                    int timeoutMs = 5000)
    {
        return run(QStringLiteral("xdotool"), arguments, output, timeoutMs);
    }

    QString readText(WindowId window, BoardGeometry::FigureSet set,
                     const BoardReader::BoardColours &colours = {});
    // Waits until the set reads as expected; *lastSeen says what it read last.
    bool waitForText(WindowId window, BoardGeometry::FigureSet set, const QString &expected,
                     int timeoutMs, QString *lastSeen = nullptr,
                     const BoardReader::BoardColours &colours = {});

    // The harness's own sound server (else the program finds none), bus (else
    // none) and window manager (else windows are not framed).
    bool startSoundServer();
    QStringList soundStreams(); // the ids of the playback streams now
    QByteArray soundServerList(const QString &what); // `pactl list <what>`
    bool startWindowManager();
    bool startSessionBus();
    QString sessionBusAddress() const { return m_busAddress; }

    bool setScreenSaverTimeout(int seconds);
    bool screenSaverOn(bool *ok = nullptr);
    bool numLockOn(bool *ok = nullptr); // false on *ok when unread
    bool setNumLock(bool on); // struck as a keyboard would
    // As `setxkbmap` takes it: {"fr"}, {"us,fr"}.
    bool setKeyboardLayout(const QStringList &setxkbmapArguments);
    QString lastError() const { return m_lastError; }

private:
    bool run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr,
             int timeoutMs = 5000);
    QProcess &startProcess(std::unique_ptr<QProcess> &process, const QString &program,
                           const QStringList &arguments, const QString &log);
    QProcessEnvironment toolEnvironment() const;
    QString settingsPath() const;
    QString runtimeDir() const;
    bool fail(const QString &message);

    QString m_binary;
    QTemporaryDir m_home;
    QTemporaryDir m_programCopy;
    QString m_display;
    QString m_busAddress;
    QString m_numericLocale;
    QString m_lastError;
    std::unique_ptr<QProcess> m_xserver;
    std::unique_ptr<QProcess> m_soundServer;
    std::unique_ptr<QProcess> m_sessionBus;
    std::unique_ptr<QProcess> m_windowManager;
    std::unique_ptr<QProcess> m_app;
};

} // namespace E2e
