// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusPendingCall;

// Keeps the screen on and the computer awake for as long as it lives, so a
// long pause never blanks the projector in front of the audience. It asks
// the desktop through its standard services, the portal first, then the
// screen saver service; where neither grants it, it holds off the X server's
// own saver. Without a session bus or an X display it does nothing. What it
// holds is released when it is destroyed.
class IdleInhibitor : public QObject
{
    Q_OBJECT

public:
    explicit IdleInhibitor(QObject *parent = nullptr);
    ~IdleInhibitor() override;

private slots:
    // The portal's verdict, sent on the request's own object.
    void portalResponse(uint response, const QVariantMap &results);

private:
    enum class Hold { Nothing, Portal, ScreenSaver, XServer };

    void askPortal();
    void portalRefused();
    void askScreenSaver();
    void holdXServer();
    void release();
    void watchPortalRequest(const QString &path, bool watch);
    template<typename Answer> void onReply(const QDBusPendingCall &call, Answer answer);

    Hold m_hold = Hold::Nothing;
    // The portal's request object: closing it ends the inhibition.
    QString m_request;
    bool m_haveCookie = false;
    uint m_cookie = 0;
    QObject *m_xserver = nullptr;
};
