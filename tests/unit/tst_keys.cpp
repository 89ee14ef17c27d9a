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

#include <X11/keysym.h>

using KeyDispatch::Command;
using modCount::TimeEntryKey;

// From the key pressed to the command it runs or the entry it types.
class TestKeys : public QObject
{
    Q_OBJECT

private:
    // '#' stands for the clear code.
    modShowDigits::ScoreEntry m_scoreEntry;

    void typeScore(DigitSet &digits, const QString &keys)
    {
        modShowDigits::ScoreEntry &entry = m_scoreEntry;
        for (QChar c : keys) {
            const qint16 code = c == u'\n' ? 13 : c == u'#' ? 0 : qint16(c.unicode());
            modShowDigits::ScoreEntryKey(entry, digits, code, -1, 99);
        }
    }

private slots:
    void init()
    {
        resetSettingsRecord();
        QLocale::setDefault(QLocale::c());
        m_scoreEntry = {};
    }

    // What a key event types: 0 the clear code, -1 nothing. Where no X11
    // keymap can be read the key comes from Qt's key: Shift never changes
    // it, the keypad's NumLock does.
    void entryOfAKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("clearKey");
        QTest::addColumn<QString>("locale"); // its decimal separator
        const auto row = [](const char *name, int key, int modifiers, int entry, int clearKey = 46,
                            const char *locale = "C") {
            QTest::newRow(name) << key << modifiers << entry << clearKey << locale;
        };
        const int keypad = Qt::KeypadModifier;
        row("Shift+1 types 1", Qt::Key_Exclam, Qt::ShiftModifier, '1');
        row("keypad plus", Qt::Key_Plus, keypad, '+');
        row("keypad 0", Qt::Key_0, keypad, '0');
        row("keypad 9", Qt::Key_9, keypad, '9');
        row("keypad comma is the point", Qt::Key_Comma, keypad, '.');
        row("clear bound to a keypad digit", Qt::Key_7, keypad, 0, 103);
        row("clear bound to space never clears", Qt::Key_Space, 0, ' ', 32);
        row("Delete types nothing once unbound", Qt::Key_Delete, 0, -1, 8);
        row("comma types nothing beside a decimal point", Qt::Key_Comma, 0, -1);
        row("comma is the point beside a decimal comma", Qt::Key_Comma, 0, '.', 46, "de_DE");
        row("clear bound to the comma still clears", Qt::Key_Comma, 0, 0, 188, "de_DE");
    }
    void entryOfAKey()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, entry);
        QFETCH(int, clearKey);
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        settingsRecord().ClearKey = qint16(clearKey);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        const qint16 code = KeyTranslation::virtualKeyCode(event);
        QCOMPARE(int(KeyCodeToAsci(code, settingsRecord())), entry);
    }

    // A letter stays a letter where its key has "." on another level.
    void letterKeyBesideAPoint()
    {
        QCOMPARE(KeyTranslation::fromPhysicalKey({-1, true, XK_q}), qint16(81));
    }

    // A key bound twice runs the earlier command in the dispatch order; a
    // binding hides F1 to F9; of these only F4 acts from another window.
    void sharedKeysRunTheEarlierCommand()
    {
        SettingsRecord settings;
        settings.ResetShotKey = 90;
        settings.HornKey = 112;
        QCOMPARE(KeyDispatch::commandForKey(90, settings), Command::StartStopShot);
        QCOMPARE(KeyDispatch::commandForKey(112, settings), Command::Horn);
        QCOMPARE(KeyDispatch::commandForKey(114, settings), Command::Record);
        QCOMPARE(KeyDispatch::commandForKey(115, settings), Command::Undo);
        QCOMPARE(KeyDispatch::passedCommandForKey(115, settings), Command::Undo);
        QCOMPARE(KeyDispatch::passedCommandForKey(116, settings), Command::None);
        settings.StartStopClockKey = 117;
        QCOMPARE(KeyDispatch::commandForKey(117, settings), Command::StartStopClock);
        settings.BuzzerKey = 115;
        settings.ClockSwitchKey = 114;
        QCOMPARE(KeyDispatch::passedCommandForKey(115, settings), Command::Buzzer);
        QCOMPARE(KeyDispatch::commandForKey(114, settings), Command::ClockSwitch);
        QCOMPARE(KeyDispatch::commandForKey(119, settings), Command::HomeTimeout);
        QCOMPARE(KeyDispatch::passedCommandForKey(119, settings), Command::None);
        settings.HornKey = 119;
        QCOMPARE(KeyDispatch::commandForKey(119, settings), Command::Horn);
        QCOMPARE(KeyDispatch::commandForKey(121, settings), Command::NextMatch);
        settings.BuzzerKey = 121;
        QCOMPARE(KeyDispatch::commandForKey(121, settings), Command::Buzzer);
    }

    // Minutes, seconds after the point, tenths, then Enter; -1 if refused.
    void typedTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("tenths");
        QTest::newRow("1.75 takes seconds above 59") << "1.75" << 5999 << 1350;
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
        modCount::TimeEntry entry;
        for (QChar c : text)
            QVERIFY(!TimeEntryKey(entry, digits, qint16(c.unicode()), limit));
        const std::optional<ClockValue> value = TimeEntryKey(entry, digits, 13, limit);
        QCOMPARE(value.value_or(ClockValue::fromTenths(-1)), ClockValue::fromTenths(tenths));
        QVERIFY(entry.EntryText.isEmpty());
    }

    // A score shows 5 before the keys; it takes -1 (blank) to 99.
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
        row("below -1 refused", "-9", "_5");
        row("99 is the top", "94\n+5+1", "99");
        row("plus on a blank score counts from 0", "#+1", "_1");
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

    // Moving to another field throws away what was typed.
    void entriesBelongToOneField()
    {
        FakeDigits shot("pledShot", 4);
        FakeDigits penalty("pledPenaltyTH1", 3);
        modCount::TimeEntry entry;
        TimeEntryKey(entry, shot, '4', 599);
        TimeEntryKey(entry, penalty, '5', 599);
        QCOMPARE(TimeEntryKey(entry, penalty, 13, 599), ClockValue::fromSeconds(300));
        QCOMPARE(TimeEntryKey(entry, shot, 13, 599), ClockValue());
        FakeDigits home("pledHome", 2);
        FakeDigits visitor("pledVisitor", 2);
        typeScore(home, "4");
        typeScore(visitor, "5\n");
        QCOMPARE(home.text() + visitor.text(), QStringLiteral("___5"));
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
