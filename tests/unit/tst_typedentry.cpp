#include "fakes.h"
#include "input/modshowdigits.h"
#include "input/timeentry.h"
#include "timing/modcount.h"

#include <QTest>

#include <optional>

using modCount::EntryToSeconds;
using modCount::TimeEntryKey;

class TestTypedEntry : public QObject
{
    Q_OBJECT

private:
    // Types a text into a clock field's figures and commits it with Enter.
    static std::optional<ClockValue> typeTime(const DigitSet &digits, const QString &text, qint32 limit)
    {
        for (QChar c : text)
            TimeEntryKey(digits, qint16(c.unicode()), limit);
        return TimeEntryKey(digits, 13, limit);
    }
    static void typeScore(DigitSet &digits, const QString &keys)
    {
        for (QChar c : keys)
            modShowDigits::ScoreEntryKey(digits, c == QLatin1Char('\n') ? 13 : qint16(c.unicode()), -1, 99);
    }

private slots:
    void init()
    {
        modCount::reset();
        modShowDigits::reset();
    }

    void entryToSeconds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("tenths"); // -1: no time
        QTest::newRow("2 is two minutes") << "2" << qint64(1200);
        QTest::newRow("1.30") << "1.30" << qint64(900);
        QTest::newRow("0.455 has tenths") << "0.455" << qint64(455);
        QTest::newRow("1.75 takes seconds above 59") << "1.75" << qint64(1350);
        QTest::newRow(".30") << ".30" << qint64(300);
        QTest::newRow("empty is zero") << "" << qint64(0);
        QTest::newRow("point alone is zero") << "." << qint64(0);
        QTest::newRow("1.3 is 1:03") << "1.3" << qint64(630);
        QTest::newRow("99.59") << "99.59" << qint64(59990);
        QTest::newRow("9.355") << "9.355" << qint64(5755);
        QTest::newRow("extra figures after tenths ignored") << "1.2345" << qint64(834);
        QTest::newRow("100 minutes refused") << "100" << qint64(-1);
        QTest::newRow("two points refused") << "1.2.3" << qint64(-1);
        QTest::newRow("over 8 characters refused") << "12345.6789" << qint64(-1);
        QTest::newRow("8 characters accepted") << "00001.30" << qint64(900);
        QTest::newRow("a sign refused") << "-5" << qint64(-1);
        QTest::newRow("a letter refused") << "1a" << qint64(-1);
    }
    void entryToSeconds()
    {
        QFETCH(QString, text);
        QFETCH(qint64, tenths);
        const std::optional<ClockValue> value = EntryToSeconds(text);
        QCOMPARE(value.has_value(), tenths >= 0);
        if (value)
            QCOMPARE(*value, ClockValue::fromTenths(tenths));
    }

    void timeEntryLimits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("99.59 in the game clock") << "99.59" << 5999 << true;
        QTest::newRow("99.60 is above 5999 s") << "99.60" << 5999 << false;
        QTest::newRow("9.59 in the shot clock") << "9.59" << 599 << true;
        QTest::newRow("10 is above 599 s") << "10" << 599 << false;
        QTest::newRow("9.595 is 599.5 s") << "9.595" << 599 << false;
    }
    void timeEntryLimits()
    {
        QFETCH(QString, text);
        QFETCH(int, limit);
        QFETCH(bool, accepted);
        FakeDigits digits(QStringLiteral("pledTime"), 4);
        QCOMPARE(typeTime(digits, text, limit).has_value(), accepted);
        QVERIFY(modCount::state().EntryText.isEmpty());
    }

    void timeEntryCollectsOnlyEntryKeys()
    {
        FakeDigits shot(QStringLiteral("pledShot"), 4);
        for (qint16 code : {qint16('1'), qint16(-1), qint16(43), qint16(45), qint16(0), qint16('.'), qint16('3')})
            QVERIFY(!TimeEntryKey(shot, code, 599));
        QCOMPARE(modCount::state().EntryText, QStringLiteral("1.3"));
        // Space throws away what was typed.
        TimeEntryKey(shot, 32, 599);
        QCOMPARE(TimeEntryKey(shot, 13, 599), ClockValue());
    }

    void typingIntoAnotherFieldStartsAfresh()
    {
        FakeDigits game(QStringLiteral("pledTime"), 4);
        FakeDigits penalty(QStringLiteral("pledPenaltyTH1"), 3);
        TimeEntryKey(game, '4', 5999);
        TimeEntryKey(penalty, '5', 599);
        QCOMPARE(TimeEntryKey(penalty, 13, 599), ClockValue::fromSeconds(300));
        // Moving back does not bring the old text back either.
        QCOMPARE(TimeEntryKey(game, 13, 5999), ClockValue());
    }

    void scoreEntry_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::newRow("number then Enter") << "_0" << "42\n" << "42";
        QTest::newRow("number waits for Enter") << "_0" << "42" << "_0";
        QTest::newRow("plus and figure at once") << "_7" << "+3" << "10";
        QTest::newRow("minus below -1 refused") << "_5" << "-9" << "_5";
        QTest::newRow("0 minus 1 goes blank") << "_0" << "-1" << "__";
        QTest::newRow("blank plus 1") << "__" << "+1" << "_1";
        QTest::newRow("123 refused") << "_7" << "123\n" << "_7";
        QTest::newRow("space discards") << "_7" << "4 \n" << "_7";
        QTest::newRow("the clear code blanks") << "42" << QString(QChar(0)) << "__";
        QTest::newRow("two signs wait for Enter") << "_5" << "++2\n" << "_7";
        QTest::newRow("Enter with nothing changes nothing") << "_5" << "\n" << "_5";
        QTest::newRow("sign commits twice in a row") << "_5" << "+1+1" << "_7";
    }
    void scoreEntry()
    {
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        FakeDigits score(QStringLiteral("pledHome"), 2);
        score.setCaption(1, before[0] == QLatin1Char('_') ? -1 : before[0].digitValue());
        score.setCaption(0, before[1] == QLatin1Char('_') ? -1 : before[1].digitValue());
        typeScore(score, keys);
        QCOMPARE(score.text(), after);
    }

    void scoreBufferChangesOwner()
    {
        FakeDigits home(QStringLiteral("pledHome"), 2, -1);
        FakeDigits visitor(QStringLiteral("pledVisitor"), 2, -1);
        typeScore(home, QStringLiteral("4"));
        typeScore(visitor, QStringLiteral("5\n"));
        QCOMPARE(visitor.text(), QStringLiteral("_5"));
        QCOMPARE(home.text(), QStringLiteral("__"));
        // The clear code blanks without touching what was typed.
        typeScore(visitor, QStringLiteral("7") + QChar(0));
        QCOMPARE(visitor.text(), QStringLiteral("__"));
        typeScore(visitor, QStringLiteral("\n"));
        QCOMPARE(visitor.text(), QStringLiteral("_7"));
    }
};

QTEST_GUILESS_MAIN(TestTypedEntry)
#include "tst_typedentry.moc"
