// Damaged files the program is handed: stores, board pictures, sounds and
// manuals. Whatever they hold, the program keeps running, and its board
// still ticks and reads 20:00 off a picture of itself.

#include "board/colorref.h"
#include "boardreader.h"
#include "fakes.h"
#include "help/frmhelp.h"
#include "input/modgrabkeys.h"
#include "settings/frmsplash.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"
#include "sound/multimediaplayer.h"
#include "stresssupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QtEndian>

#include <memory>

using BoardGeometry::FigureSet;

namespace {

const QString CorpusDir = QStringLiteral(VANTRELL_SOURCE_DIR "/tests/unit/rtfcorpus");
const QString ManualPath = QStringLiteral(VANTRELL_SOURCE_DIR "/assets/vantrellhelpfile.rtf");

QByteArray randomBytes(quint32 seed, int size)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

QByteArray encoded(const char *format)
{
    QImage image(160, 90, QImage::Format_RGB32);
    image.fill(QColor(20, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray pngChunk(const char *type, const QByteArray &body)
{
    const QByteArray typed = QByteArray(type, 4) + body;
    return bigEndian32(quint32(body.size())) + typed + bigEndian32(crc32(typed));
}

// A well-formed PNG header for a picture far too big to hold, and a few
// bytes of pixel data.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray header = bigEndian32(width) + bigEndian32(height);
    header += QByteArray("\x08\x06\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header)
           + pngChunk("IDAT", QByteArray("\x78\x9c\x63\x00\x00\x00\x01\x00\x01", 9))
           + pngChunk("IEND", {});
}

QByteArray jpegClaiming(quint16 width, quint16 height)
{
    QByteArray bytes("\xFF\xD8\xFF\xC0\x00\x11\x08", 7);
    bytes += char(height >> 8);
    bytes += char(height & 0xFF);
    bytes += char(width >> 8);
    bytes += char(width & 0xFF);
    bytes += QByteArray("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01\xFF\xD9", 12);
    return bytes;
}

QByteArray bmpClaiming(qint32 width, qint32 height)
{
    QByteArray info(40, '\0');
    qToLittleEndian<quint32>(40, info.data());
    qToLittleEndian<qint32>(width, info.data() + 4);
    qToLittleEndian<qint32>(height, info.data() + 8);
    qToLittleEndian<quint16>(1, info.data() + 12);
    qToLittleEndian<quint16>(24, info.data() + 14);
    QByteArray file("BM", 2);
    file += QByteArray(12, '\0');
    qToLittleEndian<quint32>(54, file.data() + 10);
    return file + info + QByteArray(64, '\x7f');
}

QByteArray riffChunk(const char *id, const QByteArray &body, quint32 claimed)
{
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(claimed, size.data());
    return QByteArray(id, 4) + size + body;
}

// A PCM WAV header whose fields say what the caller wants, whatever follows.
QByteArray wav(quint16 channels, quint32 rate, quint32 dataClaimed, int dataHeld)
{
    QByteArray format(16, '\0');
    qToLittleEndian<quint16>(1, format.data());
    qToLittleEndian<quint16>(channels, format.data() + 2);
    qToLittleEndian<quint32>(rate, format.data() + 4);
    qToLittleEndian<quint32>(rate * channels * 2, format.data() + 8);
    qToLittleEndian<quint16>(quint16(channels * 2), format.data() + 12);
    qToLittleEndian<quint16>(16, format.data() + 14);
    const QByteArray body = QByteArray("WAVE") + riffChunk("fmt ", format, 16)
                            + riffChunk("data", QByteArray(dataHeld, '\0'), dataClaimed);
    return riffChunk("RIFF", body, quint32(body.size()));
}

const QByteArray GoodStore = "[ColorSettings]\nTimeColor=255\nLEDBack=0\nBorderColor=16777215\n"
                             "[KeySettings]\nStartStopClockKey=83\nResetClockKey=82\n"
                             "[TextSettings]\nHomeText=Reds\nVisitorText=Blues\nTeamSize=24\n";

} // namespace

class TestDamagedInputs : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    QTemporaryDir m_files;
    FakeTimeSource m_time;

    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_files.filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        file.write(bytes);
        return file.fileName();
    }

    static BoardReader::BoardColours coloursInUse()
    {
        const SettingsRecord &settings = settingsRecord();
        BoardReader::BoardColours colours;
        colours.clockLit = toQColor(settings.TimeColor);
        colours.scoreLit = toQColor(settings.ScoreColor);
        colours.figureBack = toQColor(settings.LEDBack);
        colours.dotLit = toQColor(settings.BorderColor);
        colours.dotBack = toQColor(settings.LEDBack);
        return colours;
    }

    // The board still runs its clock and shows it: a few ticks, then the
    // game clock read off a grab.
    void expectWorkingBoard(frmScoreBoard &board)
    {
        board.show();
        for (int i = 0; i < 10; ++i) {
            m_time.advanceMs(100);
            board.ClockTick();
        }
        QCoreApplication::processEvents();
        QVERIFY2(Stress::clocksDisagree(board).isEmpty(), qPrintable(Stress::clocksDisagree(board)));
        const QImage picture = board.grab().toImage();
        QCOMPARE(BoardReader::readText(picture, FigureSet::GameClock, coloursInUse()),
                 QStringLiteral("20:00"));
    }

private slots:
    void init()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
        QDir(m_config.path()).removeRecursively();
        QDir().mkpath(m_config.filePath(QStringLiteral("Vantrell")));
        m_time = FakeTimeSource{};
        modCount::reset(&m_time);
        modGrabKeys::reset();
        resetSettingsRecord();
    }

    void damagedStore_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("random bytes") << randomBytes(1, 4096);
        QTest::newRow("random bytes after good sections") << GoodStore + randomBytes(2, 2048);
        QTest::newRow("cut in the middle of a line") << GoodStore.left(GoodStore.indexOf("Reset") + 7);
        QTest::newRow("cut in a section name") << GoodStore.left(GoodStore.indexOf("[Key") + 3);
        QTest::newRow("NUL bytes in values") << QByteArray("[ColorSettings]\nTimeColor=2\0\0" "55\n", 30);
        QTest::newRow("not UTF-8") << QByteArray("[TextSettings]\nHomeText=\xff\xfe\xc3\x28\n");
        QTest::newRow("huge numbers")
            << QByteArray("[ColorSettings]\nTimeColor=99999999999999999999999999\n"
                          "LEDBack=-99999999999999999999\nBorderColor=1e400\n"
                          "LEDSelectedWidth=99999999999999999999\n"
                          "[KeySettings]\nStartStopClockKey=99999999999\nClearKey=-99999999999\n"
                          "NumLockForce=99999999999999\n"
                          "[TextSettings]\nTeamSize=99999999999999999999.99999\n"
                          "[PicSettings]\nLEDType=99999999999\n");
        QTest::newRow("a megabyte of team name")
            << QByteArray("[TextSettings]\nHomeText=") + QByteArray(1 << 20, 'W') + "\n";
        QTest::newRow("a very long picture path")
            << QByteArray("[PicSettings]\nBoardPic=/") + QByteArray(100'000, 'p') + "\n";
        QTest::newRow("ten thousand sections")
            << QByteArray("[S]\nk=v\n").repeated(10'000) + GoodStore;
    }
    void damagedStore()
    {
        QFETCH(QByteArray, store);
        QFile file(m_config.filePath(QStringLiteral("Vantrell/Vantrell.conf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(store);
        file.close();
        SettingsStore settings;
        frmSplash splash(settings, m_files.path());
        frmScoreBoard board(nullptr, [] { return std::make_unique<Stress::TickedPlayer>(); });
        expectWorkingBoard(board);
    }

    void damagedBoardPicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray png = encoded("PNG");
        const QByteArray jpeg = encoded("JPEG");
        QTest::newRow("zero-size file") << "empty.png" << QByteArray();
        QTest::newRow("text named .png") << "text.png" << QByteArray("this is no picture\n");
        QTest::newRow("random bytes named .jpg") << "noise.jpg" << randomBytes(3, 5000);
        QTest::newRow("PNG cut in half") << "half.png" << png.left(png.size() / 2);
        QTest::newRow("PNG cut after its header") << "header.png" << png.left(33);
        QTest::newRow("JPEG cut in half") << "half.jpg" << jpeg.left(jpeg.size() / 2);
        QTest::newRow("JPEG of its markers alone") << "markers.jpg" << jpeg.left(20);
        QTest::newRow("PNG claiming 100000 x 100000") << "huge.png" << pngClaiming(100'000, 100'000);
        QTest::newRow("PNG claiming 2^31 - 1 wide") << "wide.png" << pngClaiming(0x7FFFFFFF, 1);
        QTest::newRow("JPEG claiming 65000 x 65000") << "huge.jpg" << jpegClaiming(65'000, 65'000);
        QTest::newRow("BMP claiming 100000 x 100000") << "huge.bmp" << bmpClaiming(100'000, 100'000);
        QTest::newRow("BMP claiming a negative width") << "negative.bmp" << bmpClaiming(-5, 10);
        QTest::newRow("PNG bytes under a .jpg name") << "misnamed.jpg" << png;
    }
    void damagedBoardPicture()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = write(name, bytes);
        QVERIFY(!path.isEmpty());
        settingsRecord().BoardPic = path;
        settingsRecord().HomePic = path;
        settingsRecord().VisitorPic = path;
        frmScoreBoard board(nullptr, [] { return std::make_unique<Stress::TickedPlayer>(); });
        expectWorkingBoard(board);
        // Fitted again at another size, as a resize does.
        board.resize(1280, 720);
        QCoreApplication::processEvents();
        board.resize(632, 453);
        QCoreApplication::processEvents();
        expectWorkingBoard(board);
    }

    // Each playback must be reported finished within the length of the
    // sound the file really holds and the player's margin, whatever its
    // header claims; the board takes no other sound until then.
    void damagedSound_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("heldMs");
        QTest::newRow("zero-size file") << QByteArray() << 0;
        QTest::newRow("text named .wav") << QByteArray("RIFF? no, just words\n") << 0;
        QTest::newRow("random bytes") << randomBytes(4, 8000) << 0;
        QTest::newRow("cut after the header") << wav(1, 22050, 44100, 0) << 0;
        QTest::newRow("cut in the data") << wav(2, 44100, 176400, 1000) << 6;
        QTest::newRow("no channels") << wav(0, 44100, 1000, 1000) << 0;
        QTest::newRow("rate of zero") << wav(1, 0, 1000, 1000) << 0;
        QTest::newRow("data claiming 4 GB") << wav(1, 8000, 0xFFFFFFFFu, 512) << 32;
        QTest::newRow("RIFF size beyond the file")
            << riffChunk("RIFF", QByteArray("WAVE"), 0xFFFFFFF0u) << 0;
    }
    void damagedSound()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, heldMs);
        const int endsWithinMs = heldMs + MultimediaPlayer::EndMarginMs + 1500;
        const QString path = write(QStringLiteral("sound.wav"), bytes);
        settingsRecord().BuzzerFile = path;
        settingsRecord().HornFile = path;
        frmScoreBoard board;
        QSignalSpy horns(&board, &frmScoreBoard::hornRequested);
        board.Buzzer();
        expectWorkingBoard(board);
        QTRY_VERIFY_WITH_TIMEOUT(!board.BuzzerPlaying(), endsWithinMs);
        board.Horn();
        QCOMPARE(horns.count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!board.BuzzerPlaying(), endsWithinMs);
        expectWorkingBoard(board);
    }

    void damagedManual_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("percent");
        QStringList sources{ManualPath};
        for (const QString &name : QDir(CorpusDir).entryList({QStringLiteral("*.rtf")}, QDir::Files))
            sources << QDir(CorpusDir).filePath(name);
        for (const QString &source : sources) {
            for (const int percent : {0, 1, 37, 50, 99, 100}) {
                const QByteArray row = QStringLiteral("%1 cut to %2%")
                                           .arg(QFileInfo(source).fileName())
                                           .arg(percent)
                                           .toUtf8();
                QTest::newRow(row.constData()) << source << percent;
            }
        }
    }
    void damagedManual()
    {
        QFETCH(QString, source);
        QFETCH(int, percent);
        QFile file(source);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(source));
        const QByteArray whole = file.readAll();
        write(frmHelp::FileName, whole.left(whole.size() * percent / 100));
        frmScoreBoard board(nullptr, [] { return std::make_unique<Stress::TickedPlayer>(); });
        frmHelp help(m_files.path());
        help.show();
        QCoreApplication::processEvents();
        QVERIFY(help.rtbHelp()->document());
        if (percent == 100)
            QVERIFY(!help.rtbHelp()->toPlainText().isEmpty());
        expectWorkingBoard(board);
    }
};

QTEST_MAIN(TestDamagedInputs)
#include "tst_damagedinputs.moc"
