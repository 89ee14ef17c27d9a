// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <QTextDocument>

#include <functional>

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
            const std::function<void()> mutations[] = {
                [&] { data.insert(at, char(pick(256))); },
                [&] { data.remove(at, 1 + pick(64)); },
                [&] { data.insert(pick(data.size() + 1), data.mid(at, 1 + pick(128))); },
                [&] {
                    data.insert(
                        at, QByteArray(pick(20) == 0 ? 1200 : 1 + pick(8), pick(2) ? '{' : '}'));
                },
                [&] {
                    data.insert(at,
                                Words[pick(std::size(Words))] +
                                    QByteArray(Numbers[pick(std::size(Numbers))]));
                },
                [&] { data = data.left(at) + other.mid(pick(other.size() + 1)); },
                [&] { data.truncate(at); },
            };
            mutations[pick(7)]();
        }
        return data;
    }

    // Loaded as the help window loads it: what is no RTF is read as plain
    // text. The window also lays the document out, where absurd sizes or
    // indents that got through would show.
    void check(const QByteArray &input, bool layOut, const QString &what)
    {
        QTextDocument doc;
        QElapsedTimer timer;
        timer.start();
        RtfReader::load(input, doc);
        if (layOut) {
            doc.setTextWidth(480);
            doc.documentLayout()->documentSize();
        }
        QVERIFY2(timer.elapsed() < 2000, qPrintable(what));
        QVERIFY2(doc.characterCount() <= input.size() + 1, qPrintable(what));
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

    // Every prefix of the corpus and of the manual through 4 KiB, then
    // every 7th.
    void everyTruncation()
    {
        QFile manual(VANTRELL_SOURCE_DIR "/assets/vantrellhelpfile.rtf");
        QVERIFY(manual.open(QIODevice::ReadOnly));
        for (const QByteArray &whole : m_corpus + QList<QByteArray>{manual.readAll()}) {
            for (qsizetype cut = 0; cut <= whole.size() && !QTest::currentTestFailed();
                 cut += cut < 4096 ? 1 : 7)
                check(whole.left(cut), cut % 64 == 0,
                      QStringLiteral("cut at %1 of %2 bytes").arg(cut).arg(whole.size()));
        }
    }

    void mutations()
    {
        for (int i = 0; i < 20000 && !QTest::currentTestFailed(); ++i)
            check(mutated(), i % 16 == 0, QStringLiteral("mutation %1").arg(i));
    }
};

QTEST_MAIN(TestRtfFuzz)
#include "tst_rtffuzz.moc"
