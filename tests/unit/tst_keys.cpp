#include "input/keydispatch.h"
#include "input/keytranslation.h"
#include "settings/settingsrecord.h"

#include <QKeyEvent>
#include <QLocale>
#include <QTest>

#include <optional>

#include <X11/keysym.h>

using KeyDispatch::Command;

Q_DECLARE_METATYPE(Command)

class TestKeys : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetSettingsRecord();
        QLocale::setDefault(QLocale::c());
    }

    // Without an X11 display the key comes from Qt's key; Shift never
    // changes it.
    void fromQtKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");

        const int shift = Qt::ShiftModifier;
        const int keypad = Qt::KeypadModifier;
        QTest::newRow("s") << int(Qt::Key_S) << 0 << 83;
        QTest::newRow("Shift+S") << int(Qt::Key_S) << shift << 83;
        QTest::newRow("Ctrl+Alt+S") << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::AltModifier) << 83;
        QTest::newRow("1") << int(Qt::Key_1) << 0 << 49;
        QTest::newRow("Shift+1 is !") << int(Qt::Key_Exclam) << shift << 49;
        QTest::newRow("Shift+0 is )") << int(Qt::Key_ParenRight) << shift << 48;
        QTest::newRow("=") << int(Qt::Key_Equal) << 0 << 187;
        QTest::newRow("Shift+= is +") << int(Qt::Key_Plus) << shift << 187;
        QTest::newRow(";") << int(Qt::Key_Semicolon) << 0 << 186;
        QTest::newRow("Shift+; is :") << int(Qt::Key_Colon) << shift << 186;
        QTest::newRow("-") << int(Qt::Key_Minus) << 0 << 189;
        QTest::newRow("Shift+- is _") << int(Qt::Key_Underscore) << shift << 189;
        QTest::newRow(".") << int(Qt::Key_Period) << 0 << 190;
        QTest::newRow(",") << int(Qt::Key_Comma) << 0 << 188;
        QTest::newRow("/") << int(Qt::Key_Slash) << 0 << 191;
        QTest::newRow("`") << int(Qt::Key_QuoteLeft) << 0 << 192;
        QTest::newRow("[") << int(Qt::Key_BracketLeft) << 0 << 219;
        QTest::newRow("backslash") << int(Qt::Key_Backslash) << 0 << 220;
        QTest::newRow("]") << int(Qt::Key_BracketRight) << 0 << 221;
        QTest::newRow("'") << int(Qt::Key_Apostrophe) << 0 << 222;
        QTest::newRow("Shift+' is a double quote") << int(Qt::Key_QuoteDbl) << shift << 222;
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 112;
        QTest::newRow("F2") << int(Qt::Key_F2) << 0 << 113;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0 << 123;
        QTest::newRow("Shift alone") << int(Qt::Key_Shift) << shift << 16;
        QTest::newRow("Ctrl alone") << int(Qt::Key_Control) << int(Qt::ControlModifier) << 17;
        QTest::newRow("Alt alone") << int(Qt::Key_Alt) << int(Qt::AltModifier) << 18;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << 13;
        QTest::newRow("space") << int(Qt::Key_Space) << 0 << 32;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << 46;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 27;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << 0 << 37;
        QTest::newRow("down arrow") << int(Qt::Key_Down) << 0 << 40;
        QTest::newRow("NumLock") << int(Qt::Key_NumLock) << 0 << 144;
        QTest::newRow("keypad 0, NumLock on") << int(Qt::Key_0) << keypad << 96;
        QTest::newRow("keypad 9, NumLock on") << int(Qt::Key_9) << keypad << 105;
        QTest::newRow("keypad point, NumLock on") << int(Qt::Key_Period) << keypad << 110;
        QTest::newRow("keypad comma decimal") << int(Qt::Key_Comma) << keypad << 110;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << keypad << 107;
        QTest::newRow("keypad -") << int(Qt::Key_Minus) << keypad << 109;
        QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << keypad << 106;
        QTest::newRow("keypad /") << int(Qt::Key_Slash) << keypad << 111;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << 13;
        QTest::newRow("keypad 1, NumLock off") << int(Qt::Key_End) << keypad << 35;
        QTest::newRow("keypad 0, NumLock off") << int(Qt::Key_Insert) << keypad << 45;
        QTest::newRow("keypad 5, NumLock off") << int(Qt::Key_Clear) << keypad << 12;
        QTest::newRow("keypad point, NumLock off") << int(Qt::Key_Delete) << keypad << 46;
        QTest::newRow("keypad 8, NumLock off") << int(Qt::Key_Up) << keypad << 38;
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

    // On X11 the keymap describes the physical key: the number row by
    // position, a key with "." on any level is the point key, letters stay
    // letters, the rest by unshifted keysym.
    void fromPhysicalKeys_data()
    {
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<int>("numberRow");
        QTest::addColumn<bool>("point");
        QTest::addColumn<int>("code");
        const auto key = [](const char *name, quint32 keysym, int code, int numberRow = -1,
                            bool point = false) {
            QTest::newRow(name) << keysym << numberRow << point << code;
        };
        key("a", XK_a, 65);
        key("z", XK_z, 90);
        key("1", XK_1, 49, 1);
        key("=", XK_equal, 187);
        key(";", XK_semicolon, 186);
        key("'", XK_apostrophe, 222);
        key("F12", XK_F12, 123);
        key("right Shift", XK_Shift_R, 16);
        key("right Ctrl", XK_Control_R, 17);
        key("AltGr", XK_ISO_Level3_Shift, 18);
        key("Num_Lock", XK_Num_Lock, 144);
        key("Pause", XK_Pause, 19);
        key("unknown", XK_EuroSign, 0);
        key("AZERTY 1 key types &", XK_ampersand, 49, 1);
        key("AZERTY 2 key types e acute", XK_eacute, 50, 2);
        key("AZERTY 6 key types minus", XK_minus, 54, 6);
        key("AZERTY 0 key types a grave", XK_agrave, 48, 0);
        key("AZERTY ; key has the point shifted", XK_semicolon, 190, -1, true);
        key("German . key", XK_period, 190, -1, true);
        key("a letter stays a letter beside a point", XK_q, 81, -1, true);
        key("German + key", XK_plus, 187);
    }
    void fromPhysicalKeys()
    {
        QFETCH(quint32, keysym);
        QFETCH(int, numberRow);
        QFETCH(bool, point);
        QFETCH(int, code);
        QCOMPARE(int(KeyTranslation::fromPhysicalKey({numberRow, point, keysym})), code);
    }

    // Where the keymap can be read it alone decides, so a character Shift or
    // a foreign layout made is never folded the US way; where it cannot,
    // Qt's key still serves.
    void keymapDecidesOverQtKey()
    {
        struct FakeLookup : KeyTranslation::KeyLookup
        {
            std::optional<KeyTranslation::PhysicalKey> key;
            std::optional<KeyTranslation::PhysicalKey> physicalKey(quint32, quint32) override
            {
                return key;
            }
        } lookup;
        KeyTranslation::setKeyLookup(&lookup);
        const QKeyEvent colon(QEvent::KeyPress, Qt::Key_Colon, Qt::NoModifier, 60, 0, 0);
        lookup.key = KeyTranslation::PhysicalKey{-1, false, XK_colon};
        QCOMPARE(int(KeyTranslation::virtualKeyCode(colon)), 0);
        lookup.key = std::nullopt;
        QCOMPARE(int(KeyTranslation::virtualKeyCode(colon)), 186);
        KeyTranslation::setKeyLookup(nullptr);
    }

    void modifierMask()
    {
        QCOMPARE(int(KeyTranslation::modifierMask(Qt::NoModifier)), 0);
        QCOMPARE(int(KeyTranslation::modifierMask(Qt::ShiftModifier | Qt::AltModifier)), 5);
        QCOMPARE(int(KeyTranslation::modifierMask(Qt::ControlModifier | Qt::KeypadModifier)), 2);
    }

    void keyCodeToAsci_data()
    {
        QTest::addColumn<int>("clearKey");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("locale"); // its decimal separator
        QTest::newRow("space discards") << 46 << 32 << 32 << QString();
        QTest::newRow("Enter commits") << 46 << 13 << 13 << QString();
        QTest::newRow("Delete clears") << 46 << 46 << 0 << QString();
        QTest::newRow("= is plus") << 46 << 187 << 43 << QString();
        QTest::newRow("keypad plus") << 46 << 107 << 43 << QString();
        QTest::newRow("- is minus") << 46 << 189 << 45 << QString();
        QTest::newRow("keypad minus") << 46 << 109 << 45 << QString();
        QTest::newRow("keypad 7") << 46 << 103 << 55 << QString();
        QTest::newRow("main 7") << 46 << 55 << 55 << QString();
        QTest::newRow("keypad point") << 46 << 110 << 46 << QString();
        QTest::newRow("main point") << 46 << 190 << 46 << QString();
        QTest::newRow("letter means nothing") << 46 << 83 << -1 << QString();
        QTest::newRow("NumLock-off keypad 1") << 46 << 35 << -1 << QString();
        QTest::newRow("clear bound to a digit clears") << 55 << 55 << 0 << QString();
        QTest::newRow("clear bound to a keypad digit") << 103 << 103 << 0 << QString();
        QTest::newRow("clear bound to the point") << 190 << 190 << 0 << QString();
        QTest::newRow("other digits still type") << 55 << 56 << 56 << QString();
        QTest::newRow("clear bound to space never clears") << 32 << 32 << 32 << QString();
        QTest::newRow("clear bound to Enter never clears") << 13 << 13 << 13 << QString();
        QTest::newRow("Delete types nothing once unbound") << 8 << 46 << -1 << QString();
        QTest::newRow("comma types nothing beside a decimal point") << 46 << 188 << -1 << QString();
        QTest::newRow("comma is the point beside a decimal comma") << 46 << 188 << 46 << "de_DE";
        QTest::newRow("main point still the point beside a comma") << 46 << 190 << 46 << "de_DE";
        QTest::newRow("clear bound to the comma still clears") << 188 << 188 << 0 << "de_DE";
    }
    void keyCodeToAsci()
    {
        QFETCH(int, clearKey);
        QFETCH(int, key);
        QFETCH(int, entry);
        QFETCH(QString, locale);
        QLocale::setDefault(locale.isEmpty() ? QLocale::c() : QLocale(locale));
        settingsRecord().ClearKey = qint16(clearKey);
        QCOMPARE(int(KeyCodeToAsci(qint16(key), settingsRecord())), entry);
    }

    void firstBindingWins_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Command>("command");
        QTest::newRow("S") << 83 << Command::StartStopClock;
        QTest::newRow("R") << 82 << Command::ResetClock;
        QTest::newRow("Z") << 90 << Command::StartStopShot;
        QTest::newRow("X") << 88 << Command::ResetShot;
        QTest::newRow("C") << 67 << Command::ClockSwitch;
        QTest::newRow("B") << 66 << Command::Buzzer;
        QTest::newRow("G") << 71 << Command::Horn;
        QTest::newRow("F1") << 112 << Command::Help;
        QTest::newRow("F2") << 113 << Command::Options;
        QTest::newRow("Escape") << 27 << Command::None;
        QTest::newRow("left arrow") << 37 << Command::None;
        QTest::newRow("the clear key is no command") << 46 << Command::None;
        QTest::newRow("the penalty key is no command") << 73 << Command::None;
    }
    void firstBindingWins()
    {
        QFETCH(int, key);
        QFETCH(Command, command);
        QCOMPARE(KeyDispatch::commandForKey(qint16(key), settingsRecord()), command);
    }

    void sharedKeysRunTheEarlierCommand()
    {
        SettingsRecord settings;
        settings.ResetShotKey = 90; // shares Z with the shot clock's start
        QCOMPARE(KeyDispatch::commandForKey(90, settings), Command::StartStopShot);
        settings.StartStopShotKey = 88;
        settings.ResetShotKey = 88;
        QCOMPARE(KeyDispatch::commandForKey(88, settings), Command::StartStopShot);
        settings.HornKey = 112; // hides F1
        QCOMPARE(KeyDispatch::commandForKey(112, settings), Command::Horn);
        settings.BuzzerKey = 113;
        QCOMPARE(KeyDispatch::commandForKey(113, settings), Command::Buzzer);
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
