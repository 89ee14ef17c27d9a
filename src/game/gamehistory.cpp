// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/gamehistory.h"

namespace {

template<typename T> void carry(T &field, const T &from, const T &to)
{
    if (from != to)
        field = to;
}

template<typename T, size_t N>
void carryEach(std::array<T, N> &fields, const std::array<T, N> &from, const std::array<T, N> &to)
{
    for (size_t i = 0; i < N; ++i)
        carry(fields[i], from[i], to[i]);
}

} // namespace

GameSnapshot carryChange(GameSnapshot game, const GameSnapshot &from, const GameSnapshot &to)
{
    forEachGameField([&](const char *, auto member, GameFields::Carry how) {
        using Field = std::remove_cvref_t<decltype(GameSnapshot{}.*member)>;
        if constexpr (requires { std::tuple_size<Field>::value; }) {
            if (how == GameFields::Carry::EachElement) {
                carryEach(game.*member, from.*member, to.*member);
                return;
            }
        }
        carry(game.*member, from.*member, to.*member);
    });
    return game;
}

bool GameHistory::undoable(GameEventKind kind)
{
    switch (kind) {
    case GameEventKind::Buzzer:
    case GameEventKind::Horn:
    case GameEventKind::GameZero:
    case GameEventKind::ShotZero:
    case GameEventKind::ClockZero:
    case GameEventKind::Options:
    case GameEventKind::Resumed:
    case GameEventKind::Undo:
    case GameEventKind::Redo:
    case GameEventKind::MatchBegin:
        return false;
    default:
        return true;
    }
}

void GameHistory::record(const GameEvent &event)
{
    if (undoable(event.kind)) {
        m_done.push_back({event, {}});
        m_undone.clear();
    } else if (event.kind == GameEventKind::ShotZero) {
        if (Entry *starter = shotStarter())
            starter->caused.push_back(event);
    }
}

// Changes made while the shot clock ran (a goal, a penalty typed) leave the
// hand-off with the start that caused it: the shot clock's own start, or a
// match's point or timeout that started a break on it.
GameHistory::Entry *GameHistory::shotStarter()
{
    const auto shot = size_t(modCount::ShotSlot);
    for (auto entry = m_done.rbegin(); entry != m_done.rend(); ++entry) {
        const GameEvent &change = entry->change;
        const SlotState &before = change.before.clocks[shot];
        const SlotState &after = change.after.clocks[shot];
        if (after.running && after.start != before.start)
            return &*entry;
        if (before != after)
            return nullptr;
    }
    return nullptr;
}

std::optional<size_t> StandingChanges::add(GameEventKind kind)
{
    const size_t index = m_stands.size();
    m_stands.push_back(true);
    const bool undo = kind == GameEventKind::Undo;
    std::vector<size_t> &from = undo ? m_done : m_undone;
    std::vector<size_t> &to = undo ? m_undone : m_done;
    if ((undo || kind == GameEventKind::Redo) && !from.empty()) {
        const size_t change = from.back();
        from.pop_back();
        to.push_back(change);
        m_stands[change] = !undo;
        return change;
    }
    if (GameHistory::undoable(kind)) {
        m_done.push_back(index);
        m_undone.clear();
    }
    return std::nullopt;
}

void GameHistory::replay(const GameEvent &event)
{
    if (event.kind == GameEventKind::Undo && !m_done.empty()) {
        m_undone.push_back(std::move(m_done.back()));
        m_done.pop_back();
    } else if (event.kind == GameEventKind::Redo && !m_undone.empty()) {
        m_done.push_back(std::move(m_undone.back()));
        m_undone.pop_back();
    } else {
        record(event);
    }
}

void GameHistory::clear()
{
    m_done.clear();
    m_undone.clear();
}

std::optional<GameSnapshot> GameHistory::undo(const GameSnapshot &now, GameEventKind *undone)
{
    if (m_done.empty())
        return std::nullopt;
    Entry entry = std::move(m_done.back());
    m_done.pop_back();
    GameSnapshot game = now;
    for (auto caused = entry.caused.crbegin(); caused != entry.caused.crend(); ++caused)
        game = carryChange(game, caused->after, caused->before);
    game = carryChange(game, entry.change.after, entry.change.before);
    *undone = entry.change.kind;
    m_undone.push_back(std::move(entry));
    return game;
}

std::optional<GameSnapshot> GameHistory::redo(const GameSnapshot &now, GameEventKind *redone)
{
    if (m_undone.empty())
        return std::nullopt;
    Entry entry = std::move(m_undone.back());
    m_undone.pop_back();
    GameSnapshot game = carryChange(now, entry.change.before, entry.change.after);
    for (const GameEvent &caused : entry.caused)
        game = carryChange(game, caused.before, caused.after);
    *redone = entry.change.kind;
    m_done.push_back(std::move(entry));
    return game;
}
