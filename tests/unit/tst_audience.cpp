// SPDX-License-Identifier: GPL-3.0-or-later
#include "audience/audienceplacement.h"
#include "audience/frmdisplays.h"
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
