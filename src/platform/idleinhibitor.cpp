// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/idleinhibitor.h"

#include "platform/x11saverreset.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString PortalInhibit = QStringLiteral("org.freedesktop.portal.Inhibit");
const QString PortalRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString SaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString SaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString SaverInterface = SaverService;

// The portal's flags: 4 suspend, 8 idle. Idle alone would still let some
// desktops suspend a laptop left alone in a long pause.
constexpr uint SuspendAndIdle = 4 | 8;
// A desktop that does not answer is given up on in time for the X server's
// own saver, which blanks after ten minutes unless told otherwise.
constexpr int AskTimeoutMs = 10000;

// The desktop shows it to the user, as why the screen does not blank.
QString reason()
{
    return QCoreApplication::translate("IdleInhibitor", "The scoreboard is open");
}
// Releasing happens on the way out; a desktop that does not answer must not
// hold the program up for long.
constexpr int ReleaseTimeoutMs = 1000;

QDBusConnection bus()
{
    return QDBusConnection::sessionBus();
}

// Where the portal will put the request for `token`, known before asking so
// its answer cannot arrive unheard.
QString portalRequestPath(const QString &token)
{
    QString sender = bus().baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return PortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

} // namespace

IdleInhibitor::IdleInhibitor(QObject *parent)
    : QObject(parent)
{
    if (bus().isConnected())
        askPortal();
    else
        holdXServer();
}

IdleInhibitor::~IdleInhibitor()
{
    release();
}

template<typename Answer> void IdleInhibitor::onReply(const QDBusPendingCall &call, Answer answer)
{
    auto *watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, answer] {
        watcher->deleteLater();
        answer(*watcher);
    });
}

void IdleInhibitor::askPortal()
{
    m_hold = Hold::Portal;
    const QString token = QStringLiteral("vantrell%1").arg(QRandomGenerator::global()->generate());
    m_request = portalRequestPath(token);
    watchPortalRequest(m_request, true);
    QDBusMessage call = QDBusMessage::createMethodCall(PortalService, PortalPath, PortalInhibit,
                                                       QStringLiteral("Inhibit"));
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("reason"), reason()}};
    call << QString() << SuspendAndIdle << options;
    onReply(bus().asyncCall(call, AskTimeoutMs),
            [this](const QDBusPendingReply<QDBusObjectPath> &reply) {
                if (m_hold != Hold::Portal)
                    return;
                if (reply.isError()) {
                    portalRefused();
                    return;
                }
                // An older portal does not honour the token: follow where it put it.
                const QString path = reply.value().path();
                if (path != m_request) {
                    watchPortalRequest(m_request, false);
                    m_request = path;
                    watchPortalRequest(m_request, true);
                }
            });
}

void IdleInhibitor::watchPortalRequest(const QString &path, bool watch)
{
    const QString member = QStringLiteral("Response");
    if (watch)
        bus().connect(PortalService, path, PortalRequest, member, this,
                      SLOT(portalResponse(uint, QVariantMap)));
    else
        bus().disconnect(PortalService, path, PortalRequest, member, this,
                         SLOT(portalResponse(uint, QVariantMap)));
}

void IdleInhibitor::portalResponse(uint response, const QVariantMap &)
{
    if (m_hold == Hold::Portal && response != 0)
        portalRefused();
}

void IdleInhibitor::portalRefused()
{
    watchPortalRequest(m_request, false);
    m_request.clear();
    askScreenSaver();
}

void IdleInhibitor::askScreenSaver()
{
    m_hold = Hold::ScreenSaver;
    QDBusMessage call = QDBusMessage::createMethodCall(SaverService, SaverPath, SaverInterface,
                                                       QStringLiteral("Inhibit"));
    call << QCoreApplication::applicationName() << reason();
    onReply(bus().asyncCall(call, AskTimeoutMs), [this](const QDBusPendingReply<uint> &reply) {
        if (reply.isError()) {
            holdXServer();
            return;
        }
        m_cookie = reply.value();
        m_haveCookie = true;
    });
}

void IdleInhibitor::holdXServer()
{
    m_xserver = startX11SaverReset(this);
    m_hold = m_xserver ? Hold::XServer : Hold::Nothing;
}

void IdleInhibitor::release()
{
    QDBusMessage call;
    if (m_hold == Hold::Portal && !m_request.isEmpty()) {
        call = QDBusMessage::createMethodCall(PortalService, m_request, PortalRequest,
                                              QStringLiteral("Close"));
    } else if (m_hold == Hold::ScreenSaver && m_haveCookie) {
        call = QDBusMessage::createMethodCall(SaverService, SaverPath, SaverInterface,
                                              QStringLiteral("UnInhibit"));
        call << m_cookie;
    } else {
        return;
    }
    // Waited for, so the desktop has it before the program is gone.
    bus().call(call, QDBus::Block, ReleaseTimeoutMs);
    m_hold = Hold::Nothing;
}
