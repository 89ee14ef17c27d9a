// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QThread>
#include <QtTest>

using E2e::Harness;

namespace {

// The desktop services that keep a screen awake, played on the harness's bus
// in a thread of their own, since the harness waits by sleeping. Each call
// is noted as "<service> <method> <argument>".
class FakeDesktop : public QDBusVirtualObject
{
public:
    enum Service { Portal = 1, RefusingPortal = 2, ScreenSaver = 4 };

    FakeDesktop(const QString &busAddress, int services)
        : m_bus(QDBusConnection::connectToBus(busAddress, "fake-desktop"))
        , m_refuse(services & RefusingPortal)
    {
        m_bus.registerVirtualObject("/", this, QDBusConnection::SubPath);
        moveToThread(&m_thread);
        m_thread.start();
        if (services & (Portal | RefusingPortal))
            m_bus.registerService("org.freedesktop.portal.Desktop");
        if (services & ScreenSaver)
            m_bus.registerService("org.freedesktop.ScreenSaver");
    }
    ~FakeDesktop() override
    {
        m_bus.unregisterObject("/");
        QDBusConnection::disconnectFromBus("fake-desktop");
        m_thread.quit();
        m_thread.wait();
    }
    QStringList calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &call, const QDBusConnection &bus) override
    {
        const QString method = call.interface() + '.' + call.member();
        const QVariantList args = call.arguments();
        QMutexLocker lock(&m_mutex);
        if (call.interface() == "org.freedesktop.ScreenSaver") {
            m_calls << "saver " + call.member() + ' ' + args.value(0).toString();
            return bus.send(call.member() == "Inhibit" ? call.createReply(QVariant::fromValue(42u))
                                                       : call.createReply());
        }
        if (method == "org.freedesktop.portal.Inhibit.Inhibit") {
            m_calls << "portal Inhibit " + args.value(1).toString();
            const QString token =
                qdbus_cast<QVariantMap>(args.value(2)).value("handle_token").toString();
            m_request = "/org/freedesktop/portal/desktop/request/" +
                call.service().mid(1).replace('.', '_') + '/' + token;
            bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(m_request))));
            QDBusMessage response =
                QDBusMessage::createSignal(m_request, "org.freedesktop.portal.Request", "Response");
            response << uint(m_refuse ? 2 : 0) << QVariantMap();
            return bus.send(response);
        }
        if (method == "org.freedesktop.portal.Request.Close") {
            m_calls << (call.path() == m_request ? "portal Close" : "portal Close elsewhere");
            return bus.send(call.createReply());
        }
        return false;
    }

private:
    QDBusConnection m_bus;
    bool m_refuse;
    QThread m_thread;
    mutable QMutex m_mutex;
    QStringList m_calls;
    QString m_request;
};

} // namespace

// The real process from its start to its end, and its sounds on a real
// sound server.
class TestE2eStartUp : public QObject
{
    Q_OBJECT

private slots:
    // A click on the splash opens the board and closes the splash. Closing
    // the splash, or the board with help open, ends the program.
    void lifecycle_data()
    {
        QTest::addColumn<bool>("board");
        QTest::newRow("the splash closed") << false;
        QTest::newRow("the board closed, help open") << true;
    }
    void lifecycle()
    {
        QFETCH(bool, board);
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay() && harness.startApp(), qPrintable(harness.lastError()));
        E2e::WindowId window = harness.waitForWindow(Harness::splashTitle(), 15000);
        QVERIFY2(window != 0, qPrintable(harness.lastError() + harness.appLog()));
        if (board) {
            QVERIFY(harness.click(window, QPoint(40, 30)));
            window = harness.waitForWindow(QStringLiteral("^Vantrell$"), 15000);
            QVERIFY(harness.waitForWindowGone(Harness::splashTitle()));
            QVERIFY(harness.key(window, QStringLiteral("F1")));
            QVERIFY(harness.waitForWindow(QStringLiteral("^Vantrell Help$"), 10000) != 0);
        }
        QVERIFY2(harness.requestClose(window), qPrintable(harness.lastError()));
        QVERIFY(harness.waitForAppExit(10000));
        QCOMPARE(harness.appExitCode(), 0);
    }

    // A long pause must not blank the projector: the board holds the
    // desktop's inhibit while it is open, or else keeps the X server's own
    // saver off; closing it lets go.
    void boardKeepsTheScreenAwake_data()
    {
        QTest::addColumn<int>("services");
        QTest::addColumn<QStringList>("whileOpen");
        QTest::addColumn<QStringList>("afterClose");
        const QString portal = QStringLiteral("portal Inhibit 12");
        const QString saver = QStringLiteral("saver Inhibit Vantrell");
        QTest::newRow("portal") << int(FakeDesktop::Portal) << QStringList{portal}
                                << QStringList{portal, QStringLiteral("portal Close")};
        QTest::newRow("portal refuses, screen saver service")
            << int(FakeDesktop::RefusingPortal | FakeDesktop::ScreenSaver)
            << QStringList{portal, saver}
            << QStringList{portal, saver, QStringLiteral("saver UnInhibit 42")};
        QTest::newRow("no service") << 0 << QStringList{} << QStringList{};
    }
    void boardKeepsTheScreenAwake()
    {
        QFETCH(int, services);
        QFETCH(QStringList, whileOpen);
        QFETCH(QStringList, afterClose);
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay() && harness.startSessionBus(),
                 qPrintable(harness.lastError()));
        FakeDesktop desktop(harness.sessionBusAddress(), services);
        QVERIFY(harness.run(QStringLiteral("xset"), {"s", "3", "3"}));
        const E2e::WindowId board = harness.openBoard();
        QVERIFY(board != 0);
        QVERIFY2(E2e::waitUntil([&] { return desktop.calls() == whileOpen; }, 5000),
                 qPrintable(desktop.calls().join(QStringLiteral(", "))));
        if (services == 0)
            QVERIFY(!E2e::waitUntil([&] { return harness.screenSaverOn(); }, 7000, 200));
        QVERIFY2(harness.requestClose(board), qPrintable(harness.lastError()));
        QVERIFY(harness.waitForAppExit(10000));
        QCOMPARE(desktop.calls(), afterClose);
        if (services == 0)
            QVERIFY(E2e::waitUntil([&] { return harness.screenSaverOn(); }, 7000, 200));
    }

    // The buzzer key plays a stream; a second press meanwhile plays nothing;
    // once the end is reported the horn key plays.
    void soundsPlayOneAtATime()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay() && harness.startSoundServer(),
                 qPrintable(harness.lastError()));
        const E2e::WindowId board = harness.openBoard();
        QVERIFY(board != 0);
        QVERIFY(harness.key(board, QStringLiteral("b")));
        QStringList first;
        QVERIFY(E2e::waitUntil([&] { return !(first = harness.soundStreams()).isEmpty(); }, 10000));
        // A mixer lists it by the program's name and icon.
        QByteArray stream;
        QVERIFY(harness.run(QStringLiteral("pactl"), {"list", "sink-inputs"}, &stream));
        QVERIFY2(stream.contains("application.name = \"Vantrell\"") &&
                     stream.contains("application.icon_name = \"vantrell\""),
                 stream.constData());
        QVERIFY(harness.key(board, QStringLiteral("b")));
        QTest::qWait(300);
        QCOMPARE(harness.soundStreams(), first);
        // horn.wav lasts 1.8 s; the null sink reports its end a little later.
        QVERIFY(E2e::waitUntil([&] { return harness.soundStreams() != first; }, 10000));
        QVERIFY(harness.key(board, QStringLiteral("g")));
        QVERIFY(E2e::waitUntil(
            [&] {
                const QStringList now = harness.soundStreams();
                return !now.isEmpty() && now != first;
            },
            10000));
    }
};

QTEST_GUILESS_MAIN(TestE2eStartUp)
#include "tst_e2e_startup.moc"
