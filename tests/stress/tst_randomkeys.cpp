// Thousands of random keys, clicks, field changes and key bindings against
// the real board, with sounds that end after a random number of ticks.

#include "fakes.h"
#include "input/modgrabkeys.h"
#include "input/modshowdigits.h"
#include "settings/settingsrecord.h"
#include "stresssupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

namespace {

enum class Bindings { Defaults, Shuffled, OnEntryKeys };
enum class Keys { Any, KeypadOnly };

constexpr int Steps = 6000;
constexpr qint64 GameLimitSeconds = 5999;
constexpr qint64 ShortLimitSeconds = 599;

const char *const FieldNames[] = {"TimeBack",   "HomeBack",   "VisitorBack", "picGoalBack",
                                  "ShotClockBack", "PenaltyTH1", "PenaltyTV1", "PenaltyTH2",
                                  "PenaltyTV2", "PenaltyTH3", "PenaltyTV3"};

qint16 SettingsRecord::*const BindingFields[] = {
    &SettingsRecord::StartStopClockKey, &SettingsRecord::ResetClockKey,
    &SettingsRecord::ClearKey,          &SettingsRecord::ClockSwitchKey,
    &SettingsRecord::SepTimeKey,        &SettingsRecord::BuzzerKey,
    &SettingsRecord::HornKey,           &SettingsRecord::ResetShotKey,
    &SettingsRecord::StartStopShotKey};

const int KeypadKeys[] = {Qt::Key_0,        Qt::Key_1,     Qt::Key_2,    Qt::Key_3,     Qt::Key_4,
                          Qt::Key_5,        Qt::Key_6,     Qt::Key_7,    Qt::Key_8,     Qt::Key_9,
                          Qt::Key_Period,   Qt::Key_Comma, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Asterisk,
                          Qt::Key_Slash,    Qt::Key_Enter, Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Home,
                          Qt::Key_End,      Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Right,
                          Qt::Key_Up,       Qt::Key_Down,  Qt::Key_Clear, Qt::Key_NumLock};

} // namespace

Q_DECLARE_METATYPE(Bindings)
Q_DECLARE_METATYPE(Keys)

class TestRandomKeys : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    QRandomGenerator m_random;
    Stress::TickedPlayer *m_players[2] = {nullptr, nullptr};
    std::unique_ptr<frmScoreBoard> m_board;

    void makeBoard()
    {
        const QString sound = QCoreApplication::applicationFilePath();
        settingsRecord().BuzzerFile = sound;
        settingsRecord().HornFile = sound;
        int made = 0;
        m_board = std::make_unique<frmScoreBoard>(nullptr, [this, &made] {
            auto player = std::make_unique<Stress::TickedPlayer>();
            player->length = [this] { return int(m_random.bounded(1, 60)); };
            m_players[made++] = player.get();
            return std::unique_ptr<SoundPlayer>(std::move(player));
        });
        m_board->show();
        QApplication::setActiveWindow(m_board.get());
        QVERIFY(QTest::qWaitForWindowActive(m_board.get()));
    }

    int anyKey()
    {
        switch (m_random.bounded(4)) {
        case 0:
            return Qt::Key_Space + int(m_random.bounded(Qt::Key_ydiaeresis - Qt::Key_Space + 1));
        case 1:
            return Qt::Key_Escape + int(m_random.bounded(0x100));
        case 2:
            return Qt::Key_0 + int(m_random.bounded(10));
        default:
            return KeypadKeys[m_random.bounded(int(std::size(KeypadKeys)))];
        }
    }

    Qt::KeyboardModifiers anyModifiers()
    {
        Qt::KeyboardModifiers modifiers;
        for (const Qt::KeyboardModifier m : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
                                             Qt::MetaModifier, Qt::KeypadModifier}) {
            if (m_random.bounded(5) == 0)
                modifiers |= m;
        }
        return modifiers;
    }

    static QString textFor(int key, Qt::KeyboardModifiers modifiers)
    {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return QStringLiteral("\r");
        if (key < Qt::Key_Space || key > Qt::Key_AsciiTilde)
            return {};
        const QChar c(key);
        return modifiers & Qt::ShiftModifier ? QString(c) : QString(c.toLower());
    }

    void stroke(Keys keys)
    {
        int key = keys == Keys::KeypadOnly ? KeypadKeys[m_random.bounded(int(std::size(KeypadKeys)))]
                                           : anyKey();
        Qt::KeyboardModifiers modifiers = anyModifiers();
        if (keys == Keys::KeypadOnly)
            modifiers |= Qt::KeypadModifier;
        const QString text = textFor(key, modifiers);
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : m_board.get();
        const int repeats = m_random.bounded(8) == 0 ? int(m_random.bounded(2, 6)) : 1;
        for (int i = 0; i < repeats; ++i) {
            QKeyEvent press(QEvent::KeyPress, key, modifiers, text, i > 0);
            QApplication::sendEvent(target, &press);
        }
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : m_board.get(),
                              &release);
    }

    void ticks(int count, qint64 stepMs = 100)
    {
        for (int i = 0; i < count; ++i) {
            m_time.advanceMs(stepMs);
            m_board->ClockTick();
            for (Stress::TickedPlayer *player : m_players)
                player->tick();
            const QString wrong = Stress::clocksDisagree(*m_board);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        }
        QCoreApplication::processEvents();
    }

    void selectField()
    {
        const char *name = FieldNames[m_random.bounded(int(std::size(FieldNames)))];
        m_board->controlLayer().find(QLatin1String(name))->setFocus(Qt::OtherFocusReason);
    }

    void clickSomewhere()
    {
        const QList<BoardControl *> &controls = m_board->controlLayer().controls();
        BoardControl *control = controls.at(m_random.bounded(int(controls.size())));
        if (!control->isVisible() || control->width() <= 0 || control->height() <= 0)
            return;
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(control->width() / 2, control->height() / 2));
    }

    qint16 anyBinding(Bindings bindings)
    {
        if (bindings == Bindings::OnEntryKeys) {
            static const qint16 entry[] = {13, 32, 46, 48, 49, 50, 53, 57, 96, 105, 107, 109, 110, 190};
            return entry[m_random.bounded(int(std::size(entry)))];
        }
        static const qint16 odd[] = {-32768, -1, 0, 8, 9, 13, 27, 112, 113, 144, 255, 256, 32767};
        if (m_random.bounded(3) == 0)
            return odd[m_random.bounded(int(std::size(odd)))];
        return qint16(m_random.bounded(256));
    }

    void rebind(Bindings bindings)
    {
        for (qint16 SettingsRecord::*field : BindingFields)
            settingsRecord().*field = anyBinding(bindings);
    }

    void checkBoard(int step)
    {
        for (Segmora *figure : m_board->findChildren<Segmora *>()) {
            QVERIFY2(figure->caption() >= -1 && figure->caption() <= 9,
                     qPrintable(QStringLiteral("step %1: %2(%3) shows %4")
                                    .arg(step)
                                    .arg(figure->controlName())
                                    .arg(figure->index())
                                    .arg(figure->caption())));
        }
        for (qint16 slot = 0; slot < modCount::SlotCount; ++slot) {
            const modCount::CountSlot &s = modCount::state().table[size_t(slot)];
            const qint64 limit = slot == modCount::GameSlot ? GameLimitSeconds : ShortLimitSeconds;
            QVERIFY2(s.CountBase >= ClockValue() && s.CountBase <= ClockValue::fromSeconds(limit),
                     qPrintable(QStringLiteral("step %1: slot %2 holds %3 s")
                                    .arg(step)
                                    .arg(slot)
                                    .arg(double(s.CountBase.raw()) / ClockValue::Scale)));
            // Nothing used up may be negative, or the clock would show more
            // than was loaded.
            QVERIFY2(s.CountBanked >= ClockValue() && s.CountElapsed >= ClockValue(),
                     qPrintable(QStringLiteral("step %1: slot %2 banked %3, elapsed %4")
                                    .arg(step)
                                    .arg(slot)
                                    .arg(s.CountBanked.raw())
                                    .arg(s.CountElapsed.raw())));
        }
        const bool sounding = m_players[0]->playing() || m_players[1]->playing();
        QVERIFY2(m_board->BuzzerPlaying() == sounding,
                 qPrintable(QStringLiteral("step %1: BuzzerPlaying %2 while a sound plays: %3")
                                .arg(step)
                                .arg(m_board->BuzzerPlaying())
                                .arg(sounding)));
    }

private slots:
    void init()
    {
        m_time = FakeTimeSource{};
        modCount::reset(&m_time);
        modShowDigits::reset();
        modGrabKeys::reset();
        resetSettingsRecord();
    }
    void cleanup() { m_board.reset(); }

    void keyStorm_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<Bindings>("bindings");
        QTest::addColumn<Keys>("keys");
        QTest::newRow("default bindings, any key") << 11u << Bindings::Defaults << Keys::Any;
        QTest::newRow("bindings shuffled now and then") << 12u << Bindings::Shuffled << Keys::Any;
        QTest::newRow("commands bound to entry keys") << 13u << Bindings::OnEntryKeys << Keys::Any;
        QTest::newRow("keypad with modifiers") << 14u << Bindings::Shuffled << Keys::KeypadOnly;
    }
    void keyStorm()
    {
        QFETCH(quint32, seed);
        QFETCH(Bindings, bindings);
        QFETCH(Keys, keys);
        m_random.seed(seed);
        makeBoard();
        if (bindings == Bindings::OnEntryKeys)
            rebind(bindings);
        for (int step = 0; step < Steps; ++step) {
            const int choice = int(m_random.bounded(100));
            if (choice < 75)
                stroke(keys);
            else if (choice < 85)
                ticks(int(m_random.bounded(1, 25)));
            else if (choice < 90)
                selectField();
            else if (choice < 94)
                clickSomewhere();
            else if (choice < 97 && bindings != Bindings::Defaults)
                rebind(bindings);
            else if (choice >= 97)
                ticks(1, qint64(m_random.bounded(1, 600'000)));
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("at step %1").arg(step)));
            checkBoard(step);
            if (QTest::currentTestFailed())
                return;
        }
        // Every sound ends in the end, and the board knows it.
        ticks(60);
        QVERIFY(!m_players[0]->playing() && !m_players[1]->playing());
        QVERIFY(!m_board->BuzzerPlaying());
        qInfo("%lld sounds played; game clock %s, shot clock %s",
              qint64(m_players[0]->plays() + m_players[1]->plays()),
              qPrintable(Stress::captionsText(m_board->gameDigits())),
              qPrintable(Stress::captionsText(m_board->shotDigits())));
    }
};

QTEST_MAIN(TestRandomKeys)
#include "tst_randomkeys.moc"
