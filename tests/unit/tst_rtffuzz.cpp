#include "help/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QTextDocument>

#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

const QString CorpusDir = QStringLiteral(VANTRELL_SOURCE_DIR "/tests/unit/rtfcorpus");
const QString ManualPath = QStringLiteral(VANTRELL_SOURCE_DIR "/assets/vantrellhelpfile.rtf");

constexpr quint32 Seed = 0x5C0AEB0A;
constexpr int MutationCases = 40000;
constexpr qint64 MaxReadMs = 2000;
// Far beyond MaxReadMs: a read this long is not slow but stuck.
constexpr auto HangLimit = std::chrono::seconds(20);
// The reader may use a few times its input; a runaway allocation hits this
// and fails the read instead of taking the machine.
constexpr rlim_t AddressSpaceLimit = rlim_t(4) << 30;
// Each truncation reads its whole prefix again, so reading every prefix
// costs the square of the manual's size. While that stays within this many
// bytes (a manual of about 15 KB) every prefix is read; past it, every
// prefix through the header and then cuts an even stride apart.
constexpr qint64 TruncationBudget = 120'000'000;
// A stand-in for a manual grown past that point, with a smaller budget.
constexpr qint64 LargeManualBudget = 20'000'000;
constexpr qsizetype HeaderBytes = 4096;

QString failurePath()
{
    return QDir::temp().filePath(QStringLiteral("rtffuzz-failure.rtf"));
}

// Keeps the input that failed, so the case can be read again by hand.
void keepInput(const QByteArray &input)
{
    QFile file(failurePath());
    if (file.open(QIODevice::WriteOnly))
        file.write(input);
}

// Turns a read that never returns into a failure naming its input, instead
// of a test that sits until CTest's timeout.
class Watchdog
{
public:
    Watchdog()
        : m_thread([this] { watch(); })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

    void arm(const QByteArray &input, const QString &label)
    {
        std::lock_guard lock(m_mutex);
        m_input = input;
        m_label = label;
        m_deadline = std::chrono::steady_clock::now() + HangLimit;
        m_armed = true;
    }
    void disarm()
    {
        std::lock_guard lock(m_mutex);
        m_armed = false;
    }

private:
    void watch()
    {
        std::unique_lock lock(m_mutex);
        while (!m_stop) {
            if (m_armed && std::chrono::steady_clock::now() >= m_deadline) {
                keepInput(m_input);
                std::fprintf(stderr, "FAIL: read hangs: %s (input kept in %s)\n",
                             qPrintable(m_label), qPrintable(failurePath()));
                std::abort();
            }
            m_wake.wait_for(lock, std::chrono::milliseconds(250));
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    QByteArray m_input;
    QString m_label;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_armed = false;
    bool m_stop = false;
    std::thread m_thread;
};

const char *const Words[] = {
    "b",        "i",         "ul",      "ulnone",     "strike",    "plain",    "fs",
    "f",        "cf",        "cb",      "pard",       "qc",        "qj",       "li",
    "ri",       "fi",        "sb",      "sa",         "par",       "line",     "tab",
    "page",     "u",         "uc",      "bin",        "ansicpg",   "deff",     "fonttbl",
    "colortbl", "fcharset",  "cpg",     "red",        "green",     "blue",     "info",
    "pict",     "field",     "fldinst", "fldrslt",    "header",    "footer",   "object",
    "v",        "super",     "emdash",  "rtf",        "zzunknown", "trowd",    "cellx",
    "trleft",   "intbl",     "itap",    "cell",       "row",       "nestcell", "shpinst",
    "tx",       "tqr",       "tqdec",   "deftab",     "pngblip",   "jpegblip", "picwgoal",
    "pichgoal", "picscalex", "shppict", "nonshppict", "sn",
};

const char *const Numbers[] = {
    "",
    "0",
    "1",
    "-1",
    "24",
    "255",
    "256",
    "-560",
    "-10179",
    "-8704",
    "32767",
    "32768",
    "-32768",
    "65535",
    "65536",
    "2147483647",
    "2147483648",
    "-2147483648",
    "-2147483649",
    "99999999999999999999",
    "-99999999999999999999",
};

// Damages corpus files the way a broken disk, an editor or a truncated copy
// might, and a few ways only a hostile file would.
class Mutator
{
public:
    Mutator(const QList<QByteArray> &corpus, quint32 seed)
        : m_corpus(corpus)
        , m_random(seed)
    {
    }

    QByteArray next(QString &description);

private:
    struct Mutation
    {
        const char *name;
        void (Mutator::*apply)(QByteArray &data, qsizetype at);
    };
    static const Mutation Mutations[];

    int pick(size_t bound) { return int(m_random.bounded(quint32(std::max<size_t>(bound, 1)))); }
    char randomByte() { return char(m_random.bounded(256)); }
    QByteArray randomSpan(const QByteArray &data, qsizetype at, int longest)
    {
        return data.mid(at, 1 + pick(longest));
    }

    void replaceByte(QByteArray &data, qsizetype at)
    {
        if (at < data.size())
            data[at] = randomByte();
    }
    void flipBit(QByteArray &data, qsizetype at)
    {
        if (at < data.size())
            data[at] = char(data[at] ^ (1 << pick(8)));
    }
    void insertBytes(QByteArray &data, qsizetype at)
    {
        QByteArray bytes(1 + pick(16), '\0');
        for (char &c : bytes)
            c = randomByte();
        data.insert(at, bytes);
    }
    void deleteSpan(QByteArray &data, qsizetype at) { data.remove(at, 1 + pick(64)); }
    void duplicateSpan(QByteArray &data, qsizetype at)
    {
        data.insert(pick(int(data.size()) + 1), randomSpan(data, at, 128));
    }
    void insertBraces(QByteArray &data, qsizetype at)
    {
        const int count = pick(20) == 0 ? RtfReader::MaxGroupDepth + 200 : 1 + pick(8);
        data.insert(at, QByteArray(count, pick(2) ? '{' : '}'));
    }
    void insertBackslash(QByteArray &data, qsizetype at) { data.insert(at, '\\'); }
    void insertWord(QByteArray &data, qsizetype at)
    {
        QByteArray word =
            QByteArray("\\") + Words[pick(std::size(Words))] + Numbers[pick(std::size(Numbers))];
        if (pick(2))
            word += ' ';
        data.insert(at, word);
    }
    void insertHexEscape(QByteArray &data, qsizetype at)
    {
        static const char digits[] = "0123456789abcdefABCDEFxz}";
        QByteArray escape("\\'");
        for (int i = pick(3); i > 0; --i)
            escape += digits[pick(sizeof digits - 1)];
        data.insert(at, escape);
    }
    void insertUnicode(QByteArray &data, qsizetype at)
    {
        data.insert(at, QByteArray("\\u") + Numbers[pick(std::size(Numbers))] + randomByte());
    }
    void splice(QByteArray &data, qsizetype at)
    {
        const QByteArray &other = m_corpus[pick(m_corpus.size())];
        data = data.left(at) + other.mid(pick(int(other.size()) + 1));
    }
    void truncate(QByteArray &data, qsizetype at) { data.truncate(at); }

    const QList<QByteArray> &m_corpus;
    QRandomGenerator m_random;
};

const Mutator::Mutation Mutator::Mutations[] = {
    {"replace", &Mutator::replaceByte},
    {"flip", &Mutator::flipBit},
    {"insert", &Mutator::insertBytes},
    {"delete", &Mutator::deleteSpan},
    {"duplicate", &Mutator::duplicateSpan},
    {"braces", &Mutator::insertBraces},
    {"backslash", &Mutator::insertBackslash},
    {"word", &Mutator::insertWord},
    {"hex", &Mutator::insertHexEscape},
    {"unicode", &Mutator::insertUnicode},
    {"splice", &Mutator::splice},
    {"truncate", &Mutator::truncate},
};

QByteArray Mutator::next(QString &description)
{
    const int source = pick(int(m_corpus.size()));
    QByteArray data = m_corpus[source];
    description = QStringLiteral("file %1:").arg(source);
    const int steps = 1 + pick(4);
    for (int i = 0; i < steps; ++i) {
        const Mutation &mutation = Mutations[pick(std::size(Mutations))];
        const qsizetype at = pick(int(data.size()) + 1);
        (this->*mutation.apply)(data, at);
        description += QStringLiteral(" %1@%2").arg(QLatin1String(mutation.name)).arg(at);
    }
    return data;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where to cut the manual: see TruncationBudget.
QList<qsizetype> cutPoints(qsizetype size, qint64 budget)
{
    const qint64 everyPrefix = qint64(size) * (size + 1) / 2;
    const qsizetype stride = everyPrefix <= budget ? 1 : qsizetype(everyPrefix / budget) | 1;
    QList<qsizetype> cuts;
    for (qsizetype cut = 0; cut <= size; cut += cut < HeaderBytes ? 1 : stride)
        cuts.append(cut);
    if (cuts.last() != size)
        cuts.append(size);
    return cuts;
}

} // namespace

class TestRtfFuzz : public QObject
{
    Q_OBJECT

private:
    Watchdog m_watchdog;
    QList<QByteArray> m_corpus;
    int m_cases = 0;
    QElapsedTimer m_total;

    // Empty when the read behaved: it returned in time and made a document
    // no longer than its input, since no construct yields more characters
    // than it has bytes.
    QString exercise(const QByteArray &input, const QString &label, bool layOut)
    {
        QTextDocument doc;
        m_watchdog.arm(input, label);
        QElapsedTimer timer;
        timer.start();
        if (m_cases % 8 == 0)
            RtfReader::load(input, doc);
        else
            RtfReader::read(input, doc);
        if (layOut) {
            // The help window lays the document out; absurd sizes or indents
            // that got through would show here.
            doc.setTextWidth(480);
            doc.documentLayout()->documentSize();
        }
        const qint64 elapsed = timer.elapsed();
        m_watchdog.disarm();
        ++m_cases;
        QString problem;
        if (elapsed > MaxReadMs)
            problem = QStringLiteral("took %1 ms").arg(elapsed);
        else if (doc.characterCount() > input.size() + 1)
            problem = QStringLiteral("%1 characters from %2 bytes")
                          .arg(doc.characterCount())
                          .arg(input.size());
        if (problem.isEmpty())
            return problem;
        keepInput(input);
        return QStringLiteral("%1: %2 (input kept in %3)").arg(label, problem, failurePath());
    }

    QString exercisePrefixes(const QByteArray &whole, const QString &name,
                             const QList<qsizetype> &cuts)
    {
        for (const qsizetype cut : cuts) {
            const QString problem = exercise(
                whole.left(cut), QStringLiteral("%1 cut at %2").arg(name).arg(cut), cut % 64 == 0);
            if (!problem.isEmpty())
                return problem;
        }
        return {};
    }

private slots:
    void initTestCase()
    {
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_AS, &limit), 0);
        if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > AddressSpaceLimit) {
            limit.rlim_cur = AddressSpaceLimit;
            QCOMPARE(setrlimit(RLIMIT_AS, &limit), 0);
        }
        const QDir dir(CorpusDir);
        const QStringList names = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
        for (const QString &name : names)
            m_corpus.append(readFile(dir.filePath(name)));
        QVERIFY2(m_corpus.size() >= 5, qPrintable(CorpusDir));
        m_total.start();
    }

    void cleanupTestCase()
    {
        std::printf("rtffuzz: %d reads in %lld ms\n", m_cases, m_total.elapsed());
    }

    void corpusReadsWhole()
    {
        for (const QByteArray &file : std::as_const(m_corpus)) {
            QTextDocument doc;
            RtfReader::read(file, doc);
            QVERIFY(doc.characterCount() > 1);
        }
    }

    void everyTruncationOfTheCorpus()
    {
        for (qsizetype i = 0; i < m_corpus.size(); ++i) {
            QList<qsizetype> cuts;
            for (qsizetype cut = 0; cut <= m_corpus[i].size(); ++cut)
                cuts.append(cut);
            const QString problem =
                exercisePrefixes(m_corpus[i], QStringLiteral("corpus file %1").arg(i), cuts);
            if (!problem.isEmpty())
                QFAIL(qPrintable(problem));
        }
    }

    void mutations()
    {
        Mutator mutator(m_corpus, Seed);
        QString description;
        for (int i = 0; i < MutationCases; ++i) {
            const QByteArray input = mutator.next(description);
            const QString problem = exercise(
                input, QStringLiteral("mutation %1 (%2)").arg(i).arg(description), i % 16 == 0);
            if (!problem.isEmpty())
                QFAIL(qPrintable(problem));
        }
    }

    void truncationsOfTheManual()
    {
        const QByteArray manual = readFile(ManualPath);
        if (manual.isEmpty()) {
            std::printf("rtffuzz: no manual at %s yet\n", qPrintable(ManualPath));
            return;
        }
        const QList<qsizetype> cuts = cutPoints(manual.size(), TruncationBudget);
        const QString problem = exercisePrefixes(manual, QStringLiteral("manual"), cuts);
        if (!problem.isEmpty())
            QFAIL(qPrintable(problem));
        std::printf("rtffuzz: manual of %lld bytes cut at %lld places\n", qlonglong(manual.size()),
                    qlonglong(cuts.size()));
    }

    void truncationsOfALargeManual()
    {
        QByteArray manual = "{\\rtf1\\ansi ";
        while (manual.size() < 40000) {
            for (const QByteArray &file : std::as_const(m_corpus))
                manual += file;
        }
        manual += '}';
        const QList<qsizetype> cuts = cutPoints(manual.size(), LargeManualBudget);
        QVERIFY(cuts.size() < manual.size() / 4);
        const QString problem = exercisePrefixes(manual, QStringLiteral("large manual"), cuts);
        if (!problem.isEmpty())
            QFAIL(qPrintable(problem));
    }
};

QTEST_MAIN(TestRtfFuzz)
#include "tst_rtffuzz.moc"
