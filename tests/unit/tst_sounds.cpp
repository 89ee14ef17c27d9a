#include "board/frmscoreboard.h"
#include "fakes.h"
#include "settings/settingsrecord.h"
#include "sound/multimediaplayer.h"
#include "sound/soundplayer.h"
#include "sound/wavduration.h"
#include "timing/modcount.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

namespace {

// A player that only records its commands; the test says when a sound ends.
class FakePlayer : public SoundPlayer
{
public:
    QString name;
    QStringList commands;

    QString fileName() const override { return name; }
    void setFileName(const QString &fileName) override { name = fileName; }
    void open() override { commands << QStringLiteral("Open"); }
    void play() override { commands << QStringLiteral("Play"); }
    void stop() override { commands << QStringLiteral("Stop"); }
    void prev() override { commands << QStringLiteral("Prev"); }
    void close() override { commands << QStringLiteral("Close"); }
    void end() { emit finished(); }
};

QByteArray chunk(const char *id, const QByteArray &body)
{
    QByteArray bytes(id, 4);
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(quint32(body.size()), size.data());
    bytes += size + body;
    if (body.size() % 2)
        bytes += '\0';
    return bytes;
}

QByteArray wav(int sampleRate, int channels, int milliseconds, const QByteArray &before = {})
{
    QByteArray format(16, '\0');
    qToLittleEndian<quint16>(1, format.data());
    qToLittleEndian<quint16>(quint16(channels), format.data() + 2);
    qToLittleEndian<quint32>(quint32(sampleRate), format.data() + 4);
    qToLittleEndian<quint32>(quint32(sampleRate * channels * 2), format.data() + 8);
    qToLittleEndian<quint16>(quint16(channels * 2), format.data() + 12);
    qToLittleEndian<quint16>(16, format.data() + 14);
    const QByteArray data(qsizetype(sampleRate) * channels * 2 * milliseconds / 1000, '\0');
    const QByteArray body = QByteArray("WAVE") + chunk("fmt ", format) + before + chunk("data", data);
    return chunk("RIFF", body);
}

} // namespace

class TestSounds : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    QTemporaryDir m_dir;
    FakePlayer *m_buzzer = nullptr;
    FakePlayer *m_horn = nullptr;
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
        int made = 0;
        m_board = std::make_unique<frmScoreBoard>(nullptr, [this, &made] {
            auto player = std::make_unique<FakePlayer>();
            (made++ == 0 ? m_buzzer : m_horn) = player.get();
            return std::unique_ptr<SoundPlayer>(std::move(player));
        });
    }

private slots:
    void init()
    {
        modCount::reset(&m_time);
        resetSettingsRecord();
        settingsRecord().BuzzerFile = file(QStringLiteral("horn.wav"), wav(8000, 1, 500));
        settingsRecord().HornFile = file(QStringLiteral("buzzer.wav"), wav(8000, 1, 300));
        makeBoard();
    }
    void cleanup() { m_board.reset(); }

    void playersOpenAtLoadWhenTheirFilesExist()
    {
        QCOMPARE(m_buzzer->commands, QStringList{"Open"});
        QCOMPARE(m_buzzer->name, settingsRecord().BuzzerFile);
        settingsRecord().HornFile = m_dir.filePath(QStringLiteral("deleted.wav"));
        settingsRecord().BuzzerFile.clear();
        makeBoard();
        QCOMPARE(m_buzzer->commands, QStringList());
        QCOMPARE(m_horn->commands, QStringList());
        // A player without a file stays silent.
        m_board->Buzzer();
        m_board->Horn();
        QVERIFY(!m_board->BuzzerPlaying());
        QCOMPARE(m_horn->commands, QStringList());
    }

    void oneSoundAtATime()
    {
        m_board->Buzzer();
        QVERIFY(m_board->BuzzerPlaying());
        m_board->Buzzer();
        m_board->Horn();
        QCOMPARE(m_buzzer->commands, (QStringList{"Open", "Play"}));
        QCOMPARE(m_horn->commands, QStringList{"Open"});
        m_buzzer->end();
        QVERIFY(!m_board->BuzzerPlaying());
        QCOMPARE(m_buzzer->commands, (QStringList{"Open", "Play", "Stop", "Prev"}));
        // Dropped, not queued: nothing plays now by itself.
        QCOMPARE(m_horn->commands, QStringList{"Open"});
        m_board->Horn();
        QCOMPARE(m_horn->commands, (QStringList{"Open", "Play"}));
    }

    void hornAtShotClockZeroWhileTheBuzzerPlaysIsDropped()
    {
        m_board->Buzzer();
        m_board->engine().enterShotTime(ClockValue());
        m_board->ClockTick();
        QCOMPARE(m_horn->commands, QStringList{"Open"});
        m_buzzer->end();
        m_board->ClockTick();
        QCOMPARE(m_horn->commands, QStringList{"Open"});
    }

    void reopenedAfterOptionsWithoutChecks()
    {
        m_board->setWindows({{}, [](QWidget *) {
                                 settingsRecord().BuzzerFile = QStringLiteral("/nowhere/new.wav");
                             }});
        QTest::keyClick(m_board.get(), Qt::Key_F2);
        QCOMPARE(m_buzzer->commands, (QStringList{"Open", "Close", "Open"}));
        QCOMPARE(m_buzzer->name, QStringLiteral("/nowhere/new.wav"));
        QCOMPARE(m_horn->commands, (QStringList{"Open", "Close", "Open"}));
    }

    void closingTheBoardClosesThePlayers()
    {
        m_board->show();
        m_board->close();
        QCOMPARE(m_buzzer->commands.last(), QStringLiteral("Close"));
        QCOMPARE(m_horn->commands.last(), QStringLiteral("Close"));
    }

    void wavDuration_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("milliseconds");
        QTest::newRow("mono 8 kHz") << wav(8000, 1, 500) << qint64(500);
        QTest::newRow("stereo 44.1 kHz") << wav(44100, 2, 1500) << qint64(1500);
        QTest::newRow("a list chunk first") << wav(48000, 2, 250, chunk("LIST", "INFOsome")) << qint64(250);
        QTest::newRow("an odd chunk first") << wav(8000, 1, 1000, chunk("junk", "abc")) << qint64(1000);
        QTest::newRow("not RIFF") << QByteArray("RIFX....WAVEfmt ") << qint64(-1);
        QTest::newRow("not a wave") << QByteArray("this is plain text, not a sound") << qint64(-1);
        QTest::newRow("empty") << QByteArray() << qint64(-1);
        QTest::newRow("no data chunk") << wav(8000, 1, 100).left(36) << qint64(-1);
        QTest::newRow("no format before data") << chunk("RIFF", QByteArray("WAVE") + chunk("data", "xx"))
                                              << qint64(-1);
        QTest::newRow("huge chunk size") << QByteArray("RIFF\xff\xff\xff\xffWAVEjunk\xff\xff\xff\xff", 24)
                                         << qint64(-1);
    }
    void wavDuration()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, milliseconds);
        QCOMPARE(wavDurationMs(bytes).value_or(-1), milliseconds);
    }

    // A data chunk that claims more than the file holds lasts what it holds.
    void wavDurationIsBoundByTheFile()
    {
        QByteArray truncated = wav(8000, 1, 1000).left(44 + 8000);
        QCOMPARE(wavDurationMs(truncated).value_or(-1), qint64(1000));
        QCOMPARE(wavDurationMs(truncated, truncated.size()).value_or(-1), qint64(500));
        QCOMPARE(wavFileDurationMs(file(QStringLiteral("cut.wav"), truncated)).value_or(-1), qint64(500));
    }

    // Whatever happens to a playback, its end is reported, once.
    void playerReportsEveryEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("interruption");
        QTest::newRow("a file that is no sound") << QByteArray("garbage, not a wave") << "";
        QTest::newRow("a missing file") << QByteArray() << "";
        QTest::newRow("a short sound plays out") << wav(8000, 1, 200) << "";
        QTest::newRow("closed while playing") << wav(8000, 1, 3000) << "close";
        QTest::newRow("reopened while playing") << wav(8000, 1, 3000) << "reopen";
    }
    void playerReportsEveryEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, interruption);
        MultimediaPlayer player;
        player.setFileName(bytes.isEmpty() ? m_dir.filePath(QStringLiteral("none.wav"))
                                           : file(QStringLiteral("sound.wav"), bytes));
        player.open();
        QSignalSpy ends(&player, &SoundPlayer::finished);
        QElapsedTimer clock;
        clock.start();
        player.play();
        if (interruption == QLatin1String("close")) {
            player.close();
        } else if (interruption == QLatin1String("reopen")) {
            player.close();
            player.open();
        }
        // At the latest the sound's length and the margin after it.
        QVERIFY(ends.count() == 1 || ends.wait(3000 + MultimediaPlayer::EndMarginMs + 2000));
        QTest::qWait(50);
        QCOMPARE(ends.count(), 1);
        QVERIFY(!player.isPlaying());
        if (!interruption.isEmpty())
            QVERIFY(clock.elapsed() < 1000);
    }
};

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
