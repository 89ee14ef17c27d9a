// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/figurerow.h"
#include "game/gameevent.h"
#include "game/gamehistory.h"
#include "game/gamestate.h"
#include "timing/clockengine.h"

#include <QObject>

#include <array>

// The game's state and the one set of commands that change it: the clocks
// through the clock engine, the scores, lamps and marks, the time-of-day
// switch, the figures every view shows. The board, the journal and any
// other view read it here and change it only through these commands; each
// change is announced as one event.
class Game : public QObject, private ClockBoard
{
    Q_OBJECT

public:
    explicit Game(QObject *parent = nullptr);

    ClockEngine &engine() { return m_engine; }
    FigureRow &row(FigureRowId id) { return m_rows[size_t(id)]; }
    const FigureRow &row(FigureRowId id) const { return m_rows[size_t(id)]; }
    // The penalty clock that runs on count slot 1 to 6.
    FigureRow &penaltyRow(qint16 slot);
    const FigureRow &penaltyRow(qint16 slot) const
    {
        return const_cast<Game *>(this)->penaltyRow(slot);
    }
    const ColonState &colon(FigureRowId clock) const;
    GoalLamp lamp() const { return m_lamp; }
    MarkState mark(int index) const { return m_marks.at(size_t(index)); }

    GameSnapshot snapshot() const;
    // Shows the game a snapshot holds, as it stands now: clocks that ran
    // out meanwhile show zero, silently, and a shot clock that ran out
    // started the game clock and the penalties at that moment.
    void restore(const GameSnapshot &saved);

    void startUp() { m_engine.startUp(); }
    void tick();

    void startStopClock();
    void resetClock();
    void startStopShot();
    void resetShot();
    void switchClockTime();
    void startStopPenalty(qint16 slot);
    void clearPenalty(qint16 slot);
    void enterGameTime(ClockValue value);
    void enterShotTime(ClockValue value);
    void enterPenaltyTime(qint16 slot, ClockValue value);
    // One typed key for a team's score field.
    void scoreKey(FigureRowId team, qint16 code);
    // Lights the team's lamp with a point for the team, or puts it out.
    void toggleLamp(GoalLamp team);
    void lampOff();
    // A click on a penalty clock's red or green mark.
    void clickMark(int index, bool green);
    void setMark(int index, MarkState state);
    void soundBuzzer();
    void soundHorn();
    void optionsConfirmed(const QString &homeName, const QString &visitorName);
    // A resumed game announces itself whole, so that a record of it needs
    // nothing from before.
    void announceResumed();
    // What can be undone and redone in a resumed game, from its events.
    void resumeHistory(const QList<GameEvent> &events);
    // Takes back the operator's last change, or, with characters typed
    // into the selected field and not yet entered, only those: characters
    // left in a field the operator has moved away from are out of sight,
    // and wait there for his return. No alarm sounds for what an undo
    // brings back.
    void undo(std::optional<FigureRowId> selected = std::nullopt);
    // Puts back the last change undone, until a new change is made.
    void redo();
    // The board as it opens, the game clock at the game's length: nothing
    // left to undo, and nothing announced.
    void newGame();

signals:
    void figureChanged(FigureRowId row, int index, int caption);
    void colonChanged(FigureRowId clock, int dot, bool lit);
    void lampChanged();
    // The marks and the penalty colons are shown afresh.
    void marksChanged();
    void penaltyColonsChanged();
    void buzzerSounded();
    void hornSounded();
    // A clock started: the tick must be running.
    void tickWanted();
    void changed(const GameEvent &event);

private:
    DigitSet &gameDigits() override { return row(FigureRowId::GameClock); }
    ColonDots &gameColon() override { return m_gameColon; }
    DigitSet &shotDigits() override { return row(FigureRowId::ShotClock); }
    ColonDots &shotColon() override { return m_shotColon; }
    DigitSet &penaltyDigits(qint16 slot) override { return penaltyRow(slot); }
    void Buzzer() override;
    void Horn() override;
    void Penalty() override { emit marksChanged(); }
    void UpdatePenaltyColonColors() override { emit penaltyColonsChanged(); }
    void enableTick() override { emit tickWanted(); }

    // Runs a command and announces it when it changed the game; the
    // buzzer, the horn and the options are announced whatever they change.
    template<typename Command> void record(GameEventKind kind, int subject, Command &&command);
    void announce(GameEvent event);
    void watchRows();
    void restoreSlots(const GameSnapshot &saved);
    void handOffInGap(const GameSnapshot &saved);
    bool discardTyping(std::optional<FigureRowId> selected);
    void takeBack(GameEventKind kind, const std::optional<GameSnapshot> &game,
                  GameEventKind undone);

    std::array<FigureRow, FigureRowCount> m_rows;
    ColonState m_gameColon;
    ColonState m_shotColon;
    GoalLamp m_lamp = GoalLamp::None;
    std::array<MarkState, PenaltyCount> m_marks{};
    ClockEngine m_engine;
    GameEventKind m_alarm = GameEventKind::ClockZero;
    GameHistory m_history;
};
