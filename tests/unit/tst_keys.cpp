// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "input/keydispatch.h"
#include "input/keytranslation.h"
#include "input/modshowdigits.h"
#include "input/timeentry.h"
#include "settings/settingsrecord.h"

#include <QKeyEvent>
#include <QLocale>
#include <QTest>

using KeyDispatch::Command;
using modCount::TimeEntryKey;

// From the key pressed to the command it runs or the entry it types.
class TestKeys : public QObject
{
    Q_OBJECT

private:
    // '#' stands for the clear code.
    static void typeScore(DigitSet &digits, const QString &keys)
    {
        for (QChar c : keys) {
            const qint16 code = c == u'\n' ? 13 : c == u'#' ? 0 : qint16(c.unicode());
            modShowDigits::ScoreEntryKey(digits, code, -1, 99);
        }
    }

private slots:
    void init()
    {
        resetSettingsRecord();
        QLocale::setDefault(QLocale::c());
        modCount::reset();
        modShowDigits::reset();
    }

    // Without an X11 keymap the code comes from Qt's key: Shift never changes
    // it, the keypad's NumLock does.
    void fromQtKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        const int shift = Qt::ShiftModifier;
        const int keypad = Qt::KeypadModifier;
        QTest::newRow("Shift+1 is !") << int(Qt::Key_Exclam) << shift << 49;
        QTest::newRow("keypad comma decimal") << int(Qt::Key_Comma) << keypad << 110;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << keypad << 107;
        QTest::newRow("keypad 1, NumLock off") << int(Qt::Key_End) << keypad << 35;
        QTest::newRow("a key without a code") << int(Qt::Key_VolumeUp) << 0 << 0;
    }
    void fromQtKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(int(KeyTranslation::virtualKeyCode(event)), code);
    }

    void entryOfAKey_data()
    {
        QTest::addColumn<int>("clearKey");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("locale"); // its decimal separator
        const auto row = [](const char *name, int clearKey, int key, int entry,
                            const char *locale = "C") {
            QTest::newRow(name) << clearKey << key << entry << locale;
        };
        row("Delete clears", 46, 46, 0);
        row("= is plus", 46, 187, 43);
        row("keypad plus", 46, 107, 43);
        row("keypad point", 46, 110, 46);
        row("clear bound to a keypad digit", 103, 103, 0);
        row("clear bound to space never clears", 32, 32, 32);
        row("Delete types nothing once unbound", 8, 46, -1);
        row("comma types nothing beside a decimal point", 46, 188, -1);
        row("comma is the point beside a decimal comma", 46, 188, 46, "de_DE");
        row("clear bound to the comma still clears", 188, 188, 0, "de_DE");
    }
    void entryOfAKey()
    {
        QFETCH(int, clearKey);
        QFETCH(int, key);
        QFETCH(int, entry);
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        settingsRecord().ClearKey = qint16(clearKey);
        QCOMPARE(int(KeyCodeToAsci(qint16(key), settingsRecord())), entry);
    }

    // A key bound twice runs the earlier command in the dispatch order; a
    // binding hides F1 and F2; the clear and penalty keys are no command.
    void sharedKeysRunTheEarlierCommand()
    {
        SettingsRecord settings;
        QCOMPARE(KeyDispatch::commandForKey(46, settings), Command::None);
        QCOMPARE(KeyDispatch::commandForKey(73, settings), Command::None);
        settings.ResetShotKey = 90;
        QCOMPARE(KeyDispatch::commandForKey(90, settings), Command::StartStopShot);
        settings.HornKey = 112;
        QCOMPARE(KeyDispatch::commandForKey(112, settings), Command::Horn);
    }

    // Minutes, seconds after the point, tenths, then Enter; -1 if refused.
    void typedTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("tenths");
        QTest::newRow("1.75 takes seconds above 59") << "1.75" << 5999 << 1350;
        QTest::newRow("Enter alone is zero") << "" << 5999 << 0;
        QTest::newRow("99.59 in the game clock") << "99.59" << 5999 << 59990;
        QTest::newRow("9.59 in the shot clock") << "9.59" << 599 << 5990;
        QTest::newRow("10 is above 599 s") << "10" << 599 << -1;
        QTest::newRow("two points refused") << "1.2.3" << 5999 << -1;
        QTest::newRow("signs and unknown keys ignored") << "1+-\u00ff.3" << 599 << 630;
        QTest::newRow("space discards what was typed") << "4 5" << 599 << 3000;
    }
    void typedTime()
    {
        QFETCH(QString, text);
        QFETCH(int, limit);
        QFETCH(int, tenths);
        FakeDigits digits("pledTime", 4);
        for (QChar c : text)
            QVERIFY(!TimeEntryKey(digits, qint16(c.unicode()), limit));
        const std::optional<ClockValue> value = TimeEntryKey(digits, 13, limit);
        QCOMPARE(value.value_or(ClockValue::fromTenths(-1)), ClockValue::fromTenths(tenths));
        QVERIFY(modCount::state().EntryText.isEmpty());
    }

    // Moving to another field throws away what was typed.
    void timeEntryBelongsToOneField()
    {
        FakeDigits shot("pledShot", 4);
        FakeDigits penalty("pledPenaltyTH1", 3);
        TimeEntryKey(shot, '4', 599);
        TimeEntryKey(penalty, '5', 599);
        QCOMPARE(TimeEntryKey(penalty, 13, 599), ClockValue::fromSeconds(300));
        QCOMPARE(TimeEntryKey(shot, 13, 599), ClockValue());
    }

    void scoreEntry_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        const auto row = [](const char *name, const char *keys, const char *after) {
            QTest::newRow(name) << QString(keys) << QString(after);
        };
        row("number waits for Enter", "42", "_5");
        row("number then Enter", "42\n", "42");
        row("a sign and a figure at once", "+3", "_8");
        row("two signs wait for Enter", "++2\n", "_7");
        row("sign commits twice in a row", "+1+1", "_7");
        row("space discards", "4 \n", "_5");
        row("0 minus 1 goes blank", "-5-1", "__");
        row("the clear code blanks", "7#", "__");
        row("and keeps what was typed", "7#\n", "_7");
    }
    void scoreEntry()
    {
        QFETCH(QString, keys);
        QFETCH(QString, after);
        FakeDigits score("pledHome", 2);
        score.setCaption(0, 5);
        typeScore(score, keys);
        QCOMPARE(score.text(), after);
    }

    void scoreBufferChangesOwner()
    {
        FakeDigits home("pledHome", 2, -1);
        FakeDigits visitor("pledVisitor", 2, -1);
        typeScore(home, "4");
        typeScore(visitor, "5\n");
        QCOMPARE(home.text() + visitor.text(), QStringLiteral("___5"));
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
