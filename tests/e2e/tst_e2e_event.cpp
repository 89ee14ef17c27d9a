// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"
#include "sevensegmentreader.h"

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

// Minutes from now to the second match's start, as the CSV writes it: to
// the minute.
constexpr int SecondMatchIn = 35;

// The day as a league secretary's spreadsheet exports it: semicolons, a
// byte-order mark, the date and time apart. It starts now, so that the
// crowd's screen counts down to the second match.
QByteArray day(const QDateTime &now)
{
    QByteArray csv = "\xEF\xBB\xBF"
                     "Date;Time;Field;Home;Visitor;Format\r\n";
    const struct
    {
        int minutes;
        const char *teams;
    } matches[] = {{5, "Alpha;Bravo"}, {SecondMatchIn, "Charlie;Delta"}, {65, "Alpha;Charlie"}};
    for (const auto &m : matches) {
        const QDateTime start = now.addSecs(m.minutes * 60);
        csv += start.toString(QStringLiteral("yyyy-MM-dd;HH:mm")).toUtf8() + ";F1;" + m.teams +
            ";Race to 1\r\n";
    }
    return csv;
}

// The LED figures on the crowd's screen between matches, read as a person
// reads them: each dark figure box along the row through the figures'
// middle, a colon where two boxes stand further apart than the rest.
QString countdownOn(const QImage &screen)
{
    const QColor back = screen.pixelColor(2, 2);
    const int middle = int(screen.height() * (0.62 + 0.26 / 2));
    const auto inBox = [&](int x, int y) {
        const QColor c = screen.pixelColor(x, y);
        return qAbs(c.red() - back.red()) + qAbs(c.green() - back.green()) +
                qAbs(c.blue() - back.blue()) >
            60 &&
            c != QColor(Qt::white);
    };
    QList<QRect> boxes;
    for (int x = 0; x < screen.width(); ++x) {
        if (!inBox(x, middle))
            continue;
        const int left = x;
        while (x < screen.width() && inBox(x, middle))
            ++x;
        int top = middle;
        int bottom = middle;
        const int centre = (left + x) / 2;
        while (top > 0 && inBox(centre, top - 1))
            --top;
        while (bottom < screen.height() - 1 && inBox(centre, bottom + 1))
            ++bottom;
        if (x - left > 20)
            boxes.append(QRect(QPoint(left, top), QPoint(x - 1, bottom)));
    }
    QString text;
    for (int i = 0; i < boxes.size(); ++i) {
        if (i > 0 && boxes[i].left() - boxes[i - 1].right() > boxes[i].width() / 4)
            text += ':';
        const int digit = SevenSegment::readFigure(screen, boxes[i], QColor(255, 0, 0), Qt::black);
        text += digit >= 0 ? QChar('0' + digit) : digit == SevenSegment::BlankDigit ? ' ' : '?';
    }
    return text.trimmed();
}

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
    QString readWords(WindowId window, const QString &shotName, bool lightOnDark = false)
    {
        QImage shot = m_harness->grab(window).convertToFormat(QImage::Format_Grayscale8);
        if (lightOnDark)
            shot.invertPixels();
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
        const QDateTime started = QDateTime::currentDateTime();
        QVERIFY(writeHomeFile("/day.csv", day(started)));

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

        // The crowd's screen between the matches: the result, the next
        // match and the countdown to its start in LED figures.
        QVERIFY(m_harness->key(board, "F5"));
        const WindowId audience = m_harness->waitForWindow("^Vantrell audience display$", 5000);
        QVERIFY(audience);
        QVERIFY(E2e::waitUntil(
            [&] {
                seen = readWords(audience, "event-audience", true);
                return seen.contains("Next match");
            },
            5000, 300));
        QVERIFY2(seen.contains(QRegularExpression("Alpha 1 ?. ?0 Bravo")), qPrintable(seen));
        QVERIFY2(seen.contains(QRegularExpression("Charlie ?. ?Delta")), qPrintable(seen));
        const QString countdown = countdownOn(m_harness->grab(audience));
        QDateTime secondStart = started.addSecs(SecondMatchIn * 60);
        secondStart.setTime(QTime(secondStart.time().hour(), secondStart.time().minute()));
        const QTime shown = QTime::fromString(countdown, QStringLiteral("mm:ss"));
        QVERIFY2(shown.isValid(), qPrintable(countdown));
        const qint64 left = QDateTime::currentDateTime().secsTo(secondStart);
        QVERIFY2(qAbs(shown.msecsSinceStartOfDay() / 1000 - left) <= 2,
                 qPrintable(QStringLiteral("%1 shown, %2 s left").arg(countdown).arg(left)));

        // The match ended, so the next comes up at F10 without a question.
        QVERIFY(m_harness->key(board, "F10"));
        QVERIFY(E2e::waitUntil(
            [&] { return m_harness->setting("TextSettings/HomeText").toString() == "Charlie"; },
            5000));
    }
};

QTEST_GUILESS_MAIN(tst_e2e_event)
#include "tst_e2e_event.moc"
