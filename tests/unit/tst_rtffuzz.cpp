// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <QTextDocument>

#include <sys/resource.h>

namespace {

const char *const Words[] = {
    "\\b",       "\\fs",       "\\f",     "\\cf",    "\\li",      "\\fi",       "\\tx",
    "\\par",     "\\u",        "\\uc",    "\\bin",   "\\ansicpg", "\\fcharset", "\\pict",
    "\\pngblip", "\\picwgoal", "\\trowd", "\\cellx", "\\intbl",   "\\cell",     "\\row",
    "\\itap",    "\\nestcell", "\\'",     "{\\*\\x", "\\v"};
const char *const Numbers[] = {"",       "0",     "-1",          "255",
                               "-10179", "65536", "-2147483649", "99999999999999999999"};

} // namespace

// Damaged manuals of every kind, as a broken disk, an editor, a cut copy or
// a hostile hand makes them, read in time into a document no longer than
// the input (no construct yields more characters than it has bytes). A read
// that never returns is caught by CTest's timeout.
class TestRtfFuzz : public QObject
{
    Q_OBJECT

private:
    QList<QByteArray> m_corpus;
    QRandomGenerator m_random{0x5C0AEB0A};
    int m_cases = 0;

    int pick(qsizetype bound)
    {
        return int(m_random.bounded(quint32(std::max<qsizetype>(bound, 1))));
    }

    QByteArray mutated()
    {
        QByteArray data = m_corpus[pick(m_corpus.size())];
        for (int steps = 1 + pick(4); steps > 0; --steps) {
            const qsizetype at = pick(data.size() + 1);
            const QByteArray &other = m_corpus[pick(m_corpus.size())];
            switch (pick(7)) {
            case 0:
                data.insert(at, char(pick(256)));
                break;
            case 1:
                data.remove(at, 1 + pick(64));
                break;
            case 2:
                data.insert(pick(data.size() + 1), data.mid(at, 1 + pick(128)));
                break;
            case 3:
                data.insert(at,
                            QByteArray(pick(20) == 0 ? 1200 : 1 + pick(8), pick(2) ? '{' : '}'));
                break;
            case 4:
                data.insert(at,
                            Words[pick(std::size(Words))] +
                                QByteArray(Numbers[pick(std::size(Numbers))]));
                break;
            case 5:
                data = data.left(at) + other.mid(pick(other.size() + 1));
                break;
            default:
                data.truncate(at);
            }
        }
        return data;
    }

    // Empty when the read behaved, else what went wrong.
    QString exercise(const QByteArray &input, bool layOut)
    {
        QTextDocument doc;
        QElapsedTimer timer;
        timer.start();
        if (++m_cases % 8 == 0)
            RtfReader::load(input, doc);
        else
            RtfReader::read(input, doc);
        // The help window lays the document out: absurd sizes or indents
        // that got through would show here.
        if (layOut) {
            doc.setTextWidth(480);
            doc.documentLayout()->documentSize();
        }
        if (timer.elapsed() > 2000)
            return QStringLiteral("took %1 ms").arg(timer.elapsed());
        if (doc.characterCount() > input.size() + 1)
            return QStringLiteral("%1 characters from %2 bytes")
                .arg(doc.characterCount())
                .arg(input.size());
        return {};
    }

    // Every prefix through the header, then every `stride`-th.
    void exercisePrefixes(const QByteArray &whole, const QString &name, qsizetype stride)
    {
        for (qsizetype cut = 0; cut <= whole.size(); cut += cut < 4096 ? 1 : stride) {
            const QString problem = exercise(whole.left(cut), cut % 64 == 0);
            QVERIFY2(
                problem.isEmpty(),
                qPrintable(QStringLiteral("%1 cut at %2: %3").arg(name).arg(cut).arg(problem)));
        }
    }

private slots:
    void initTestCase()
    {
        // A runaway allocation fails the read instead of taking the machine.
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_AS, &limit), 0);
        limit.rlim_cur = std::min<rlim_t>(limit.rlim_cur, rlim_t(4) << 30);
        QCOMPARE(setrlimit(RLIMIT_AS, &limit), 0);
        QDir dir(VANTRELL_SOURCE_DIR "/tests/unit/rtfcorpus");
        for (const QFileInfo &file : dir.entryInfoList({"*.rtf"}, QDir::Files, QDir::Name)) {
            QFile in(file.filePath());
            QVERIFY(in.open(QIODevice::ReadOnly));
            m_corpus.append(in.readAll());
        }
        QVERIFY2(m_corpus.size() >= 5, qPrintable(dir.path()));
    }

    void everyTruncation()
    {
        for (qsizetype i = 0; i < m_corpus.size(); ++i)
            exercisePrefixes(m_corpus[i], QStringLiteral("corpus file %1").arg(i), 1);
        QFile manual(VANTRELL_SOURCE_DIR "/assets/vantrellhelpfile.rtf");
        QVERIFY(manual.open(QIODevice::ReadOnly));
        exercisePrefixes(manual.readAll(), "manual", 7);
    }

    void mutations()
    {
        for (int i = 0; i < 20000; ++i) {
            const QString problem = exercise(mutated(), i % 16 == 0);
            QVERIFY2(problem.isEmpty(),
                     qPrintable(QStringLiteral("mutation %1: %2").arg(i).arg(problem)));
        }
    }
};

QTEST_MAIN(TestRtfFuzz)
#include "tst_rtffuzz.moc"
