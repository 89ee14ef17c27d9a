// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QtTest>

using BoardGeometry::FigureSet;
using E2e::Harness;
using E2e::WindowId;

namespace {

const QByteArray RaceToOne = R"({
    "kind": "vantrell-match-format", "version": 1,
    "name": "Race to 1", "shortName": "Race 1",
    "gameLength": "10:00", "halves": 1, "halftime": "0:00", "break": "0:05",
    "stopTime": true, "raceTo": 1, "mercy": 0, "switchEvery": 0,
    "timeouts": 0, "timeoutsPer": "half", "timeoutLength": "1:00",
    "overtime": "0:00", "autoStart": true, "releasePenalty": false
})";

// The day as a league secretary's spreadsheet exports it: semicolons, a
// byte-order mark, the date and time apart.
const QByteArray Day = "\xEF\xBB\xBF"
                       "Date;Time;Field;Home;Visitor;Format\r\n"
                       "2099-06-13;14:30;F1;Alpha;Bravo;Race to 1\r\n"
                       "2099-06-13;15:00;F1;Charlie;Delta;Race to 1\r\n"
                       "2099-06-13;15:30;F1;Alpha;Charlie;Race to 1\r\n";

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A feed's document as any client reads it.
QJsonObject fetched(quint16 port, const QString &path)
{
    QNetworkAccessManager client;
    QNetworkReply *reply = client.get(
        QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path))));
    QEventLoop wait;
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(5000, &wait, &QEventLoop::quit);
    wait.exec();
    const QJsonObject document = QJsonDocument::fromJson(reply->readAll()).object();
    reply->deleteLater();
    return document;
}

constexpr double DesignWidth = 9480;
constexpr double DesignHeight = 6795;
constexpr QPointF HomeLampCentre(3173 + 60 + 495 / 2.0, 2160 + 120 + 255 / 2.0);
constexpr double BandShare = 0.12;

} // namespace

// The event day on the real board: the day's CSV imported in the Match
// window, the next match loaded by F10 with its names and format, won by
// the lamp, and its result in the day's list.
class tst_e2e_event : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_harness;

    QString figures(WindowId board, FigureSet set)
    {
        const QImage client = m_harness->grab(board);
        const QImage above =
            client.copy(0, 0, client.width(), client.height() - int(client.height() * BandShare));
        return BoardReader::readText(above, set).trimmed();
    }

    QPoint homeLamp(WindowId board)
    {
        const QSize client = m_harness->grab(board).size();
        const double boardHeight = client.height() * (1 - BandShare);
        return QPoint(int(HomeLampCentre.x() / DesignWidth * client.width()),
                      int(HomeLampCentre.y() / DesignHeight * boardHeight));
    }

    // A window's words as tesseract reads them, dark on light and doubled.
    QString readWords(WindowId window, const QString &shotName)
    {
        const QImage shot = m_harness->grab(window).convertToFormat(QImage::Format_Grayscale8);
        const QString path = m_harness->saveShot(shot.scaled(shot.size() * 2), shotName);
        QByteArray text;
        if (path.isEmpty() || !m_harness->run("tesseract", {path, "stdout", "--psm", "6"}, &text))
            return {};
        return QString::fromUtf8(text).simplified();
    }

    bool writeHomeFile(const QString &relative, const QByteArray &bytes)
    {
        const QString path = m_harness->homePath() + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private slots:
    void init()
    {
        m_harness = std::make_unique<Harness>(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(m_harness->startDisplay(QSize(1600, 1000)), qPrintable(m_harness->lastError()));
        QVERIFY(m_harness->startWindowManager());
    }
    void cleanup() { m_harness.reset(); }

    void aDayImportedAndItsFirstMatchPlayed()
    {
        const quint16 port = freePort();
        QVERIFY(m_harness->writeSettingsFile(
            QStringLiteral("[TextSettings]\nHomeText=Home\nVisitorText=Away\n"
                           "[DisplaySettings]\nFeedOn=Yes\nFeedPort=%1\n")
                .arg(port)
                .toUtf8()));
        QVERIFY(writeHomeFile("/.config/Vantrell/formats/race1.json", RaceToOne));
        QVERIFY(writeHomeFile("/day.csv", Day));

        const WindowId board = m_harness->openBoard();
        QVERIFY(board && m_harness->resize(board, QSize(1264, 906)));
        QVERIFY(m_harness->key(board, "F7"));
        const WindowId window = m_harness->waitForWindow("^Vantrell Match$", 5000);
        QVERIFY(window && m_harness->key(window, "ctrl+Tab space"));
        const WindowId open = m_harness->waitForWindow("^Import the day's schedule$", 5000);
        QVERIFY(open);
        QTest::qWait(300);
        QVERIFY(m_harness->runXdotool(
            {"type", "--window", QString::number(open), m_harness->homePath() + "/day.csv"}));
        // The first Return may only take the name the completer offers.
        for (int i = 0; i < 3 && !m_harness->waitForWindowGone("^Import the day's schedule$", 700);
             ++i)
            m_harness->key(open, "Return");
        QVERIFY(m_harness->waitForWindowGone("^Import the day's schedule$"));

        // The Match window stands over the board's figures until it is needed.
        QVERIFY(m_harness->runXdotool({"windowminimize", QString::number(window)}));
        // F10 loads the first match: its names through the settings, its
        // format begun.
        QVERIFY(m_harness->key(board, "F10"));
        QVERIFY(E2e::waitUntil(
            [&] { return m_harness->setting("TextSettings/HomeText").toString() == "Alpha"; },
            5000));
        QCOMPARE(m_harness->setting("TextSettings/VisitorText").toString(), QString("Bravo"));
        QString seen;
        QVERIFY2(
            E2e::waitUntil([&] { return (seen = figures(board, FigureSet::GameClock)) == "10:00"; },
                           3000),
            qPrintable(seen));
        QVERIFY(m_harness->key(board, "s"));
        QVERIFY(
            E2e::waitUntil([&] { return figures(board, FigureSet::GameClock) != "10:00"; }, 4000));
        QVERIFY(m_harness->click(board, homeLamp(board)));
        QVERIFY(E2e::waitUntil([&] { return figures(board, FigureSet::HomeScore) == "1"; }, 3000));

        QVERIFY(m_harness->runXdotool({"windowactivate", "--sync", QString::number(window)}));
        // The day's list shows the match played and its score, the next one
        // to play.
        QVERIFY(E2e::waitUntil(
            [&] {
                seen = readWords(window, "event-schedule");
                return seen.contains("played") && seen.contains("to play");
            },
            5000, 300));
        QVERIFY2(seen.contains(QRegularExpression("Bravo .*played 1.0")), qPrintable(seen));

        // The event's file holds the result, with the journal it came from.
        const QDir events(m_harness->homePath() + "/.local/share/Vantrell/events");
        QFile file(events.filePath("day.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject first =
            QJsonDocument::fromJson(file.readAll()).object()["matches"].toArray()[0].toObject();
        QCOMPARE(first["state"].toInt(), 2);
        QCOMPARE(first["result"].toArray(), QJsonArray({1, 0}));
        QVERIFY(!first["journal"].toString().isEmpty());

        // The feed's standings, as a client by the field reads them.
        const QJsonObject standings = fetched(port, QStringLiteral("/standings.json"));
        const QJsonObject top =
            standings["groups"].toArray()[0].toObject()["rows"].toArray()[0].toObject();
        QCOMPARE(top["team"].toString(), QString("Alpha"));
        QCOMPARE(top["won"].toInt(), 1);
        QCOMPARE(top["points"].toInt(), 3);
    }
};

QTEST_GUILESS_MAIN(tst_e2e_event)
#include "tst_e2e_event.moc"
