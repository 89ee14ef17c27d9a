// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of random keys, clicks, field changes and key bindings against
// the real board, with sounds that end after a random number of ticks.

#include "board/frmscoreboard.h"
#include "fakes.h"
#include "input/modgrabkeys.h"
#include "input/modshowdigits.h"
#include "settings/settingsrecord.h"
#include "timing/clockdisplay.h"
#include "timing/timeofday.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

using namespace modCount;

namespace {

const int KeypadKeys[] = {Qt::Key_Period,   Qt::Key_Plus,  Qt::Key_Minus,
                          Qt::Key_Asterisk, Qt::Key_Enter, Qt::Key_Insert,
                          Qt::Key_Delete,   Qt::Key_Clear, Qt::Key_NumLock};
qint16 SettingsRecord::*const Bindings[] = {
    &SettingsRecord::StartStopClockKey, &SettingsRecord::ResetClockKey,
    &SettingsRecord::ClearKey,          &SettingsRecord::ClockSwitchKey,
    &SettingsRecord::SepTimeKey,        &SettingsRecord::BuzzerKey,
    &SettingsRecord::HornKey,           &SettingsRecord::ResetShotKey,
    &SettingsRecord::StartStopShotKey};
// Entry keys (digits, keypad, Enter, point, plus, minus) and odd codes.
const qint16 OddBindings[] = {13, 46, 48, 53, 96, 105, 107, 109, 110, 190, -1, 0, 144, 255, 32767};

// What differs between the figures of each clock and what its slot holds,
// read right after a tick.
QString clocksDisagree(frmScoreBoard &board)
{
    QStringList wrong;
    const auto check = [&wrong](const QString &name, const DigitSet &digits, const auto &figures) {
        QList<int> shown;
        for (int i = 0; i < digits.count(); ++i)
            shown << digits.caption(i);
        if (shown != QList<int>(figures.begin(), figures.end()))
            wrong << name;
    };
    const ClockValue game = board.engine().clockTime() ? timeOfDayValue(timeSource()) : CountValue(GameSlot);
    check(QStringLiteral("game clock"), board.gameDigits(), clockFigures(game, false).captions);
    check(QStringLiteral("shot clock"), board.shotDigits(),
          clockFigures(CountValue(ShotSlot), true).captions);
    for (qint16 slot = 1; slot <= 6; ++slot) {
        if (board.penaltyDigits(slot).shows(0))
            check(QStringLiteral("penalty %1").arg(slot), board.penaltyDigits(slot),
                  penaltyFigures(CountValue(slot)));
    }
    return wrong.join(QStringLiteral(", "));
}

} // namespace

class TestRandomKeys : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    QRandomGenerator m_random;
    FakePlayers m_players;
    std::unique_ptr<frmScoreBoard> m_board;

    void stroke()
    {
        const int pick = int(m_random.bounded(4));
        const int key = pick == 0 ? Qt::Key_Space + int(m_random.bounded(0xE0))
            : pick == 1           ? Qt::Key_Escape + int(m_random.bounded(0x100))
                                  : KeypadKeys[m_random.bounded(int(std::size(KeypadKeys)))];
        Qt::KeyboardModifiers modifiers;
        for (const auto m :
             {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier, Qt::KeypadModifier})
            modifiers |= m_random.bounded(5) == 0 ? m : Qt::NoModifier;
        const QString text = key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde
            ? QString(QChar(key)).toLower()
            : QString();
        const int repeats = m_random.bounded(8) == 0 ? int(m_random.bounded(2, 6)) : 1;
        for (int i = 0; i <= repeats; ++i) {
            QKeyEvent event(i < repeats ? QEvent::KeyPress : QEvent::KeyRelease, key, modifiers,
                            text, i > 0 && i < repeats);
            QWidget *focus = QApplication::focusWidget();
            QApplication::sendEvent(focus ? focus : m_board.get(), &event);
        }
    }

    void ticks(int count, qint64 stepMs = 100)
    {
        for (int i = 0; i < count; ++i) {
            m_time.advanceMs(stepMs);
            m_board->ClockTick();
            m_players.buzzer->tick();
            m_players.horn->tick();
            const QString wrong = clocksDisagree(*m_board);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong + " disagree with their slots"));
        }
    }

    // Selects a field, lights a lamp or mark, or does nothing.
    void click()
    {
        const QList<BoardControl *> &controls = m_board->controlLayer().controls();
        BoardControl *control = controls.at(m_random.bounded(int(controls.size())));
        if (control->isVisible() && control->width() > 0 && control->height() > 0)
            QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    }

    void checkBoard()
    {
        for (qint16 slot = 0; slot < SlotCount; ++slot) {
            const CountSlot &s = state().table[size_t(slot)];
            QVERIFY(s.CountBase >= ClockValue() &&
                    s.CountBase <= ClockValue::fromSeconds(slot ? 599 : 5999));
            QVERIFY(s.CountBanked >= ClockValue() && s.CountElapsed >= ClockValue());
        }
        QCOMPARE(m_board->BuzzerPlaying(),
                 m_players.buzzer->playing() || m_players.horn->playing());
    }

private slots:
    void keyStorm_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("rebind");
        QTest::newRow("default bindings") << 11u << false;
        QTest::newRow("bindings shuffled onto entry keys") << 12u << true;
        QTest::newRow("bindings shuffled again") << 14u << true;
    }
    void keyStorm()
    {
        QFETCH(quint32, seed);
        QFETCH(bool, rebind);
        m_time = FakeTimeSource{};
        modCount::reset(&m_time);
        modShowDigits::reset();
        modGrabKeys::reset();
        resetSettingsRecord();
        m_random.seed(seed);
        settingsRecord().BuzzerFile = settingsRecord().HornFile =
            QCoreApplication::applicationFilePath();
        m_players.length = [this] {
            return int(m_random.bounded(1, 60));
        };
        m_board = std::make_unique<frmScoreBoard>(nullptr, m_players.factory());
        m_board->show();
        QApplication::setActiveWindow(m_board.get());
        QVERIFY(QTest::qWaitForWindowActive(m_board.get()));
        for (int step = 0; step < 10000 && !QTest::currentTestFailed(); ++step) {
            const int choice = int(m_random.bounded(100));
            if (choice < 75)
                stroke();
            else if (choice < 85)
                ticks(int(m_random.bounded(1, 25)));
            else if (choice < 94)
                click();
            else if (choice < 97 && rebind)
                for (qint16 SettingsRecord::*field : Bindings)
                    settingsRecord().*field = m_random.bounded(2)
                        ? OddBindings[m_random.bounded(int(std::size(OddBindings)))]
                        : qint16(m_random.bounded(256));
            else if (choice >= 97)
                ticks(1, qint64(m_random.bounded(1, 600'000)));
            checkBoard();
        }
        // Every sound ends in the end, and the board knows it.
        ticks(60);
        QVERIFY(!m_board->BuzzerPlaying());
        m_board.reset();
    }
};

QTEST_MAIN(TestRandomKeys)
#include "tst_randomkeys.moc"
