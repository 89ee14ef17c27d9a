// SPDX-License-Identifier: GPL-3.0-or-later
#include "audience/audienceplacement.h"
#include "audience/frmdisplays.h"
#include "audience/intermission.h"
#include "settings/displaysettings.h"
#include "settings/settingsstore.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QMap<QString, QRect> Monitors = {
    {"LAPTOP", {0, 0, 1600, 1000}}, {"PROJ", {1600, 0, 1920, 1080}}, {"TV", {3520, 0, 3840, 2160}}};

QList<Monitor> monitors(const QStringList &names)
{
    QList<Monitor> list;
    for (const QString &name : names)
        list.append({name, Monitors.value(name)});
    return list;
}

// What a step leaves: the monitor the display is on, "-" for none.
QString shownOn(const AudiencePlacement &placement, const QStringList &connected)
{
    const std::optional<Monitor> target = placement.target(monitors(connected));
    return target ? target->name : QStringLiteral("-");
}

const QDate Day(2099, 6, 13);

QDateTime on(const QString &time)
{
    return QDateTime(Day, QTime::fromString(time, QStringLiteral("HH:mm:ss.zzz")));
}

ScheduledMatch match(const QString &time, const QString &field, const QString &home,
                     ScheduledState state, const QString &group = {})
{
    ScheduledMatch m;
    m.start = on(time);
    m.field = field;
    m.group = group;
    m.home = home;
    m.visitor = home + QStringLiteral("'");
    m.format = QStringLiteral("Race to 5");
    m.state = state;
    return m;
}

// The day on two fields in two pools: on F1 one played, two to play; a
// later result on F2.
Schedule twoFields()
{
    Schedule day;
    day.matches = {match("14:00:00.000", "F1", "A", ScheduledState::Played, "Pool 1"),
                   match("14:30:00.000", "F2", "C", ScheduledState::Forfeit, "Pool 2"),
                   match("15:00:00.000", "F1", "E", ScheduledState::ToPlay, "Pool 1"),
                   match("15:30:00.000", "F1", "G", ScheduledState::ToPlay, "Pool 2")};
    return day;
}

} // namespace

// Where the audience display goes as the operator and the monitors move it,
// what the store gives it, and the Displays window's list.
class TestAudience : public QObject
{
    Q_OBJECT

private slots:
    // Steps: "F5", "+NAME" plugs a monitor in, "-NAME" unplugs it. The
    // board is on LAPTOP.
    void placement_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("connected");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("expected"); // at the start, then after each step
        QTest::newRow("stored monitor absent at start: off until it appears")
            << "PROJ" << QStringList{"LAPTOP"} << QStringList{"+PROJ"} << "- PROJ";
        QTest::newRow("unplugged and plugged back in: closed, then back on it")
            << "PROJ" << QStringList{"LAPTOP", "PROJ"} << QStringList{"-PROJ", "+PROJ"}
            << "PROJ - PROJ";
        QTest::newRow("F5 off and on comes back to the chosen monitor")
            << "TV" << QStringList{"LAPTOP", "PROJ", "TV"} << QStringList{"F5", "F5"} << "TV - TV";
        QTest::newRow("F5 while the chosen monitor is away puts it elsewhere")
            << "TV" << QStringList{"LAPTOP", "PROJ"} << QStringList{"F5", "+TV"} << "- PROJ PROJ";
        QTest::newRow("F5 over the board, then a projector plugged in for the first time")
            << "" << QStringList{"LAPTOP"} << QStringList{"F5", "F5", "+PROJ", "F5"}
            << "- LAPTOP - - PROJ";
        QTest::newRow("F5 without any monitor stays off")
            << "" << QStringList{} << QStringList{"F5", "+PROJ"} << "- - -";
    }
    void placement()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, connected);
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        AudiencePlacement placement(stored);
        QStringList seen{shownOn(placement, connected)};
        for (const QString &step : steps) {
            if (step == QLatin1String("F5"))
                placement.toggle(monitors(connected), QStringLiteral("LAPTOP"));
            else if (step.startsWith('+'))
                connected.append(step.mid(1));
            else
                connected.removeAll(step.mid(1));
            seen.append(shownOn(placement, connected));
        }
        QCOMPARE(seen.join(' '), expected);
    }

    // Columns: the monitor, then the feed as on/off, port and address.
    void storedSettings_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("read");
        const QByteArray section = "[DisplaySettings]\n";
        QTest::newRow("a store from before the display and the feed")
            << QByteArray("[Colors]\nTimeColor=255\n") << "|off|8088|127.0.0.1";
        QTest::newRow("as the program writes them")
            << section + "AudienceScreen=HDMI-1\nFeedOn=Yes\nFeedPort=9000\nFeedAddress=::1\n"
            << "HDMI-1|on|9000|::1";
        QTest::newRow("spaces about values edited by hand")
            << section + "AudienceScreen=\"  HDMI-1 \"\nFeedOn=\" true \"\nFeedPort=\" 80 \"\n"
            << "HDMI-1|on|80|127.0.0.1";
        QTest::newRow("values that cannot be used")
            << section + "AudienceScreen=\"   \"\nFeedOn=maybe\nFeedPort=70000\nFeedAddress=\n"
            << "|off|8088|127.0.0.1";
        QTest::newRow("a port that is no number") << section + "FeedOn=1\nFeedPort=eighty\n"
                                                  << "|on|8088|127.0.0.1";
    }
    void storedSettings()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, read);
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QVERIFY(QDir(dir.path()).mkpath("Vantrell"));
        QFile file(dir.filePath("Vantrell/Vantrell.conf"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ini) == ini.size());
        file.close();
        SettingsStore store;
        const auto shown = [](const DisplaySettings &s) {
            return QStringList{s.AudienceScreen, s.feed.on ? "on" : "off",
                               QString::number(s.feed.port), s.feed.address}
                .join('|');
        };
        QCOMPARE(shown(readDisplaySettings(store)), read);
        QVERIFY(writeAudienceScreen(store, QStringLiteral("DP-2")));
        QVERIFY(writeFeedSettings(store, {true, 8123, QStringLiteral("192.0.2.7")}));
        SettingsStore again;
        QCOMPARE(shown(readDisplaySettings(again)), QStringLiteral("DP-2|on|8123|192.0.2.7"));
    }

    // What the crowd's screen shows of the day at a moment: "-" for none.
    void intermission_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("dayDone");
        QTest::addColumn<int>("standingsEvery");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("expected"); // last, next, countdown, standings
        const auto rows = [](const char *name, const QString &field, bool done, int every,
                             const QDateTime &now, const QString &expected) {
            QTest::newRow(name) << field << done << every << now << expected;
        };
        rows("the field's own, a part second rounded up", "F1", false, 0, on("14:59:58.500"),
             "A E 2 day");
        rows("a match late to start counts nought", "F1", false, 0, on("15:07:00.000"),
             "A E 0 day");
        rows("any field: the last decided of all", "", false, 0, on("14:50:00.000"), "C E 600 day");
        rows("a start more than a day away shows no countdown", "F1", false, 0,
             on("15:00:00.000").addDays(-1).addSecs(-1), "A E - day");
        rows("a day away to the second still counts", "F1", false, 0,
             on("15:00:00.000").addDays(-1), "A E 86400 day");
        rows("the day done", "F1", true, 0, on("18:00:00.000"), "G - - day");
        // The wall clock's seconds since the epoch decide the standings' turn.
        rows("standings off by default", "F1", false, 0, QDateTime::fromSecsSinceEpoch(90),
             "A E - day");
        rows("standings in their turn", "F1", false, 30, QDateTime::fromSecsSinceEpoch(59),
             "A E - standings:0");
        rows("the next pool's standings in the next turn", "F1", false, 30,
             QDateTime::fromSecsSinceEpoch(90), "A E - standings:1");
        rows("the pools come round again", "F1", false, 30, QDateTime::fromSecsSinceEpoch(150),
             "A E - standings:0");
        rows("the day in its turn", "F1", false, 30, QDateTime::fromSecsSinceEpoch(60),
             "A E - day");
        rows("no standings before a result", "F9", false, 30, QDateTime::fromSecsSinceEpoch(59),
             "- A - day");
    }
    void intermission()
    {
        QFETCH(QString, field);
        QFETCH(bool, dayDone);
        QFETCH(int, standingsEvery);
        QFETCH(QDateTime, now);
        QFETCH(QString, expected);
        Schedule day = twoFields();
        if (field == QLatin1String("F9")) {
            day.matches = {match("14:00:00.000", "F9", "A", ScheduledState::ToPlay)};
            field.clear();
        }
        for (ScheduledMatch &m : day.matches) {
            if (dayDone && m.state == ScheduledState::ToPlay)
                m.state = ScheduledState::Played;
        }
        day.field = field;
        day.standingsEvery = standingsEvery;
        const IntermissionScreen screen = Intermission::at(day, now);
        const auto home = [](const std::optional<ScheduledMatch> &m) {
            return m ? m->home : QStringLiteral("-");
        };
        QStringList seen{home(screen.last), home(screen.next),
                         screen.countdown ? QString::number(*screen.countdown) : "-",
                         screen.standings ? QStringLiteral("standings:%1").arg(screen.group)
                                          : QStringLiteral("day")};
        QCOMPARE(seen.join(' '), expected);
    }

    void countdownText_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("due") << 0 << " 0:00";
        QTest::newRow("under ten minutes, a blank tens") << 599 << " 9:59";
        QTest::newRow("the last second of the hour") << 3599 << "59:59";
        QTest::newRow("an hour") << 3600 << "1:00:00";
        QTest::newRow("a day less a second") << 86399 << "23:59:59";
    }
    void countdownText()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(Intermission::countdownText(seconds), text);
    }

    // An unplugged monitor stays the choice through OK; Escape keeps the
    // choice whatever the list shows.
    void displaysWindowKeepsAnUnpluggedChoice()
    {
        frmDisplays dialog(monitors({"LAPTOP", "PROJ"}), QStringLiteral("TV"),
                           QStringLiteral("LAPTOP"), nullptr, nullptr);
        QComboBox *list = dialog.screenList();
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries.append(list->itemText(i));
        QCOMPARE(entries,
                 (QStringList{"Off", "LAPTOP (1600 \u00d7 1000), with this board",
                              "PROJ (1920 \u00d7 1080)", "TV (not connected)"}));
        QCOMPARE(dialog.audienceScreen(), QStringLiteral("TV"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.okButton());
        list->setCurrentIndex(0);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestAudience)
#include "tst_audience.moc"
