// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/fieldrules.h"
#include "game/figurerow.h"
#include "game/gameevent.h"
#include "game/gamehistory.h"
#include "game/gamestate.h"
#include "game/match.h"
#include "input/modshowdigits.h"
#include "input/timeentry.h"
#include "timing/clockengine.h"

#include <QObject>

#include <array>

struct KeyBindings;

// A game, whole: its eight count slots and `GameLength` on its own time
// source, the typed entry in progress, the team names in force, the scores,
// lamps and marks, the time-of-day switch, the figures every view shows, and
// the rules of the board's fields. The one set of commands that change it;
// each change is announced as one event. The board, the journal and any
// other view read it here; two games live side by side without touching.
class Game : public QObject, private ClockBoard, private MatchPlay
{
    Q_OBJECT

public:
    explicit Game(const TimeSource &time = modCount::systemTime(), QObject *parent = nullptr);

    ClockEngine &engine() { return m_engine; }
    const TimeSource &time() const { return *m_counts.time; }
    bool isCounting(qint16 slot) const { return modCount::IsCounting(m_counts, slot); }
    ClockValue clockValue(qint16 slot) const { return modCount::CountValue(m_counts, slot); }
    // What an invalid slot number sounds.
    void setBeep(std::function<void()> beep) { m_counts.beep = std::move(beep); }
    const QString &homeName() const { return m_homeName; }
    const QString &visitorName() const { return m_visitorName; }
    // The names the game begins with, as the settings hold them.
    void setTeamNames(const QString &homeName, const QString &visitorName);
    // What is typed into a clock field and not yet entered.
    const modCount::TimeEntry &timeEntry() const { return m_timeEntry; }
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
    // A key pressed in a field, before the board's commands: in a penalty
    // field the clear key comes first.
    void keyBeforeCommands(FieldId field, qint16 KeyCode, const KeyBindings &keys);
    // The same key after the board's commands: a penalty field's own start
    // key, then the field's typed entry, or the goal field's arrows.
    void keyInField(FieldId field, qint16 KeyCode, const KeyBindings &keys);
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
    // The board as it opens, the game clock at the game's length (after a
    // match, the length plain games had before it): nothing left to undo,
    // and nothing announced.
    void newGame();

    // The match being played, if any: with none the board is the board of
    // old, key for key.
    const Match &match() const { return m_match; }
    // A new game, as "New game" leaves it, played by the format: the first
    // half loaded, waiting for the start key. A format outside its own
    // ranges is refused, and nothing changes: its journal could not be
    // read back.
    bool beginMatch(const MatchFormat &format);
    // Ends the match now, as the score stands.
    void endMatch();
    // F8 and F9: a timeout for team 1, home, or 2, visitor.
    void callTimeout(int team);

signals:
    void figureChanged(FigureRowId row, int index, int caption);
    void colonChanged(FigureRowId clock, int dot, bool lit);
    void lampChanged();
    // The marks and the penalty colons are shown afresh.
    void marksChanged();
    void penaltyColonsChanged();
    void buzzerSounded();
    void hornSounded();
    void changed(const GameEvent &event);
    // A lamp or a timeout the match refused; nothing changed.
    void matchRefused(MatchRefusal why, int team);

private:
    DigitSet &gameDigits() override { return row(FigureRowId::GameClock); }
    ColonDots &gameColon() override { return m_gameColon; }
    DigitSet &shotDigits() override { return row(FigureRowId::ShotClock); }
    ColonDots &shotColon() override { return m_shotColon; }
    DigitSet &penaltyDigits(qint16 slot) override { return penaltyRow(slot); }
    void Buzzer() override;
    void Horn() override;
    // A tick changes neither the marks nor which penalty clocks are blank,
    // so the views are not asked to show them again then.
    void Penalty() override
    {
        if (!m_ticking)
            emit marksChanged();
    }
    void UpdatePenaltyColonColors() override
    {
        if (!m_ticking)
            emit penaltyColonsChanged();
    }
    bool ShotHandOff() const override { return m_match.handOff(); }

    ClockValue clockNow(qint16 slot) const override { return clockValue(slot); }
    bool clockCounting(qint16 slot) const override { return isCounting(slot); }
    int scoreOf(int team) const override;
    SteadyInstant now() const override { return m_counts.time->steadyNow(); }
    SteadyInstant zeroOf(qint16 slot) const override;
    void stopPlay() override;
    void startPlay(SteadyInstant from) override;
    void stopShotClock() override;
    void runShotClock(ClockValue value, SteadyInstant from) override;
    void loadGameClock(ClockValue value) override;
    void clearPenaltyClock(qint16 slot) override;
    void putLampOut() override { m_lamp = GoalLamp::None; }
    void soundEnd() override { emit buzzerSounded(); }
    // Runs the match's part of a change, and shows a lamp it put out.
    template<typename Rule> void matchRule(Rule &&rule);
    void lightLamp(GoalLamp team);
    void runFrom(qint16 slot, SteadyInstant from);

    // Runs a command and announces it when it changed the game; the
    // buzzer, the horn and the options are announced whatever they change.
    template<typename Command> void record(GameEventKind kind, int subject, Command &&command);
    void announce(const GameEvent &event);
    void watchRows();
    void restoreSlots(const GameSnapshot &saved);
    void typedTime(const FieldRule &rule, qint16 code);
    void goalKey(qint16 KeyCode);
    void handOffInGap(const GameSnapshot &saved);
    bool discardTyping(std::optional<FigureRowId> selected);
    void takeBack(GameEventKind kind, const std::optional<GameSnapshot> &game,
                  GameEventKind undone);

    modCount::Counts m_counts;
    modCount::TimeEntry m_timeEntry;
    modShowDigits::ScoreEntry m_scoreEntry;
    QString m_homeName;
    QString m_visitorName;
    std::array<FigureRow, FigureRowCount> m_rows;
    ColonState m_gameColon;
    ColonState m_shotColon;
    GoalLamp m_lamp = GoalLamp::None;
    std::array<MarkState, PenaltyCount> m_marks{};
    ClockEngine m_engine;
    GameEventKind m_alarm = GameEventKind::ClockZero;
    bool m_ticking = false;
    GameHistory m_history;
    Match m_match;
    // The game length of plain games, while a match has its own.
    ClockValue m_plainLength = modCount::StartGameLength;
};
