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

#include <unistd.h>

namespace {

const QString Program = QStringLiteral("/opt/vantrell");

SettingsRecord freshDefaults()
{
    SettingsRecord record;
    record.BuzzerFile = Program + QStringLiteral("/horn.wav");
    record.HornFile = Program + QStringLiteral("/buzzer.wav");
    return record;
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString storePath() const { return m_dir->filePath(QStringLiteral("Vantrell/Vantrell.conf")); }

    void writeStoreFile(const QByteArray &text)
    {
        QDir().mkpath(m_dir->filePath(QStringLiteral("Vantrell")));
        QFile file(storePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QByteArray storeFile() const
    {
        QFile file(storePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // What the store holds, as "Section/Key=value" lines in key order.
    QStringList storedValues() const
    {
        QSettings stored(storePath(), QSettings::IniFormat);
        QStringList values;
        for (const QString &key : stored.allKeys())
            values << key + QLatin1Char('=') + stored.value(key).toString();
        values.sort();
        return values;
    }

    SettingsRecord readFromStore()
    {
        SettingsStore store;
        ReadSettings(store, Program, modGrabKeys::applyPolicy);
        return settingsRecord();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
        resetSettingsRecord();
        settingsRecord().HomeText = QStringLiteral("left over from before");
        modGrabKeys::reset();
    }

    void storeLivesWhereTheUserConfigurationLives()
    {
        SettingsStore store;
        QCOMPARE(QFileInfo(store.fileName()).absoluteFilePath(), QFileInfo(storePath()).absoluteFilePath());
    }

    void freshStoreGivesTheDefaultsAndWritesOnlyTheUpgrade()
    {
        QCOMPARE(readFromStore(), freshDefaults());
        QCOMPARE(storedValues(), (QStringList{
                                     "KeySettings/BuzzerKey=66",
                                     "KeySettings/ClearKey=46",
                                     "KeySettings/HornKey=71",
                                     "KeySettings/IsKeyCode=Yes",
                                     "KeySettings/ResetClockKey=82",
                                     "KeySettings/StartStopClockKey=83",
                                 }));
        // Read again: the upgrade has run and nothing more is written.
        const QByteArray afterFirst = storeFile();
        QCOMPARE(readFromStore(), freshDefaults());
        QCOMPARE(storeFile(), afterFirst);
    }

    void keyUpgrade_data()
    {
        QTest::addColumn<QByteArray>("isKeyCode");
        QTest::addColumn<qint16>("startStop");
        QTest::addColumn<QString>("stored");
        QTest::newRow("No upgrades") << QByteArray("IsKeyCode=No\n") << qint16(83) << "83";
        QTest::newRow("missing counts as No") << QByteArray() << qint16(83) << "83";
        QTest::newRow("no in lower case skips") << QByteArray("IsKeyCode=no\n") << qint16(65) << "65";
        QTest::newRow("Yes skips") << QByteArray("IsKeyCode=Yes\n") << qint16(65) << "65";
        QTest::newRow("No with a blank skips") << QByteArray("IsKeyCode=No \n") << qint16(83) << "83";
    }
    void keyUpgrade()
    {
        QFETCH(QByteArray, isKeyCode);
        QFETCH(qint16, startStop);
        QFETCH(QString, stored);
        writeStoreFile("[KeySettings]\nStartStopClockKey=65\nClockSwitchKey=70\nResetShotKey=75\n"
                       + isKeyCode);
        const SettingsRecord record = readFromStore();
        QCOMPARE(record.StartStopClockKey, startStop);
        QCOMPARE(QSettings(storePath(), QSettings::IniFormat).value("KeySettings/StartStopClockKey").toString(),
                 stored);
        // The upgrade leaves the other four keys alone.
        QCOMPARE(record.ClockSwitchKey, qint16(70));
        QCOMPARE(record.ResetShotKey, qint16(75));
    }

    void highlightDefaultsToTheStoredBackground()
    {
        writeStoreFile("[ColorSettings]\nFormBack=12345\n[KeySettings]\nIsKeyCode=Yes\n");
        const SettingsRecord record = readFromStore();
        QCOMPARE(record.FormBack, 12345);
        QCOMPARE(record.LEDSelected, 12345);
    }

    void fullWriteThenReadRoundTrips()
    {
        PendingSettings pending;
        SettingsRecord &chosen = pending.values;
        chosen.TimeColor = 1;
        chosen.LEDBack = 2;
        chosen.ScoreColor = 3;
        chosen.PeriodColor = 4;
        chosen.FormBack = 5;
        chosen.LEDSelected = 6;
        chosen.BorderColor = 7;
        chosen.HomeColor = 8;
        chosen.VisitorColor = 16777215;
        chosen.StartStopClockKey = 13;
        chosen.ResetClockKey = 190;
        chosen.ClearKey = 8;
        chosen.ClockSwitchKey = 75;
        chosen.SepTimeKey = 79;
        chosen.BuzzerKey = 112;
        chosen.HornKey = 72;
        chosen.ResetShotKey = 89;
        chosen.StartStopShotKey = 89;
        chosen.BuzzerFile = QStringLiteral("/sounds/ a, \"strange\" name=ü.wav");
        chosen.HornFile = QString();
        chosen.HomeText = QStringLiteral("  <b>Reds</b>; #1 @home \\ [x]  ");
        chosen.VisitorText = QString(300, QChar(0x263A));
        chosen.HomePic = QStringLiteral("@Variant(nothing)");
        chosen.VisitorPic = QStringLiteral("line\nbreak");
        chosen.BoardPic = QStringLiteral("/pictures/board.jpg");
        chosen.LEDType = 1;
        pending.selectedWidthShown = Decimal4::fromRaw(37999); // 3.7999 shows as 3
        pending.optKeepOff = true;
        pending.TempSize = 36;
        settingsRecord() = freshDefaults();
        {
            SettingsStore store;
            WriteSettings(store, pending, modGrabKeys::applyPolicy);
        }

        SettingsRecord expected = chosen;
        expected.LEDSelectedWidth = 3;
        expected.NumLockForce = 2;
        expected.TeamSize = Decimal4::fromSeconds(36);
        QCOMPARE(settingsRecord(), expected);
        writeStoreFile(storeFile() + "[KeySettings]\nIsKeyCode=Yes\n");
        resetSettingsRecord();
        QCOMPARE(readFromStore(), expected);
        QCOMPARE(QSettings(storePath(), QSettings::IniFormat).value("TextSettings/TeamSize").toString(),
                 QStringLiteral("36"));
    }

    void writeKeepsThePolicyWhenNoOptionIsChosen()
    {
        settingsRecord().NumLockForce = 7;
        PendingSettings pending;
        pending.values = settingsRecord();
        SettingsStore store;
        WriteSettings(store, pending, modGrabKeys::applyPolicy);
        QCOMPARE(settingsRecord().NumLockForce, 7);
        store.sync();
        QCOMPARE(QSettings(storePath(), QSettings::IniFormat).value("KeySettings/NumLockForce").toString(),
                 QStringLiteral("7"));
    }

    void storedNumbers_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("field");
        QTest::addColumn<qint64>("value");

        QTest::newRow("colour as text") << QByteArray("[ColorSettings]\nTimeColor=33023") << "TimeColor" << qint64(33023);
        QTest::newRow("colour with blanks") << QByteArray("[ColorSettings]\nTimeColor= 42 ") << "TimeColor" << qint64(42);
        QTest::newRow("colour not a number") << QByteArray("[ColorSettings]\nTimeColor=red") << "TimeColor" << qint64(255);
        QTest::newRow("colour empty") << QByteArray("[ColorSettings]\nTimeColor=") << "TimeColor" << qint64(255);
        QTest::newRow("colour half way") << QByteArray("[ColorSettings]\nTimeColor=12abc") << "TimeColor" << qint64(255);
        QTest::newRow("colour above white") << QByteArray("[ColorSettings]\nTimeColor=16777216") << "TimeColor" << qint64(16777215);
        QTest::newRow("colour negative") << QByteArray("[ColorSettings]\nTimeColor=-1") << "TimeColor" << qint64(0);
        QTest::newRow("colour beyond 64 bits") << QByteArray("[ColorSettings]\nTimeColor=99999999999999999999999") << "TimeColor" << qint64(16777215);
        QTest::newRow("colour with a fraction") << QByteArray("[ColorSettings]\nTimeColor=2.5") << "TimeColor" << qint64(2);
        QTest::newRow("width whose x15 overflows") << QByteArray("[ColorSettings]\nLEDSelectedWidth=5000") << "LEDSelectedWidth" << qint64(2184);
        QTest::newRow("width negative") << QByteArray("[ColorSettings]\nLEDSelectedWidth=-4") << "LEDSelectedWidth" << qint64(0);
        QTest::newRow("key beyond 16 bits") << QByteArray("[KeySettings]\nIsKeyCode=Yes\nSepTimeKey=70000") << "SepTimeKey" << qint64(32767);
        QTest::newRow("key below 16 bits") << QByteArray("[KeySettings]\nIsKeyCode=Yes\nSepTimeKey=-70000") << "SepTimeKey" << qint64(-32768);
        QTest::newRow("key not a number") << QByteArray("[KeySettings]\nIsKeyCode=Yes\nSepTimeKey=I") << "SepTimeKey" << qint64(73);
        QTest::newRow("policy kept as stored") << QByteArray("[KeySettings]\nNumLockForce=5") << "NumLockForce" << qint64(5);
        QTest::newRow("policy not a number") << QByteArray("[KeySettings]\nNumLockForce=on") << "NumLockForce" << qint64(0);
        QTest::newRow("LED type 1") << QByteArray("[PicSettings]\nLEDType=1") << "LEDType" << qint64(1);
        QTest::newRow("LED type out of range") << QByteArray("[PicSettings]\nLEDType=7") << "LEDType" << qint64(0);
        QTest::newRow("LED type not a number") << QByteArray("[PicSettings]\nLEDType=dots") << "LEDType" << qint64(0);
        QTest::newRow("team size with a fraction") << QByteArray("[TextSettings]\nTeamSize=30.5") << "TeamSize" << qint64(305000);
        QTest::newRow("team size too big for a font") << QByteArray("[TextSettings]\nTeamSize=1e9") << "TeamSize" << qint64(240000);
        QTest::newRow("team size huge") << QByteArray("[TextSettings]\nTeamSize=900000") << "TeamSize" << qint64(16380000);
        QTest::newRow("team size zero") << QByteArray("[TextSettings]\nTeamSize=0") << "TeamSize" << qint64(10000);
    }
    void storedNumbers()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, field);
        QFETCH(qint64, value);
        writeStoreFile(line + "\n");
        const SettingsRecord record = readFromStore();
        const QHash<QString, qint64> fields = {
            {"TimeColor", record.TimeColor},
            {"LEDSelectedWidth", record.LEDSelectedWidth},
            {"SepTimeKey", record.SepTimeKey},
            {"NumLockForce", record.NumLockForce},
            {"LEDType", record.LEDType},
            {"TeamSize", record.TeamSize.raw()},
        };
        QCOMPARE(fields.value(field), value);
    }

    void textsAreTakenAsStored()
    {
        writeStoreFile("[TextSettings]\nHomeText=\nVisitorText=Red, Blue\n[PicSettings]\nBoardPic=C:\\\\pics\\\\board.bmp\n");
        const SettingsRecord record = readFromStore();
        QCOMPARE(record.HomeText, QString());
        QCOMPARE(record.VisitorText, QStringLiteral("Red, Blue"));
        QCOMPARE(record.BoardPic, QStringLiteral("C:\\pics\\board.bmp"));
    }

    void damagedStoreIsCopiedBeforeTheFirstWrite_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint32>("timeColor");
        QTest::newRow("garbage lines") << QByteArray("[ColorSettings]\nthis is not a setting\nTimeColor=4096\n") << 4096;
        QTest::newRow("binary bytes") << QByteArray("[ColorSettings]\nTimeColor=4096\n\x01\xff\xfe\x00junk\n", 40) << 4096;
        QTest::newRow("truncated") << QByteArray("[ColorSettings]\nTimeColor=4096\n[KeySett") << 4096;
    }
    void damagedStoreIsCopiedBeforeTheFirstWrite()
    {
        QFETCH(QByteArray, text);
        QFETCH(qint32, timeColor);
        writeStoreFile(text);
        SettingsStore store;
        QVERIFY(store.damaged());
        ReadSettings(store, Program, modGrabKeys::applyPolicy);
        // Whatever could be read is used; the rest falls back.
        QCOMPARE(settingsRecord().TimeColor, timeColor);
        QCOMPARE(settingsRecord().HomeText, QStringLiteral("Home"));
        QFile copy(storePath() + QStringLiteral(".damaged"));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), text);
        QCOMPARE(store.copyOfDamaged(), copy.fileName());
    }

    void aSecondDamagedStoreDoesNotOverwriteTheFirstCopy()
    {
        writeStoreFile("[KeySettings]\nold copy\n");
        QFile::copy(storePath(), storePath() + QStringLiteral(".damaged"));
        writeStoreFile("[KeySettings]\nnew damage\n");
        SettingsStore store;
        ReadSettings(store, Program, modGrabKeys::applyPolicy);
        QCOMPARE(store.copyOfDamaged(), storePath() + QStringLiteral(".damaged.1"));
    }

    void commentsAndWindowsLineEndsAreNotDamage()
    {
        writeStoreFile("; a comment\n\n[ColorSettings]\r\nTimeColor=4096\r\n");
        SettingsStore store;
        QVERIFY(!store.damaged());
    }

    // A store that cannot be written: the program starts on defaults, and
    // writing says it failed while the record takes the values all the same.
    void unwritableStoreNeitherCrashesNorHangs_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("folder is a file") << false;
        QTest::newRow("damaged, no room for its copy") << true;
    }
    void unwritableStoreNeitherCrashesNorHangs()
    {
        QFETCH(bool, damaged);
        const QString folder = m_dir->filePath(QStringLiteral("Vantrell"));
        if (damaged) {
            // Whoever may write anywhere gets the copy made.
            if (geteuid() == 0)
                QSKIP("run as root, nothing blocks the copy");
            writeStoreFile("[TextSettings]\nnot a setting\n");
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        } else {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.close();
            QCOMPARE(readFromStore(), freshDefaults());
        }
        PendingSettings pending;
        pending.values = freshDefaults();
        pending.values.HomeText = QStringLiteral("Reds");
        SettingsStore store;
        QVERIFY(!WriteSettings(store, pending, modGrabKeys::applyPolicy));
        QCOMPARE(settingsRecord().HomeText, QStringLiteral("Reds"));
        QCOMPARE(settingsRecord().TeamSize, Decimal4::fromSeconds(24));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
