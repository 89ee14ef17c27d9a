// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/eventday.h"
#include "fakes.h"
#include "feed/feedserver.h"
#include "feed/feedstate.h"
#include "feed/feedswitch.h"
#include "game/game.h"
#include "input/modshowdigits.h"
#include "settings/settingsrecord.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QWebSocket>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using namespace Qt::Literals::StringLiterals;
using Change = std::function<void(Game &)>;

const QByteArray Handshake =
    "GET /live HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
    "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
    "Sec-WebSocket-Version: 13\r\n\r\n";
const FeedSettings OnLoopback{true, 0, QStringLiteral("127.0.0.1")};

// A connection that has sent `request` and keeps what comes back while
// `reading`.
struct RawClient
{
    RawClient(quint16 port, const QByteArray &request)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            if (reading)
                received += socket.readAll();
        });
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.write(request);
    }
    bool waitClosed(int ms = 3000)
    {
        return socket.state() == QAbstractSocket::UnconnectedState ||
            QSignalSpy(&socket, &QTcpSocket::disconnected).wait(ms);
    }
    QTcpSocket socket;
    QByteArray received;
    bool reading = true;
};

// The whole answer to one request: the server closes after it.
QByteArray exchange(quint16 port, const QByteArray &request)
{
    RawClient client(port, request);
    client.waitClosed();
    return client.received;
}

QByteArray get(quint16 port, const QByteArray &path)
{
    const QByteArray answer = exchange(port, "GET " + path + " HTTP/1.1\r\n\r\n");
    if (!answer.startsWith("HTTP/1.1 200"))
        return answer.left(12);
    return answer.mid(answer.indexOf("\r\n\r\n") + 4);
}

QByteArray getState(quint16 port)
{
    return get(port, "/state.json");
}

// A field of a document by its path, "home/penalties/0/running"; an object
// or a list as compact JSON, the whole document for an empty path.
QString field(const QByteArray &json, const QString &path)
{
    QJsonValue value = QJsonDocument::fromJson(json).object();
    for (const QString &key : path.split('/', Qt::SkipEmptyParts))
        value = value.isArray() ? value[key.toInt()] : value[key];
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    return value.toVariant().toString();
}

// On the field North: a win, a forfeit on South and a draw in group A,
// then B's match on South and A's last on North still to play.
Schedule daySchedule()
{
    const auto at = [](int hour, int minute) {
        return QDateTime(QDate(2026, 6, 13), QTime(hour, minute));
    };
    const auto match = [](QDateTime start, const char *field, const char *group, const char *home,
                          const char *visitor, ScheduledState state, int homeScore,
                          int visitorScore) {
        return ScheduledMatch{start,   field,
                              group,   home,
                              visitor, QStringLiteral("Race to 5"),
                              state,   {homeScore, visitorScore, QString()}};
    };
    Schedule day;
    day.field = QStringLiteral("North");
    day.matches = {match(at(9, 0), "North", "A", "Alpha", "Bravo", ScheduledState::Played, 5, 3),
                   match(at(9, 0), "South", "A", "Charlie", "Delta", ScheduledState::Forfeit, 7, 0),
                   match(at(10, 0), "North", "A", "Alpha", "Charlie", ScheduledState::Played, 2, 2),
                   match(at(14, 0), "South", "B", "Echo", "Foxtrot", ScheduledState::ToPlay, 0, 0),
                   match(at(14, 30), "North", "A", "Bravo", "Delta", ScheduledState::ToPlay, 0, 0)};
    return day;
}

struct LiveClient
{
    explicit LiveClient(quint16 port)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived,
                         [this](const QString &message) { messages.append(message.toUtf8()); });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
    }
    QWebSocket socket;
    QByteArrayList messages;
};

} // namespace

Q_DECLARE_METATYPE(Change)

// The live feed as its clients see it, on 127.0.0.1 and a free port.
class TestFeed : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetSettingsRecord();
        m_game = std::make_unique<Game>(m_time);
        m_game->startUp();
        m_event = std::make_unique<EventDay>();
        m_feeds = std::make_unique<FeedSwitch>(*m_game, m_event.get(), QString(), QByteArray());
        QVERIFY(m_feeds->apply(OnLoopback));
    }
    void cleanup() { m_feeds.reset(), m_event.reset(), m_game.reset(); }

    void stateAfterChange_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *path, const char *expected,
                            Change change) {
            QTest::newRow(name) << change << QString(path) << QString(expected);
        };
        constexpr auto Home = FigureRowId::HomeScore;
        row("a score typed", "home/score/text", " 7",
            [](Game &g) { g.scoreKey(Home, '7'), g.scoreKey(Home, 13); });
        row("a lamp", "lamp", "visitor", [](Game &g) { g.toggleLamp(GoalLamp::Visitor); });
        row("a mark", "visitor/marks/0", "green", [](Game &g) { g.clickMark(3, true); });
        row("a penalty given", "home/penalties/2/text", "1:30",
            [](Game &g) { g.enterPenaltyTime(5, ClockValue::fromSeconds(90)); });
        // The figures' text at the limits, under a minute and blank, as the
        // board shows them.
        row("the game clock's limit", "gameClock/text", "99:59",
            [](Game &g) { g.enterGameTime(ClockValue::fromSeconds(5999)); });
        row("the game clock under a minute", "gameClock/text", "45.5 ",
            [](Game &g) { g.enterGameTime(ClockValue::fromTenths(455)); });
        row("the shot clock under a minute", "shotClock/text", "  :46",
            [](Game &g) { g.enterShotTime(ClockValue::fromTenths(455)); });
        row("a penalty's limit", "visitor/penalties/0/text", "9:59",
            [](Game &g) { g.enterPenaltyTime(3, ClockValue::fromSeconds(599)); });
        row("a score's limit", "visitor/score/text", "99", [](Game &g) {
            g.scoreKey(FigureRowId::VisitorScore, '9'), g.scoreKey(FigureRowId::VisitorScore, '9'),
                g.scoreKey(FigureRowId::VisitorScore, 13);
        });
        row("a score blank", "home/score/text", "  ",
            [](Game &g) { g.scoreKey(Home, '-'), g.scoreKey(Home, '1'); });
        row("a penalty running", "visitor/penalties/0/running", "true",
            [](Game &g) { g.startStopPenalty(3); });
        row("the game clock started", "gameClock/running", "true",
            [](Game &g) { g.startStopClock(); });
        row("time of day", "timeOfDay", "true", [](Game &g) { g.switchClockTime(); });
        row("a team name", "visitor/name", "Lions",
            [this](Game &) { settingsRecord().VisitorText = "Lions", m_feeds->settingsChanged(); });
        row("a colour, red in the low byte", "home/color", "#996633",
            [this](Game &) { settingsRecord().HomeColor = 0x336699, m_feeds->settingsChanged(); });
        row("dots", "led", "dots",
            [this](Game &) { settingsRecord().LEDType = 1, m_feeds->settingsChanged(); });
        row("a match begun", "match/strip", "Cup · Race to 5 · Ready", [](Game &g) {
            MatchFormat format;
            format.name = QStringLiteral("Cup");
            format.shortName = QStringLiteral("Cup");
            format.raceTo = 5;
            QVERIFY(g.beginMatch(format));
        });
    }
    void stateAfterChange()
    {
        QFETCH(Change, change);
        QFETCH(QString, path);
        QFETCH(QString, expected);
        // A tick just after a message waits out the rest of the 100 ms; what
        // the operator changes a moment later goes out as the command is done.
        m_game->startStopShot();
        m_time.advanceMs(1000), m_game->tick();
        QCoreApplication::processEvents();
        QVERIFY(sent() != FeedState::toJson(*m_game, settingsRecord()));
        QTRY_COMPARE(sent(), FeedState::toJson(*m_game, settingsRecord()));
        QVERIFY(field(sent(), path) != expected);
        // With no match the state has no match in it.
        QVERIFY(!QJsonDocument::fromJson(sent()).object().contains(QStringLiteral("match")));
        change(*m_game);
        QCOMPARE(field(sent(), path), expected);
        QCOMPARE(field(getState(port()), path), expected);
    }

    // The event's documents and the state's next match as a client reads
    // them once the event opens, or with none open.
    void eventDocuments_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QByteArray>("route");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        const auto row = [](
                             const char *name, bool open, const char *route, const char *path,
                             const char *expected, Change change = [](Game &) {}) {
            QTest::newRow(name) << open << change << QByteArray(route) << QString(path)
                                << QString::fromUtf8(expected);
        };
        row("a result", true, "/schedule.json", "matches/0/result", R"({"home":5,"visitor":3})");
        row("a forfeit", true, "/schedule.json", "matches/1/state", "forfeit");
        row("to play, no result", true, "/schedule.json", "matches/3/result", "");
        row("a start in local time", true, "/schedule.json", "matches/4/start",
            "2026-06-13T14:30:00");
        row("the next on this field", true, "/schedule.json", "next", "4");
        row("a draw's row", true, "/standings.json", "groups/0/rows/1",
            R"({"against":5,"difference":2,"drawn":1,"for":7,"lost":0,"place":2,)"
            R"("played":2,"points":4,"team":"Alpha","won":1})");
        row("next between matches", true, "/state.json", "next/visitor", "Delta");
        row("no next in a match", true, "/state.json", "next", "", [](Game &g) {
            MatchFormat format;
            format.name = format.shortName = QStringLiteral("Race to 5");
            format.raceTo = 5;
            QVERIFY(g.beginMatch(format));
        });
        row("no schedule", false, "/schedule.json", "",
            R"({"field":"","format":"vantrell-schedule","matches":[],"next":null,"open":false,)"
            R"("version":1})");
        row("no standings", false, "/standings.json", "",
            R"({"format":"vantrell-standings","groups":[],"open":false,"version":1})");
    }
    void eventDocuments()
    {
        QFETCH(bool, open);
        QFETCH(Change, change);
        QFETCH(QByteArray, route);
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        if (open)
            QVERIFY(m_event->create(folder.filePath(QStringLiteral("day.json")), daySchedule()));
        change(*m_game);
        QCOMPARE(field(get(port(), route), path), expected);
    }

    // Mid-game, a client's first message is the whole state. Ticks every
    // 50 ms change the tenths, every fourth the second: each second still
    // reaches the client. Nothing goes out while nothing changes.
    void liveMessages()
    {
        m_game->enterGameTime(ClockValue::fromSeconds(10));
        m_game->startStopClock();
        LiveClient client(port());
        QTRY_COMPARE(client.messages.value(0), FeedState::toJson(*m_game, settingsRecord()));
        QTimer ticks;
        connect(&ticks, &QTimer::timeout, [this] { m_time.advanceMs(250), m_game->tick(); });
        ticks.start(50);
        QTRY_COMPARE(field(client.messages.last(), "gameClock/text").left(2), " 4");
        ticks.stop();
        QTRY_COMPARE(client.messages.last(), FeedState::toJson(*m_game, settingsRecord()));
        QStringList seconds;
        for (const QByteArray &message : client.messages)
            seconds.append(field(message, "gameClock/text").left(2));
        seconds.removeDuplicates(); // the clock never counts back up
        QCOMPARE(seconds.join(','), "10, 9, 8, 7, 6, 5, 4");
        const qsizetype before = client.messages.size();
        m_feeds->settingsChanged();
        m_game->toggleLamp(GoalLamp::Home);
        QTRY_COMPARE(field(client.messages.last(), "lamp"), "home");
        QCOMPARE(client.messages.size(), before + 1);
    }

    void answers_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("status");
        const QByteArray end = " HTTP/1.1\r\n\r\n";
        QTest::newRow("the state, with a query") << "GET /state.json?wall=2" + end << 200;
        QTest::newRow("no version") << "GET /state.json\r\n\r\n"_ba << 400;
        QTest::newRow("a control byte") << "GET / HTTP/1.1\r\nHost: x\x01y\r\n\r\n"_ba << 400;
        // Ended or not: only one byte over the limit is ever read.
        QTest::newRow("a head over the limit")
            << "GET / HTTP/1.1\r\nX: " + QByteArray(9000, 'a') << 400;
        QTest::newRow("a path outside the table") << "GET /../state.json" + end << 404;
        QTest::newRow("a WebSocket on another path")
            << QByteArray(Handshake).replace("/live", "/state.json") << 404;
        QTest::newRow("a POST") << "POST /state.json HTTP/1.1\r\nContent-Length: 2\r\n\r\n{}"_ba
                                << 405;
    }
    // Nothing a client sends changes what the feed serves.
    void answers()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, status);
        const QByteArray before = getState(port());
        QCOMPARE(exchange(port(), request).left(12), "HTTP/1.1 " + QByteArray::number(status));
        QCOMPARE(getState(port()), before);
    }

    // Two places: one WebSocket and one request that never ends. A third
    // is refused; the request is cut at its deadline, the WebSocket is not,
    // and both places serve again once freed.
    void capAndDeadline()
    {
        FeedServer server(FeedLimits{2, 512, 500, 1 << 20});
        server.publish("1");
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        LiveClient live(server.port());
        QTRY_COMPARE(live.messages.size(), 1);
        QElapsedTimer waited;
        waited.start();
        RawClient halfSent(server.port(), "GET /state.json HTTP/1.1\r\nHost:");
        QTRY_COMPARE(server.connectionCount(), 2);
        QCOMPARE(exchange(server.port(), "GET /state.json HTTP/1.1\r\n\r\n"), QByteArray());
        QVERIFY(halfSent.waitClosed());
        QVERIFY2(waited.elapsed() >= 400, qPrintable(QString::number(waited.elapsed())));
        // The WebSocket, older than the deadline by now, is left open.
        QCOMPARE(halfSent.received, QByteArray());
        server.publish("2");
        QTRY_COMPARE(live.messages.size(), 2);
        live.socket.close();
        QTRY_COMPARE(server.connectionCount(), 0);
        LiveClient first(server.port()), second(server.port());
        QTRY_COMPARE(first.messages.size() + second.messages.size(), 2);
    }

    // A client that never reads is closed once its queue passes the limit;
    // one that reads keeps getting every message.
    void clientThatNeverReads()
    {
        FeedServer server(FeedLimits{8, 512, 2000, 256 * 1024});
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        RawClient stalled(server.port(), Handshake);
        stalled.reading = false;
        stalled.socket.setReadBufferSize(1024);
        LiveClient reader(server.port());
        QTRY_COMPARE(server.liveCount(), 2);
        QByteArray message;
        for (int i = 0; i < 400 && server.liveCount() == 2; ++i) {
            message = QByteArray::number(i) + QByteArray(32 * 1024, 'x');
            server.publish(message);
            QTest::qWait(5);
        }
        QCOMPARE(server.liveCount(), 1);
        QTRY_COMPARE(reader.messages.last(), message);
        // Reading at last, the stalled client finds its stream ended.
        stalled.reading = true;
        stalled.socket.setReadBufferSize(0);
        stalled.received += stalled.socket.readAll();
        QVERIFY(stalled.waitClosed(5000));
    }

    // Off, or closed, the feed drops every connection and the port.
    void turnedOff_data()
    {
        QTest::addColumn<bool>("byTheSwitch");
        QTest::newRow("switched off") << true;
        QTest::newRow("the server closed") << false;
    }
    void turnedOff()
    {
        QFETCH(bool, byTheSwitch);
        const quint16 feedPort = port();
        LiveClient first(feedPort), second(feedPort);
        QTRY_COMPARE(first.messages.size() + second.messages.size(), 2);
        RawClient halfSent(feedPort, "GET / HTTP/1.1\r\n");
        QTRY_COMPARE(m_feeds->feed()->server().connectionCount(), 3);
        if (byTheSwitch)
            QVERIFY(m_feeds->apply(FeedSettings{}));
        else
            m_feeds->feed()->server().close();
        QTRY_COMPARE(first.socket.state(), QAbstractSocket::UnconnectedState);
        QTRY_COMPARE(second.socket.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(halfSent.waitClosed());
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, feedPort);
        QVERIFY(late.state() == QAbstractSocket::UnconnectedState ||
                QSignalSpy(&late, &QTcpSocket::errorOccurred).wait(3000));
        QCOMPARE(late.error(), QAbstractSocket::ConnectionRefusedError);
    }

    // The feed stays off, with the reason.
    void portInUse()
    {
        QTcpServer holder;
        QVERIFY(holder.listen(QHostAddress::LocalHost, 0));
        const FeedSettings settings{true, holder.serverPort(), QStringLiteral("127.0.0.1")};
        QString reason;
        QVERIFY(!m_feeds->apply(settings, &reason));
        QVERIFY(!reason.isEmpty());
        QVERIFY(!m_feeds->serving());
    }

private:
    quint16 port() const { return m_feeds->feed()->server().port(); }
    QByteArray sent() const { return m_feeds->feed()->server().state(); }

    FakeTimeSource m_time;
    std::unique_ptr<Game> m_game;
    std::unique_ptr<EventDay> m_event;
    std::unique_ptr<FeedSwitch> m_feeds;
};

QTEST_MAIN(TestFeed)
#include "tst_feed.moc"
