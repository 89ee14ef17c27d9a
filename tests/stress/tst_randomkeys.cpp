// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of random keys, clicks, field changes and key bindings against
// the real board, with sounds that end after a random number of ticks.

#include "board/frmscoreboard.h"
#include "fakes.h"
#include "input/modgrabkeys.h"
#include "input/modshowdigits.h"
#include "settings/settingsrecord.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

using namespace modCount;

namespace {
qint16 SettingsRecord::*const Bindings[] = {
    &SettingsRecord::StartStopClockKey, &SettingsRecord::ResetClockKey,
    &SettingsRecord::ClearKey,          &SettingsRecord::ClockSwitchKey,
    &SettingsRecord::SepTimeKey,        &SettingsRecord::BuzzerKey,
    &SettingsRecord::HornKey,           &SettingsRecord::ResetShotKey,
    &SettingsRecord::StartStopShotKey};
// Entry keys (digits, keypad, Enter, point, plus, minus) and odd codes.
const qint16 OddBindings[] = {13, 46, 48, 53, 96, 105, 107, 109, 110, 190, -1, 0, 144, 255, 32767};
} // namespace

// Thousands of random keys, clicks, ticks and key bindings against the real
// board, with sounds that end after a random number of ticks.
class TestRandomKeys : public QObject
{
    Q_OBJECT

    FakeTimeSource m_time;
    QRandomGenerator m_random;
    FakePlayers m_players;
    std::unique_ptr<frmScoreBoard> m_board;

    int any(int count) { return int(m_random.bounded(count)); }
    void stroke()
    {
        // Printable keys, or the named ones (Enter, Delete, NumLock...), with
        // any of Shift, Ctrl, Alt, Meta and keypad.
        const int key = any(2) ? Qt::Key_Space + any(0xE0) : Qt::Key_Escape + any(0x100);
        const auto modifiers = Qt::KeyboardModifiers(any(32) << 25);
        const QString text = key <= Qt::Key_AsciiTilde ? QString(QChar(key)).toLower() : QString();
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, modifiers, text);
            QWidget *focus = QApplication::focusWidget();
            QApplication::sendEvent(focus ? focus : m_board.get(), &event);
        }
    }
    void tick(qint64 stepMs = 100)
    {
        m_time.advanceMs(stepMs);
        m_board->ClockTick();
        m_players.buzzer->tick();
        m_players.horn->tick();
    }
    // Selects a field, lights a lamp or mark, or does nothing.
    void click()
    {
        BoardControl *control = m_board->controlLayer().controls().at(
            any(int(m_board->controlLayer().controls().size())));
        if (control->isVisible() && control->width() > 0 && control->height() > 0)
            QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    }

private slots:
    void keyStorm_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("rebind");
        QTest::newRow("default bindings") << 11u << false;
        QTest::newRow("bindings shuffled onto entry keys") << 12u << true;
    }
    void keyStorm()
    {
        // Slots in range, and the busy flag true exactly while a sound plays.
        QFETCH(quint32, seed);
        QFETCH(bool, rebind);
        modCount::reset(&m_time);
        modShowDigits::reset();
        modGrabKeys::reset();
        resetSettingsRecord();
        m_random.seed(seed);
        settingsRecord().BuzzerFile = settingsRecord().HornFile =
            QCoreApplication::applicationFilePath();
        m_players.length = [this] {
            return 1 + any(60);
        };
        m_board = std::make_unique<frmScoreBoard>(nullptr, m_players.factory());
        m_board->show();
        for (int step = 0; step < 10000 && !QTest::currentTestFailed(); ++step) {
            const int choice = any(100);
            if (choice < 75)
                stroke();
            else if (choice < 85)
                tick();
            else if (choice < 94)
                click();
            else if (choice < 97 && rebind)
                for (qint16 SettingsRecord::*field : Bindings)
                    settingsRecord().*field =
                        any(2) ? OddBindings[any(int(std::size(OddBindings)))] : qint16(any(256));
            else if (choice >= 97)
                tick(1 + any(600'000));
            for (qint16 slot = 0; slot < SlotCount; ++slot) {
                const CountSlot &s = state().table[size_t(slot)];
                QVERIFY(s.CountBase >= ClockValue() &&
                        s.CountBase <= ClockValue::fromSeconds(slot ? 599 : 5999));
            }
            QCOMPARE(m_board->BuzzerPlaying(),
                     m_players.buzzer->playing() || m_players.horn->playing());
        }
        // Every sound ends in the end, and the board knows it.
        for (int i = 0; i < 60; ++i)
            tick();
        QVERIFY(!m_board->BuzzerPlaying());
        m_board.reset();
    }
};

QTEST_MAIN(TestRandomKeys)
#include "tst_randomkeys.moc"
