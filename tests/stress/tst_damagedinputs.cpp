// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged stores and board pictures: whatever they hold, the board runs its
// clock and shows 20:00 on a picture of itself, at any size.

#include "board/colorref.h"
#include "board/frmscoreboard.h"
#include "boardreader.h"
#include "fakes.h"
#include "input/modgrabkeys.h"
#include "settings/settingsio.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"

#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestDamagedInputs : public QObject
{
    Q_OBJECT

private slots:
    void damagedInput_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<QByteArray>("picture");
        QByteArray noise(5000, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        const QByteArray good = "[ColorSettings]\nTimeColor=255\n[TextSettings]\nHomeText=Reds\n";
        QTest::newRow("noise after good sections") << good + noise << QByteArray();
        QTest::newRow("huge numbers")
            << QByteArray("[ColorSettings]\nTimeColor=99999999999999999999999999\n"
                          "LEDBack=-99999999999999999999\nBorderColor=1e400\n"
                          "LEDSelectedWidth=99999999999999999999\n[KeySettings]\n"
                          "StartStopClockKey=99999999999\nNumLockForce=99999999999999\n"
                          "[TextSettings]\nTeamSize=99999999999999999999.99999\n"
                          "[PicSettings]\nLEDType=99999999999\n")
            << QByteArray();
        QTest::newRow("a megabyte of team name")
            << "[TextSettings]\nHomeText=" + QByteArray(1 << 20, 'W') + "\n"
            << QByteArray();
        QTest::newRow("a picture of noise") << good << noise;
        QTest::newRow("a picture of text") << good << QByteArray("this is no picture\n");
        QTest::newRow("a picture of nothing") << good << QByteArray("");
    }
    void damagedInput()
    {
        QFETCH(QByteArray, store);
        QFETCH(QByteArray, picture);
        QTemporaryDir dir;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        FakeTimeSource time;
        modCount::reset(&time);
        modGrabKeys::reset();
        resetSettingsRecord();
        QDir().mkpath(dir.filePath(QStringLiteral("Vantrell")));
        QFile storeFile(dir.filePath(QStringLiteral("Vantrell/Vantrell.conf")));
        QFile pictureFile(dir.filePath(QStringLiteral("board.png")));
        QVERIFY(storeFile.open(QIODevice::WriteOnly) && pictureFile.open(QIODevice::WriteOnly));
        storeFile.write(store + "\n[PicSettings]\nBoardPic=" + pictureFile.fileName().toUtf8());
        pictureFile.write(picture);
        storeFile.close();
        pictureFile.close();
        SettingsStore settings;
        ReadSettings(settings, dir.path(), modGrabKeys::applyPolicy);
        QVERIFY(picture.isNull() || settingsRecord().BoardPic == pictureFile.fileName());
        settingsRecord().HomePic = settingsRecord().VisitorPic = settingsRecord().BoardPic;
        frmScoreBoard board(nullptr, [] { return std::make_unique<FakePlayer>(); });
        board.show();
        for (const QSize size : {QSize(1280, 720), QSize(632, 453)}) {
            board.resize(size);
            for (int i = 0; i < 10; ++i) {
                time.advanceMs(100);
                board.ClockTick();
            }
            const SettingsRecord &s = settingsRecord();
            const BoardReader::BoardColours colours{toQColor(s.TimeColor), toQColor(s.ScoreColor),
                                                    toQColor(s.LEDBack), toQColor(s.BorderColor),
                                                    toQColor(s.LEDBack)};
            QCOMPARE(BoardReader::readText(board.grab().toImage(),
                                           BoardGeometry::FigureSet::GameClock, colours),
                     QStringLiteral("20:00"));
        }
    }
};

QTEST_MAIN(TestDamagedInputs)
#include "tst_damagedinputs.moc"
