// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"

#include "input/keydispatch.h"
#include "input/virtualkeys.h"
#include "timing/clockdisplay.h"

using namespace modCount;

namespace {

constexpr qint16 ScoreLow = -1;
constexpr qint16 ScoreHigh = 99;

// What each state of a penalty mark becomes on a click on its red or its
// green lamp.
constexpr MarkState MarkAfterClick[3][2] = {
    {MarkState::Red, MarkState::Green}, // from Dark
    {MarkState::Dark, MarkState::Green}, // from Red
    {MarkState::Red, MarkState::Dark}, // from Green
};

std::array<FigureRow, FigureRowCount> makeRows()
{
    const auto penalty = [](int slot) {
        return FigureRow(QStringLiteral("Penalty%1").arg(slot), PenaltyFigureCount);
    };
    return {FigureRow(QStringLiteral("GameClock"), ClockFigureCount),
            penalty(1),
            penalty(2),
            penalty(3),
            penalty(4),
            penalty(5),
            penalty(6),
            FigureRow(QStringLiteral("ShotClock"), ClockFigureCount),
            FigureRow(QStringLiteral("HomeScore"), ScoreFigureCount),
            FigureRow(QStringLiteral("VisitorScore"), ScoreFigureCount)};
}

std::array<int, 2> scoreFigures(const FigureRow &row)
{
    return {row.caption(0), row.caption(1)};
}

bool alwaysAnnounced(GameEventKind kind)
{
    return kind == GameEventKind::Buzzer || kind == GameEventKind::Horn ||
        kind == GameEventKind::Options || kind == GameEventKind::Resumed;
}

SteadyInstant plusValue(SteadyInstant start, ClockValue value)
{
    return steadyFromMs(steadyMs(start) + value.raw() / (ClockValue::Scale / 1000));
}

} // namespace

GameSnapshot GameSnapshot::startUp()
{
    GameSnapshot game;
    game.clocks[size_t(GameSlot)].base = StartGameLength;
    game.clocks[size_t(ShotSlot)].base = ShotLength;
    return game;
}

Game::Game(const TimeSource &time, QObject *parent)
    : QObject(parent)
    , m_counts(time)
    , m_rows(makeRows())
    , m_engine(*this, m_counts)
{
    row(FigureRowId::HomeScore).setCaption(0, 0);
    row(FigureRowId::VisitorScore).setCaption(0, 0);
    watchRows();
}

void Game::watchRows()
{
    for (int i = 0; i < FigureRowCount; ++i) {
        const auto id = FigureRowId(i);
        m_rows[size_t(i)].setWatcher(
            [this, id](int index, int caption) { emit figureChanged(id, index, caption); });
    }
    m_gameColon.setWatcher(
        [this](int dot, bool lit) { emit colonChanged(FigureRowId::GameClock, dot, lit); });
    m_shotColon.setWatcher(
        [this](int dot, bool lit) { emit colonChanged(FigureRowId::ShotClock, dot, lit); });
}

void Game::setTeamNames(const QString &homeName, const QString &visitorName)
{
    m_homeName = homeName;
    m_visitorName = visitorName;
}

FigureRow &Game::penaltyRow(qint16 slot)
{
    return m_rows[size_t(
        qBound<qint16>(ClockEngine::FirstPenaltySlot, slot, ClockEngine::LastPenaltySlot))];
}

const ColonState &Game::colon(FigureRowId clock) const
{
    return clock == FigureRowId::ShotClock ? m_shotColon : m_gameColon;
}

GameSnapshot Game::snapshot() const
{
    GameSnapshot game;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const CountSlot &count = m_counts.table[size_t(slot)];
        game.clocks[size_t(slot)] = {count.CountBase, count.CountBanked, count.CountRunning,
                                     count.CountStart};
    }
    game.gameLength = m_counts.GameLength;
    game.home = scoreFigures(row(FigureRowId::HomeScore));
    game.visitor = scoreFigures(row(FigureRowId::VisitorScore));
    game.lamp = m_lamp;
    game.marks = m_marks;
    game.timeOfDay = m_engine.clockTime();
    for (int i = 0; i < PenaltyCount; ++i)
        game.penaltyShown[size_t(i)] = m_rows[size_t(i + 1)].shows(0);
    game.gameZeroSeen = m_engine.gameZeroSeen();
    game.shotZeroSeen = m_engine.shotZeroSeen();
    game.format = m_match.format();
    game.match = m_match.state();
    return game;
}

template<typename Command> void Game::record(GameEventKind kind, int subject, Command &&command)
{
    GameEvent event{kind, subject, snapshot(), {}, {}, {}};
    command();
    event.after = snapshot();
    announce(event);
}

void Game::announce(const GameEvent &event)
{
    if (event.after == event.before && !alwaysAnnounced(event.kind))
        return;
    m_history.record(event);
    emit changed(event);
}

// Nothing is announced on a tick that only moved the clocks on.
void Game::tick()
{
    GameEvent event{GameEventKind::ClockZero, -1, snapshot(), {}, {}, {}};
    m_alarm = GameEventKind::ClockZero;
    m_ticking = true;
    m_engine.tick();
    // Not only on an alarm: a clock reloaded in the tick of its zero and
    // found at zero again after a gap sounds none, and the match still
    // moves on.
    if (m_match.active())
        matchRule([this] { m_match.settle(*this); });
    m_ticking = false;
    event.kind = m_alarm;
    event.after = snapshot();
    announce(event);
}

// The alarms at zero come from the tick, which names its event after them.
void Game::Buzzer()
{
    m_alarm = GameEventKind::GameZero;
    emit buzzerSounded();
}

void Game::Horn()
{
    m_alarm = GameEventKind::ShotZero;
    emit hornSounded();
}

// Between points the start key starts the next point, whatever the game
// clock was doing.
void Game::startStopClock()
{
    if (m_match.active() && m_match.between()) {
        record(GameEventKind::ClockStart, GameSlot,
               [this] { matchRule([this] { m_match.startKey(*this); }); });
        return;
    }
    const auto kind =
        IsCounting(m_counts, GameSlot) ? GameEventKind::ClockStop : GameEventKind::ClockStart;
    record(kind, GameSlot, [this] { m_engine.startStopClock(); });
}

void Game::resetClock()
{
    record(GameEventKind::ClockReset, GameSlot, [this] { m_engine.resetClock(); });
}

void Game::startStopShot()
{
    const auto kind =
        IsCounting(m_counts, ShotSlot) ? GameEventKind::ShotStop : GameEventKind::ShotStart;
    record(kind, ShotSlot, [this] { m_engine.startStopShot(); });
}

void Game::resetShot()
{
    record(GameEventKind::ShotReset, ShotSlot, [this] { m_engine.resetShot(); });
}

void Game::switchClockTime()
{
    record(GameEventKind::TimeOfDay, -1, [this] { m_engine.switchClockTime(); });
}

void Game::startStopPenalty(qint16 slot)
{
    const auto kind =
        IsCounting(m_counts, slot) ? GameEventKind::PenaltyStop : GameEventKind::PenaltyStart;
    record(kind, slot, [this, slot] { m_engine.startStopPenalty(slot); });
}

void Game::clearPenalty(qint16 slot)
{
    record(GameEventKind::PenaltyClear, slot, [this, slot] { m_engine.clearPenalty(slot); });
}

void Game::enterGameTime(ClockValue value)
{
    record(GameEventKind::GameTime, GameSlot, [this, value] { m_engine.enterGameTime(value); });
}

void Game::enterShotTime(ClockValue value)
{
    record(GameEventKind::ShotTime, ShotSlot, [this, value] { m_engine.enterShotTime(value); });
}

void Game::enterPenaltyTime(qint16 slot, ClockValue value)
{
    record(GameEventKind::PenaltyTime, slot,
           [this, slot, value] { m_engine.enterPenaltyTime(slot, value); });
}

void Game::scoreKey(FigureRowId team, qint16 code)
{
    record(GameEventKind::Score, int(team), [this, team, code] {
        modShowDigits::ScoreEntryKey(m_scoreEntry, row(team), code, ScoreLow, ScoreHigh);
        if (m_match.active())
            matchRule([this] { m_match.corrected(*this); });
    });
}

void Game::keyBeforeCommands(FieldId field, qint16 KeyCode, const KeyBindings &keys)
{
    const FieldRule &rule = fieldRule(field);
    if (rule.kind == FieldKind::Penalty && KeyCode == keys.ClearKey)
        clearPenalty(rule.slot);
}

void Game::keyInField(FieldId field, qint16 KeyCode, const KeyBindings &keys)
{
    const FieldRule &rule = fieldRule(field);
    if (rule.kind == FieldKind::Goal) {
        goalKey(KeyCode);
        return;
    }
    if (rule.kind == FieldKind::Penalty && KeyCode == keys.SepTimeKey)
        startStopPenalty(rule.slot);
    const qint16 code = KeyCodeToAsci(KeyCode, keys);
    if (rule.kind == FieldKind::Score)
        scoreKey(*rule.row, code);
    else
        typedTime(rule, code);
}

// Penalty clocks never show tenths, so a penalty takes the whole seconds
// nearest the time typed.
void Game::typedTime(const FieldRule &rule, qint16 code)
{
    const auto value = modCount::TimeEntryKey(m_timeEntry, row(*rule.row), code, rule.entryLimit);
    if (!value)
        return;
    switch (rule.kind) {
    case FieldKind::GameClock:
        enterGameTime(*value);
        break;
    case FieldKind::ShotClock:
        enterShotTime(*value);
        break;
    case FieldKind::Penalty:
        enterPenaltyTime(rule.slot, ClockValue::fromSeconds(value->roundedSeconds()));
        break;
    case FieldKind::Score:
    case FieldKind::Goal:
        break;
    }
}

void Game::goalKey(qint16 KeyCode)
{
    if (KeyCode == VirtualKey::Left)
        toggleLamp(GoalLamp::Home);
    else if (KeyCode == VirtualKey::Right)
        toggleLamp(GoalLamp::Visitor);
    else if (KeyCode == VirtualKey::Down)
        lampOff();
}

// Lighting a team's lamp gives the team a point; putting it out takes none
// back, and neither does lighting the other team's lamp. In a match the
// lamp gives a point only while one is played, and the point's stop, its
// break or the match's end come with it, as one change.
void Game::toggleLamp(GoalLamp team)
{
    if (m_match.active()) {
        // The clocks are read as they stand at the click, not at the last
        // tick: a half that ended meanwhile has ended.
        tick();
        if (const auto why = m_match.pointRefused()) {
            emit matchRefused(*why, int(team));
            return;
        }
    }
    record(GameEventKind::Lamp, int(team), [this, team] {
        if (m_lamp == team && !m_match.active()) {
            m_lamp = GoalLamp::None;
            return;
        }
        lightLamp(team);
        if (m_match.active())
            m_match.point(int(team), *this);
    });
    emit lampChanged();
}

void Game::lightLamp(GoalLamp team)
{
    m_lamp = team;
    const FigureRowId score =
        team == GoalLamp::Home ? FigureRowId::HomeScore : FigureRowId::VisitorScore;
    modShowDigits::SetDigits(row(score), QStringLiteral("+1"), ScoreLow, ScoreHigh);
}

void Game::lampOff()
{
    record(GameEventKind::Lamp, int(GoalLamp::None), [this] { m_lamp = GoalLamp::None; });
    emit lampChanged();
}

void Game::clickMark(int index, bool green)
{
    if (index < 0 || index >= PenaltyCount)
        return;
    record(GameEventKind::Mark, index, [this, index, green] {
        MarkState &mark = m_marks[size_t(index)];
        mark = MarkAfterClick[size_t(mark)][green ? 1 : 0];
    });
    emit marksChanged();
}

void Game::setMark(int index, MarkState state)
{
    if (index < 0 || index >= PenaltyCount)
        return;
    record(GameEventKind::Mark, index, [this, index, state] { m_marks[size_t(index)] = state; });
    emit marksChanged();
}

void Game::soundBuzzer()
{
    record(GameEventKind::Buzzer, -1, [this] { emit buzzerSounded(); });
}

void Game::soundHorn()
{
    record(GameEventKind::Horn, -1, [this] { emit hornSounded(); });
}

void Game::optionsConfirmed(const QString &homeName, const QString &visitorName)
{
    setTeamNames(homeName, visitorName);
    const GameSnapshot now = snapshot();
    announce({GameEventKind::Options, -1, now, now, homeName, visitorName});
}

void Game::announceResumed()
{
    const GameSnapshot now = snapshot();
    announce({GameEventKind::Resumed, -1, now, now, {}, {}});
}

void Game::resumeHistory(const QList<GameEvent> &events)
{
    m_history.clear();
    for (const GameEvent &event : events)
        m_history.replay(event);
}

bool Game::discardTyping(std::optional<FigureRowId> selected)
{
    if (!selected)
        return false;
    const QString &field = row(*selected).name();
    if (!m_timeEntry.EntryText.isEmpty() && m_timeEntry.EntryOwner == field) {
        m_timeEntry.EntryText.clear();
        return true;
    }
    if (!m_scoreEntry.ScoreText.isEmpty() && m_scoreEntry.ScoreOwner == field) {
        m_scoreEntry.ScoreText.clear();
        return true;
    }
    return false;
}

void Game::undo(std::optional<FigureRowId> selected)
{
    if (discardTyping(selected))
        return;
    GameEventKind undone{};
    const std::optional<GameSnapshot> game = m_history.undo(snapshot(), &undone);
    takeBack(GameEventKind::Undo, game, undone);
}

void Game::redo()
{
    GameEventKind redone{};
    const std::optional<GameSnapshot> game = m_history.redo(snapshot(), &redone);
    takeBack(GameEventKind::Redo, game, redone);
}

void Game::newGame()
{
    GameSnapshot fresh = GameSnapshot::startUp();
    // A plain game after a match goes back to the length games had before.
    fresh.gameLength = m_match.active() ? m_plainLength : m_counts.GameLength;
    fresh.clocks[size_t(GameSlot)].base = fresh.gameLength;
    m_history.clear();
    restore(fresh);
}

void Game::takeBack(GameEventKind kind, const std::optional<GameSnapshot> &game,
                    GameEventKind undone)
{
    if (!game)
        return;
    GameEvent event{kind, int(undone), snapshot(), {}, {}, {}};
    restore(*game);
    event.after = snapshot();
    announce(event);
}

void Game::restore(const GameSnapshot &saved)
{
    restoreSlots(saved);
    m_counts.GameLength = saved.gameLength;
    for (int i = 0; i < ScoreFigureCount; ++i) {
        row(FigureRowId::HomeScore).setCaption(i, saved.home[size_t(i)]);
        row(FigureRowId::VisitorScore).setCaption(i, saved.visitor[size_t(i)]);
    }
    m_lamp = saved.lamp;
    m_marks = saved.marks;
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot;
         ++slot) {
        if (saved.penaltyShown[size_t(slot - 1)])
            DisplayTime(penaltyRow(slot), CountValue(m_counts, slot));
        else
            penaltyRow(slot).blank();
    }
    m_match.restore(saved.format, saved.match);
    handOffInGap(saved);
    m_match.settle(*this);
    // A clock found at zero sounded its alarm before, or ran out while the
    // game was away: either way the alarm has had its turn.
    m_engine.restore(saved.timeOfDay, CountValue(m_counts, GameSlot) <= ClockValue(),
                     saved.shotZeroSeen || CountValue(m_counts, ShotSlot) <= ClockValue());
    m_engine.tick();
    emit lampChanged();
    emit marksChanged();
}

void Game::restoreSlots(const GameSnapshot &saved)
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        const SlotState &kept = saved.clocks[size_t(slot)];
        CountSlot &count = m_counts.table[size_t(slot)];
        count = CountSlot{};
        count.CountBase = kept.base;
        count.CountBanked = kept.banked;
        count.CountRunning = kept.running;
        count.CountStart = kept.start;
    }
}

// The shot clock's zero starts the game clock and the penalties; when it
// came while the game was away they start at the moment it came.
void Game::handOffInGap(const GameSnapshot &saved)
{
    const SlotState &shot = saved.clocks[size_t(ShotSlot)];
    if (!m_match.handOff() || saved.shotZeroSeen || !shot.running || !shot.start ||
        CountValue(m_counts, ShotSlot) > ClockValue())
        return;
    const SteadyInstant zeroAt = plusValue(*shot.start, loadedValue(shot));
    for (qint16 slot = GameSlot; slot <= ClockEngine::LastPenaltySlot; ++slot) {
        CountSlot &count = m_counts.table[size_t(slot)];
        if (count.CountRunning)
            continue;
        count.CountStart = zeroAt;
        count.CountRunning = true;
    }
}

bool Game::beginMatch(const MatchFormat &format)
{
    if (MatchFormatFile::check(format))
        return false;
    if (!m_match.active())
        m_plainLength = m_counts.GameLength;
    newGame();
    record(GameEventKind::MatchBegin, -1,
           [this, &format] { matchRule([this, &format] { m_match.begin(format, *this); }); });
    return true;
}

void Game::endMatch()
{
    if (m_match.active())
        record(GameEventKind::MatchEnd, -1, [this] { matchRule([this] { m_match.end(*this); }); });
}

void Game::callTimeout(int team)
{
    if (!m_match.active())
        return;
    if (const auto why = m_match.timeoutRefused(team)) {
        emit matchRefused(*why, team);
        return;
    }
    record(GameEventKind::Timeout, team,
           [this, team] { matchRule([this, team] { m_match.timeout(team, *this); }); });
}

template<typename Rule> void Game::matchRule(Rule &&rule)
{
    const GoalLamp lamp = m_lamp;
    rule();
    if (m_lamp != lamp)
        emit lampChanged();
}

int Game::scoreOf(int team) const
{
    const FigureRow &score =
        row(team == int(GoalLamp::Home) ? FigureRowId::HomeScore : FigureRowId::VisitorScore);
    return scoreValue(scoreFigures(score));
}

void Game::stopPlay()
{
    for (qint16 slot = GameSlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        StopCount(m_counts, slot);
}

SteadyInstant Game::zeroOf(qint16 slot) const
{
    const CountSlot &count = m_counts.table[size_t(slot)];
    if (!count.CountRunning || !count.CountStart)
        return now();
    return plusValue(*count.CountStart, count.CountBase - count.CountBanked);
}

void Game::startPlay(SteadyInstant from)
{
    for (qint16 slot = GameSlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        runFrom(slot, from);
}

// A run that began before now, as a zero passed while the game was away
// began it.
void Game::runFrom(qint16 slot, SteadyInstant from)
{
    CountSlot &count = m_counts.table[size_t(slot)];
    if (count.CountRunning)
        return;
    count.CountStart = steadyMs(from) < steadyMs(now()) ? from : now();
    count.CountRunning = true;
}

void Game::stopShotClock()
{
    StopCount(m_counts, ShotSlot);
}

void Game::runShotClock(ClockValue value, SteadyInstant from)
{
    SetCount(m_counts, value, ShotSlot);
    runFrom(ShotSlot, from);
    DisplayClock(CountValue(m_counts, ShotSlot), row(FigureRowId::ShotClock), m_shotColon, true);
}

void Game::loadGameClock(ClockValue value)
{
    m_engine.enterGameTime(value);
}

void Game::clearPenaltyClock(qint16 slot)
{
    m_engine.clearPenalty(slot);
}
