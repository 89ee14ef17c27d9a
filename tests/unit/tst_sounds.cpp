// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/frmscoreboard.h"
#include "fakes.h"
#include "settings/settingsrecord.h"
#include "sound/multimediaplayer.h"
#include "sound/wavduration.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestSounds : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    QTemporaryDir m_dir;
    FakePlayers m_players;
    std::unique_ptr<frmScoreBoard> m_board;

    QString file(const QString &name, const QByteArray &bytes)
    {
        QFile out(m_dir.filePath(name));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return out.fileName();
    }
    void makeBoard()
    {
        m_board = std::make_unique<frmScoreBoard>(nullptr, m_players.factory(), m_time);
    }

private slots:
    void init()
    {
        resetSettingsRecord();
        settingsRecord().BuzzerFile = file(QStringLiteral("horn.wav"), wavBytes(8000, 1, 500));
        settingsRecord().HornFile = file(QStringLiteral("buzzer.wav"), wavBytes(8000, 1, 300));
        makeBoard();
    }
    void cleanup() { m_board.reset(); }

    // A player opens at load only when its file exists; without one the
    // board stays silent and is not kept busy. After the options the players
    // take the files chosen, unchecked; at the end the board closes them.
    void playersFollowTheirFiles()
    {
        QCOMPARE(m_players.buzzer->commands, QStringList{"Open"});
        QCOMPARE(m_players.buzzer->name, settingsRecord().BuzzerFile);
        settingsRecord().HornFile = m_dir.filePath(QStringLiteral("deleted.wav"));
        settingsRecord().BuzzerFile.clear();
        makeBoard();
        m_board->Buzzer();
        m_board->Horn();
        QVERIFY(!m_board->BuzzerPlaying());
        QCOMPARE(m_players.buzzer->commands + m_players.horn->commands, QStringList());
        connect(m_board.get(), &frmScoreBoard::optionsWanted, m_board.get(),
                [] { settingsRecord().BuzzerFile = QStringLiteral("/nowhere/new.wav"); });
        QTest::keyClick(m_board.get(), Qt::Key_F2);
        QCOMPARE(m_players.buzzer->commands, (QStringList{"Close", "Open"}));
        QCOMPARE(m_players.buzzer->name, QStringLiteral("/nowhere/new.wav"));
        QCOMPARE(m_players.horn->commands, (QStringList{"Close", "Open"}));
        m_board->show();
        m_board->close();
        QCOMPARE(m_players.horn->commands.last(), QStringLiteral("Close"));
    }

    // One sound at a time: a request while one plays is dropped, and the
    // end of the sound frees the board for the next.
    void oneSoundAtATime()
    {
        m_board->Buzzer();
        m_board->Horn();
        m_board->Buzzer();
        QCOMPARE(m_players.buzzer->commands.count(QStringLiteral("Play")), 1);
        QCOMPARE(m_players.horn->commands.count(QStringLiteral("Play")), 0);
        m_players.buzzer->end();
        m_board->Horn();
        QCOMPARE(m_players.horn->commands.count(QStringLiteral("Play")), 1);
    }

    void wavDuration_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("milliseconds");
        QTest::newRow("an odd chunk first")
            << wavBytes(8000, 1, 1000, -1, riffChunk("junk", "abc")) << qint64(1000);
        QTest::newRow("data past the end") << wavBytes(8000, 1, 500, 16000) << qint64(500);
        QTest::newRow("no data chunk") << wavBytes(8000, 1, 100).left(36) << qint64(-1);
        QTest::newRow("no channels") << wavBytes(8000, 0, 100) << qint64(-1);
        QTest::newRow("huge chunk size")
            << QByteArray("RIFF\xff\xff\xff\xffWAVEjunk\xff\xff\xff\xff", 24) << qint64(-1);
    }
    void wavDuration()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, milliseconds);
        QCOMPARE(wavFileDurationMs(file(QStringLiteral("sound.wav"), bytes)).value_or(-1),
                 milliseconds);
    }

    // Whatever becomes of a playback, its end is reported once: at the
    // latest 2.5 s after the sound the file holds, whatever its header
    // claims, since an audio device may never report it.
    void playerReportsEveryEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("withinMs");
        QTest::newRow("a file that is no sound") << QByteArray("not a wave") << false << 2500;
        QTest::newRow("a sound of 0.6 s") << wavBytes(8000, 1, 600) << false << 3100;
        QTest::newRow("closed while playing") << wavBytes(8000, 1, 3000) << true << 1000;
    }
    void playerReportsEveryEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, closed);
        QFETCH(int, withinMs);
        MultimediaPlayer player;
        player.setFileName(file(QStringLiteral("sound.wav"), bytes));
        player.open();
        QSignalSpy ends(&player, &SoundPlayer::finished);
        QElapsedTimer clock;
        clock.start();
        player.play();
        if (closed)
            player.close();
        QVERIFY(ends.count() == 1 || ends.wait(withinMs + 5000));
        QVERIFY2(clock.elapsed() <= withinMs, qPrintable(QString::number(clock.elapsed())));
        QTest::qWait(50);
        QCOMPARE(ends.count(), 1);
        QVERIFY(!player.isPlaying());
    }
};

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
