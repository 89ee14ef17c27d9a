// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/modgrabkeys.h"
#include "settings/settingsio.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString storePath() const { return m_dir->filePath(QStringLiteral("Vantrell/Vantrell.conf")); }
    void writeStore(const QByteArray &text)
    {
        QDir().mkpath(m_dir->filePath(QStringLiteral("Vantrell")));
        QFile file(storePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static const SettingsRecord &read(SettingsStore &store)
    {
        ReadSettings(store, QStringLiteral("/opt/vantrell"), modGrabKeys::applyPolicy);
        return settingsRecord();
    }
    static const SettingsRecord &read()
    {
        SettingsStore store;
        return read(store);
    }
    static bool write(const PendingSettings &pending)
    {
        SettingsStore store;
        return WriteSettings(store, pending, modGrabKeys::applyPolicy);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
        resetSettingsRecord();
        settingsRecord().HomeText = QStringLiteral("left over from before");
        modGrabKeys::reset();
    }

    // The sounds default to the program's folder, each under the other's name.
    void freshStoreGivesTheDefaults()
    {
        SettingsRecord expected;
        expected.BuzzerFile = QStringLiteral("/opt/vantrell/horn.wav");
        expected.HornFile = QStringLiteral("/opt/vantrell/buzzer.wav");
        QCOMPARE(read(), expected);
    }

    // While IsKeyCode is "No" or missing, five bindings go back to their
    // defaults, once and for good; the other bindings stay.
    void keyUpgrade_data()
    {
        QTest::addColumn<QByteArray>("isKeyCode");
        QTest::addColumn<qint16>("startStop");
        QTest::newRow("missing upgrades") << QByteArray() << qint16(83);
        QTest::newRow("No upgrades") << QByteArray("IsKeyCode=No\n") << qint16(83);
        QTest::newRow("Yes skips") << QByteArray("IsKeyCode=Yes\n") << qint16(65);
    }
    void keyUpgrade()
    {
        QFETCH(QByteArray, isKeyCode);
        QFETCH(qint16, startStop);
        writeStore("[KeySettings]\nStartStopClockKey=65\nClockSwitchKey=70\n" + isKeyCode);
        QCOMPARE(read().StartStopClockKey, startStop);
        QCOMPARE(settingsRecord().ClockSwitchKey, qint16(70));
        const QByteArray afterFirst = contents(storePath());
        QVERIFY(afterFirst.contains("StartStopClockKey=" + QByteArray::number(startStop)));
        QCOMPARE(read().StartStopClockKey, startStop);
        QCOMPARE(contents(storePath()), afterFirst);
    }

    // Stored > read: out of range comes into range, what is no number falls
    // back, and the highlight falls back to the background just read.
    void storedValues_data()
    {
        QTest::addColumn<QString>("row");
        for (const char *row :
             {"ColorSettings/TimeColor=12abc > TimeColor=255",
              "ColorSettings/TimeColor=99999999999999999999999 > TimeColor=16777215",
              "ColorSettings/TimeColor=-1 > TimeColor=0",
              "ColorSettings/TimeColor=2.5 > TimeColor=2",
              "ColorSettings/FormBack=12345 > LEDSelected=12345",
              "ColorSettings/LEDSelectedWidth=5000 > LEDSelectedWidth=2184",
              "KeySettings/SepTimeKey=70000 > SepTimeKey=32767",
              "KeySettings/SepTimeKey=I > SepTimeKey=73", "PicSettings/LEDType=7 > LEDType=0",
              "TextSettings/TeamSize=30.5 > TeamSize=305000",
              "TextSettings/TeamSize=1e9 > TeamSize=240000"})
            QTest::newRow(row) << QString(row);
    }
    void storedValues()
    {
        QFETCH(QString, row);
        const QStringList stored = row.section(" > ", 0, 0).split(u'=');
        const QStringList expected = row.section(" > ", 1).split(u'=');
        QSettings(storePath(), QSettings::IniFormat).setValue(stored[0], stored[1]);
        const SettingsRecord &r = read();
        const QHash<QString, qint64> fields = {
            {"TimeColor", r.TimeColor},   {"LEDSelected", r.LEDSelected},
            {"LEDType", r.LEDType},       {"LEDSelectedWidth", r.LEDSelectedWidth},
            {"SepTimeKey", r.SepTimeKey}, {"TeamSize", r.TeamSize.raw()}};
        QCOMPARE(fields.value(expected[0]), expected[1].toLongLong());
    }

    // Every field has a key of its own: distinct values, awkward texts
    // among them, survive a write and a fresh read.
    void writeThenReadRoundTrips()
    {
        PendingSettings pending;
        SettingsRecord &chosen = pending.values;
        using R = SettingsRecord;
        const QList<qint32 R::*> colours = {&R::TimeColor,   &R::LEDBack,   &R::ScoreColor,
                                            &R::PeriodColor, &R::FormBack,  &R::LEDSelected,
                                            &R::BorderColor, &R::HomeColor, &R::VisitorColor};
        for (int i = 0; i < colours.size(); ++i)
            chosen.*colours[i] = 1 + i;
        const QList<qint16 R::*> keys = {
            &R::StartStopClockKey, &R::ResetClockKey, &R::ClearKey,
            &R::ClockSwitchKey,    &R::SepTimeKey,    &R::BuzzerKey,
            &R::HornKey,           &R::ResetShotKey,  &R::StartStopShotKey};
        for (int i = 0; i < keys.size(); ++i)
            chosen.*keys[i] = qint16(60 + i);
        const QList<QString R::*> texts = {&R::BuzzerFile,  &R::HornFile, &R::HomeText,
                                           &R::VisitorText, &R::HomePic,  &R::VisitorPic,
                                           &R::BoardPic};
        for (int i = 0; i < texts.size(); ++i)
            chosen.*texts[i] = QStringLiteral(" \"%1\", #%1; [x]=ü\n\\ ").arg(i);
        chosen.VisitorText = QString(300, QChar(0x263A));
        chosen.HomePic = QStringLiteral("@Variant(nothing)");
        chosen.LEDType = 1;
        pending.selectedWidthShown = Decimal4::fromRaw(37999); // 3.7999 shows as 3
        pending.TempSize = 36;
        write(pending);
        SettingsRecord expected = chosen;
        expected.LEDSelectedWidth = 3;
        expected.TeamSize = Decimal4::fromSeconds(36);
        QCOMPARE(settingsRecord(), expected);
        writeStore(contents(storePath()) + "[KeySettings]\nIsKeyCode=Yes\n");
        resetSettingsRecord();
        QCOMPARE(read(), expected);
    }

    // What can be read is used; a damaged file is first copied aside, and a
    // later damaged file does not overwrite that copy.
    void damagedStore_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("damaged");
        const QByteArray good = "[ColorSettings]\nTimeColor=4096\n";
        QTest::newRow("garbage lines") << "no setting\n" + good << true;
        QTest::newRow("binary bytes") << good + QByteArray("\x01\xff\x00x\n", 5) << true;
        QTest::newRow("cut short") << good + "[KeySett" << true;
        QTest::newRow("notes, Windows line ends")
            << QByteArray("; a\n[ColorSettings]\r\nTimeColor=4096\r\n") << false;
    }
    void damagedStore()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, damaged);
        writeStore(text);
        SettingsStore store;
        QCOMPARE(store.damaged(), damaged);
        QCOMPARE(read(store).TimeColor, 4096);
        QCOMPARE(settingsRecord().HomeText, QStringLiteral("Home"));
        QCOMPARE(contents(storePath() + ".damaged"), damaged ? text : QByteArray());
        writeStore("[KeySettings]\nnew damage\n");
        SettingsStore again;
        read(again);
        QCOMPARE(again.copyOfDamaged(), storePath() + (damaged ? ".damaged.1" : ".damaged"));
    }

    // A folder that cannot hold the store: the program runs on defaults,
    // and writing says it failed while the record takes the values.
    void unwritableStoreNeitherCrashesNorHangs()
    {
        QFile blocker(m_dir->filePath(QStringLiteral("Vantrell")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(read().TeamSize, Decimal4::fromSeconds(24));
        PendingSettings pending;
        pending.values.HomeText = QStringLiteral("Reds");
        QVERIFY(!write(pending));
        QCOMPARE(settingsRecord().HomeText, QStringLiteral("Reds"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
