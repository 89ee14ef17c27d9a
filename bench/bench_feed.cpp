// SPDX-License-Identifier: GPL-3.0-or-later
// The live feed's speed and cost.
//
//   --latency   in-process, offscreen: from the Enter that commits a score
//               typed into the board to the message that carries it at
//               every WebSocket client, with the clocks stopped, and with
//               the game and shot clocks running and 1, 10 and 200 clients;
//               and whether every client saw every second of the game
//               clock meanwhile. --build NAME goes into each row, to tell
//               two builds' rows apart.
//   --cpu       the real program under Xvfb with all clocks running: its CPU
//               time with the feed off, on without clients, and with 1, 10
//               and 200 WebSocket clients, and with hostile ones (clients
//               that never read, requests never finished); and how evenly
//               the game clock's seconds reach a reading client meanwhile.
//
// Every client runs in this process and talks to 127.0.0.1 alone; every run
// stops by itself after --seconds (default 30).

#include "benchsupport.h"
#include "feed/livefeed.h"
#include "processbench.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace {

using Bench::number;
using Bench::percentile;

constexpr qint64 GiveUpMs = 3000;

void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

QUrl liveUrl(quint16 port)
{
    return QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port));
}

// A figure of a state message by its path, "home/score/text".
QString fieldOf(const QString &message, const QString &path)
{
    QJsonValue value = QJsonDocument::fromJson(message.toUtf8()).object();
    for (const QString &key : path.split(QLatin1Char('/')))
        value = value.toObject().value(key);
    return value.toString();
}

QString spread(const std::vector<double> &values, int decimals)
{
    return QStringLiteral("median %1 ms, p99 %2 ms, max %3 ms")
        .arg(number(percentile(values, 0.5), decimals), number(percentile(values, 0.99), decimals),
             number(percentile(values, 1.0), decimals));
}

// ---------------------------------------------------------------- latency

// The game clock's figures as seconds, "19:58" 1198; -1 for anything else.
int clockSeconds(const QString &shown)
{
    const QStringList parts = shown.trimmed().split(QLatin1Char(':'));
    bool minutes = false, seconds = false;
    const int value =
        parts.size() == 2 ? parts[0].toInt(&minutes) * 60 + parts[1].toInt(&seconds) : -1;
    return minutes && seconds ? value : -1;
}

// The board with the feed on its game and `clients` clients of the feed,
// all in this process: a key goes to the board's focused field as the
// keyboard's would, and the clock stops when the first and when the last
// client holds the message. Every client also notes each change of the
// game clock's figures, to tell whether a second went by unseen.
class LatencyBench
{
public:
    explicit LatencyBench(int clients)
        : m_board(nullptr, Bench::silentPlayers())
        , m_feed(m_board.game(), nullptr, QString(), QByteArray())
        , m_clients(size_t(clients))
    {
        m_board.show();
        QApplication::setActiveWindow(&m_board);
        m_ready = m_feed.listen(QHostAddress::LocalHost, 0);
        for (size_t i = 0; i < m_clients.size(); ++i) {
            Client &client = m_clients[i];
            QObject::connect(&client.socket, &QWebSocket::textMessageReceived,
                             [this, &client](const QString &m) { received(client, m); });
            client.socket.open(liveUrl(m_feed.server().port()));
        }
        QElapsedTimer waited;
        waited.start();
        while (connected() < clients && waited.elapsed() < 10 * GiveUpMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        m_ready = m_ready && connected() == clients;
    }

    bool ready() const { return m_ready; }

    void startClocks()
    {
        focus("TimeBack");
        stroke(Qt::Key_S, QStringLiteral("s"));
        stroke(Qt::Key_Z, QStringLiteral("z"));
        m_running.start();
        for (Client &client : m_clients)
            client.firstSecond = client.lastSecond = -1, client.skipped = 0;
    }

    // Digits 7 and 8 by turns, typed into the home score: the time from the
    // Enter to the message with the new score. `gapMs` is the idle time
    // before each Enter, drawn from [gapMs, 2 * gapMs).
    void run(const QString &conditions, int samples, int gapMs)
    {
        std::vector<double> first, last;
        int missed = 0;
        const int before = m_clients.front().messages;
        for (int i = 0; i < samples; ++i) {
            const QChar digit = QLatin1Char(i % 2 ? '8' : '7');
            focus("HomeBack");
            stroke(Qt::Key_0 + digit.digitValue(), QString(digit));
            idle(gapMs + int(m_random.bounded(gapMs)));
            if (timedEnter(digit))
                first.push_back(double(m_firstNs) / 1e6), last.push_back(double(m_lastNs) / 1e6);
            else
                ++missed;
        }
        QString figure = QStringLiteral("to the last client %1; to the first, median %2 ms")
                             .arg(spread(last, 3), number(percentile(first, 0.5), 3));
        if (missed > 0)
            figure += QStringLiteral("; %1 scores not at every client within %2 ms")
                          .arg(missed)
                          .arg(GiveUpMs);
        Bench::row(QStringLiteral("Typed score to the message at every WebSocket client"),
                   QStringLiteral("%1, %2 %3, %4 samples, %5 messages to each, offscreen, "
                                  "127.0.0.1")
                       .arg(conditions)
                       .arg(m_clients.size())
                       .arg(m_clients.size() == 1 ? "client" : "clients")
                       .arg(last.size())
                       .arg(m_clients.front().messages - before),
                   figure, QStringLiteral("< 20 ms"));
    }

    // Whether each client saw every second of the game clock since it
    // started.
    void reportSeconds(const QString &from)
    {
        int skipped = 0, short_ = 0;
        for (const Client &client : m_clients) {
            skipped += client.skipped;
            // The last second may still be on its way.
            short_ += client.firstSecond - client.lastSecond < int(m_running.elapsed() / 1000) - 2;
        }
        const Client &one = m_clients.front();
        const QString seen = skipped == 0 && short_ == 0
            ? QStringLiteral("every second seen by every client")
            : QStringLiteral("NOT every second: %1 skipped in all, %2 clients short")
                  .arg(skipped)
                  .arg(short_);
        Bench::row(QStringLiteral("Game clock's seconds at the clients"),
                   QStringLiteral("%1game and shot clocks running, %2 %3, %4 s")
                       .arg(from)
                       .arg(m_clients.size())
                       .arg(m_clients.size() == 1 ? "client" : "clients")
                       .arg(m_running.elapsed() / 1000),
                   QStringLiteral("%1; the first client saw %2 to %3 (%4 seconds)")
                       .arg(seen, shownAs(one.firstSecond), shownAs(one.lastSecond))
                       .arg(one.firstSecond - one.lastSecond + 1),
                   QStringLiteral("every second"));
    }

private:
    struct Client
    {
        QWebSocket socket;
        int messages = 0;
        bool hasScore = false;
        int firstSecond = -1, lastSecond = -1;
        int skipped = 0;
    };

    static QString shownAs(int seconds)
    {
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    }
    int connected() const
    {
        return int(std::count_if(m_clients.begin(), m_clients.end(),
                                 [](const Client &c) { return c.messages > 0; }));
    }
    void received(Client &client, const QString &message)
    {
        ++client.messages;
        const QJsonObject state = QJsonDocument::fromJson(message.toUtf8()).object();
        const QString score = state["home"].toObject()["score"].toObject()["text"].toString();
        if (!client.hasScore && m_expecting && score == m_expected) {
            client.hasScore = true;
            const qint64 now = m_clock.nsecsElapsed();
            if (m_arrived++ == 0)
                m_firstNs = now;
            if (m_arrived == int(m_clients.size()))
                m_lastNs = now;
        }
        const int second = clockSeconds(state["gameClock"].toObject()["text"].toString());
        if (second < 0 || !m_running.isValid() || second == client.lastSecond)
            return;
        if (client.lastSecond >= 0 && second != client.lastSecond - 1)
            ++client.skipped;
        if (client.firstSecond < 0)
            client.firstSecond = second;
        client.lastSecond = second;
    }
    bool timedEnter(QChar digit)
    {
        m_expected = QStringLiteral(" ") + digit;
        for (Client &client : m_clients)
            client.hasScore = false;
        m_arrived = 0;
        m_expecting = true;
        m_clock.start();
        send(QEvent::KeyPress, Qt::Key_Return, QStringLiteral("\r"));
        while (m_arrived < int(m_clients.size()) && m_clock.elapsed() < GiveUpMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        m_expecting = false;
        send(QEvent::KeyRelease, Qt::Key_Return, QStringLiteral("\r"));
        return m_arrived == int(m_clients.size());
    }
    void focus(const char *field)
    {
        QWidget *box = m_board.controlLayer().find(QLatin1String(field));
        if (QApplication::focusWidget() != box)
            box->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
    }
    void send(QEvent::Type type, int key, const QString &text)
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &m_board;
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(target, &event);
    }
    void stroke(int key, const QString &text)
    {
        send(QEvent::KeyPress, key, text);
        send(QEvent::KeyRelease, key, text);
        QCoreApplication::processEvents();
    }

    frmScoreBoard m_board;
    LiveFeed m_feed;
    std::vector<Client> m_clients;
    QElapsedTimer m_clock;
    QElapsedTimer m_running;
    QString m_expected;
    bool m_expecting = false;
    int m_arrived = 0;
    qint64 m_firstNs = 0, m_lastNs = 0;
    bool m_ready = false;
    QRandomGenerator m_random{20260511};
};

// A fresh board, feed and clients for each run.
void benchLatency(int samples, const QString &build)
{
    const QString from = build.isEmpty() ? QString() : build + QStringLiteral(", ");
    struct Run
    {
        int clients;
        bool running;
    };
    for (const Run run : {Run{1, false}, Run{1, true}, Run{10, true}, Run{200, true}}) {
        resetSettingsRecord();
        LatencyBench bench(run.clients);
        if (!bench.ready()) {
            ProcessBench::note(QStringLiteral("the feed or its %1 clients did not start in-process")
                                   .arg(run.clients));
            continue;
        }
        if (!run.running) {
            // Nothing else is sent: each score goes out at once.
            bench.run(from +
                          QStringLiteral("clocks stopped, Enter 100-200 ms after the last "
                                         "message"),
                      samples, 100);
            continue;
        }
        // Each clock's own message comes each second, the two at their own
        // moments: a score may come just after either.
        bench.startClocks();
        bench.run(from + QStringLiteral("game and shot clocks running, Enter at any moment"),
                  samples, 100);
        bench.reportSeconds(from);
    }
}

// ---------------------------------------------------------------- CPU

const QByteArray Handshake =
    "GET /live HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n"
    "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
    "Sec-WebSocket-Version: 13\r\n\r\n";
const QByteArray HalfRequest = "GET /state.json HTTP/1.1\r\nHost: 127.0.0.1\r\n";
const QSize BoardSize(1920, 1080);

struct Load
{
    QString name;
    bool feedOn = true;
    int readers = 0;
    int neverReading = 0; // WebSockets whose messages are never read
    int halfSent = 0; // requests never finished, opened again when cut
};

// The feed's clients for one run: readers that count their messages (the
// first also notes when the game clock's figures change), and the hostile.
class Clients : public QObject
{
public:
    Clients(quint16 port, const Load &load)
        : m_port(port)
    {
        m_clock.start();
        for (int i = 0; i < load.readers; ++i)
            addReader(i == 0);
        for (int i = 0; i < load.neverReading; ++i) {
            auto &socket = m_raw.emplace_back(std::make_unique<QTcpSocket>());
            socket->setReadBufferSize(1024);
            socket->connectToHost(QHostAddress::LocalHost, port);
            socket->write(Handshake);
        }
        for (int i = 0; i < load.halfSent; ++i)
            openHalfSent();
    }

    ~Clients() override { stop(); }

    // Nothing more is counted or opened again: the program is about to go.
    void stop()
    {
        m_stopped = true;
        for (const auto &reader : m_readers)
            reader->disconnect();
        for (const auto &socket : m_raw)
            socket->disconnect();
    }

    // Until every reader has its first message.
    bool waitConnected(int timeoutMs)
    {
        QElapsedTimer waited;
        waited.start();
        while (connectedReaders() < int(m_counts.size()) && waited.elapsed() < timeoutMs)
            idle(50);
        return connectedReaders() == int(m_counts.size());
    }
    void reset()
    {
        std::fill(m_counts.begin(), m_counts.end(), 0);
        m_secondTimes.clear();
        m_cuts = 0;
    }

    const std::vector<int> &counts() const { return m_counts; }
    int cuts() const { return m_cuts; }
    // The time between two changes of the game clock's figures.
    std::vector<double> secondIntervals() const
    {
        std::vector<double> intervals;
        for (size_t i = 1; i < m_secondTimes.size(); ++i)
            intervals.push_back(double(m_secondTimes[i] - m_secondTimes[i - 1]) / 1e6);
        return intervals;
    }

private:
    void addReader(bool timed)
    {
        const size_t index = m_counts.size();
        m_counts.push_back(0);
        auto &client = m_readers.emplace_back(std::make_unique<QWebSocket>());
        QObject::connect(client.get(), &QWebSocket::textMessageReceived,
                         [this, index, timed](const QString &message) {
                             ++m_counts[index];
                             if (timed)
                                 noteGameClock(message);
                         });
        client->open(liveUrl(m_port));
    }
    void noteGameClock(const QString &message)
    {
        const QString shown = fieldOf(message, QStringLiteral("gameClock/text"));
        if (shown != m_gameClock)
            m_secondTimes.push_back(m_clock.nsecsElapsed());
        m_gameClock = shown;
    }
    void openHalfSent()
    {
        if (m_stopped)
            return;
        auto *socket = m_raw.emplace_back(std::make_unique<QTcpSocket>()).get();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this] {
            ++m_cuts;
            QTimer::singleShot(0, this, [this] { openHalfSent(); });
        });
        socket->connectToHost(QHostAddress::LocalHost, m_port);
        socket->write(HalfRequest);
    }
    int connectedReaders() const
    {
        return int(std::count_if(m_counts.begin(), m_counts.end(), [](int n) { return n > 0; }));
    }

    quint16 m_port;
    QElapsedTimer m_clock;
    std::vector<std::unique_ptr<QWebSocket>> m_readers;
    std::vector<std::unique_ptr<QTcpSocket>> m_raw;
    std::vector<int> m_counts;
    std::vector<qint64> m_secondTimes;
    QString m_gameClock;
    int m_cuts = 0;
    bool m_stopped = false;
};

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

struct LoadFigure
{
    bool measured = false;
    double appPercent = 0;
    double scheduledPercent = 0;
    double serverPercent = 0;
    qint64 rssKb = -1;
    QString shownBefore, shownAfter;
    std::vector<int> counts;
    std::vector<double> seconds;
    int cuts = 0;
};

// A fresh program, X server and store for each load, all clocks running.
LoadFigure playLoad(const Load &load, int seconds)
{
    using ProcessBench::FigureSet;
    LoadFigure figure;
    ProcessBench::Session session(QStringLiteral(VANTRELL_BINARY));
    const quint16 port = freePort();
    if (!session.startDisplay())
        return figure;
    if (load.feedOn &&
        !session.harness().writeSettingsFile(
            QStringLiteral("[DisplaySettings]\nFeedOn=Yes\nFeedPort=%1\n").arg(port).toLatin1()))
        return figure;
    if (!session.openBoard(BoardSize))
        return figure;
    idle(3000);
    session.startAllClocks();
    Clients clients(port, load);
    if (!clients.waitConnected(20000))
        ProcessBench::note(QStringLiteral("%1: not every reader got the state").arg(load.name));
    idle(2000);
    clients.reset();
    const qint64 pid = session.pid();
    const qint64 xvfb = ProcessBench::childNamed("Xvfb");
    figure.shownBefore = session.read(FigureSet::GameClock);
    const qint64 ticks0 = ProcessBench::cpuTicks(pid), ns0 = ProcessBench::runNs(pid);
    const qint64 server0 = ProcessBench::cpuTicks(xvfb);
    QElapsedTimer wall;
    wall.start();
    idle(seconds * 1000);
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    const double tick = double(sysconf(_SC_CLK_TCK));
    figure.appPercent = double(ProcessBench::cpuTicks(pid) - ticks0) / tick / elapsed * 100;
    figure.scheduledPercent = double(ProcessBench::runNs(pid) - ns0) / 1e9 / elapsed * 100;
    figure.serverPercent = double(ProcessBench::cpuTicks(xvfb) - server0) / tick / elapsed * 100;
    figure.rssKb = ProcessBench::statusKb(pid, "VmRSS");
    figure.counts = clients.counts();
    figure.seconds = clients.secondIntervals();
    figure.cuts = clients.cuts();
    clients.stop();
    figure.shownAfter = session.read(FigureSet::GameClock);
    session.harness().stopApp();
    figure.measured = true;
    return figure;
}

QString clientsSeen(const Load &load, const LoadFigure &f)
{
    if (f.counts.empty())
        return QStringLiteral("no reading client");
    const auto [low, high] = std::minmax_element(f.counts.begin(), f.counts.end());
    QString seen = QStringLiteral("each reader got %1 to %2 messages").arg(*low).arg(*high);
    if (load.halfSent > 0)
        seen += QStringLiteral("; %1 unfinished requests cut at the deadline").arg(f.cuts);
    return seen;
}

void reportLoad(const Load &load, const LoadFigure &f, const LoadFigure &off, int seconds)
{
    const QString ratio = off.scheduledPercent > 0
        ? QStringLiteral("%1\u00d7 the feed off (schedstat)")
              .arg(number(f.scheduledPercent / off.scheduledPercent, 2))
        : QStringLiteral("-");
    Bench::row(QStringLiteral("CPU of the program, live feed"),
               QStringLiteral("%1; %2x%3 board, 8 clocks running, game 20:00 down, %4 s "
                              "measured, Xvfb, 127.0.0.1")
                   .arg(load.name)
                   .arg(BoardSize.width())
                   .arg(BoardSize.height())
                   .arg(seconds),
               QStringLiteral("%1 % of one core (utime+stime); %2 % by schedstat, %3; Xvfb %4 %; "
                              "VmRSS %5 MB; %6; game clock read %7 then %8")
                   .arg(number(f.appPercent, 3), number(f.scheduledPercent, 3), ratio,
                        number(f.serverPercent, 3), number(double(f.rssKb) / 1024, 1),
                        clientsSeen(load, f), f.shownBefore, f.shownAfter),
               QStringLiteral("-"));
}

void reportTick(const Load &load, const LoadFigure &f, int seconds)
{
    if (f.seconds.empty())
        return;
    std::vector<double> late;
    for (double interval : f.seconds)
        late.push_back(std::abs(interval - 1000));
    Bench::row(QStringLiteral("Game clock's seconds at a reading client"),
               QStringLiteral("%1; %2 s").arg(load.name).arg(seconds),
               QStringLiteral("%1 changes, %2 apart; off a second by median %3 ms, p99 %4 ms")
                   .arg(f.seconds.size() + 1)
                   .arg(spread(f.seconds, 1), number(percentile(late, 0.5), 1),
                        number(percentile(late, 0.99), 1)),
               QStringLiteral("-"));
}

void benchCpu(int seconds)
{
    const QList<Load> loads = {
        {QStringLiteral("feed off"), false},
        {QStringLiteral("feed on, no client"), true},
        {QStringLiteral("feed on, 1 client"), true, 1},
        {QStringLiteral("feed on, 10 clients"), true, 10},
        {QStringLiteral("feed on, 200 clients"), true, 200},
        {QStringLiteral("feed on, hostile: 50 reading, 100 never reading, 100 requests never "
                        "finished"),
         true, 50, 100, 100},
    };
    LoadFigure off;
    for (const Load &load : loads) {
        const LoadFigure figure = playLoad(load, seconds);
        if (!figure.measured) {
            ProcessBench::note(QStringLiteral("%1: not measured").arg(load.name));
            continue;
        }
        if (!load.feedOn)
            off = figure;
        reportLoad(load, figure, off, seconds);
        if (load.readers > 0)
            reportTick(load, figure, seconds);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::drawOffscreenByDefault();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains(QStringLiteral("--latency")))
        benchLatency(Bench::intArgument(arguments, QStringLiteral("--samples"), 500),
                     arguments.contains(QStringLiteral("--build"))
                         ? arguments.value(arguments.indexOf(QStringLiteral("--build")) + 1)
                         : QString());
    if (arguments.contains(QStringLiteral("--cpu")))
        benchCpu(Bench::intArgument(arguments, QStringLiteral("--seconds"), 30));
    return 0;
}
