// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gameevent.h"

#include <QtGlobal>

// Each kind of event by the name the journal writes and the words the log
// and the sheet show. The journal's name is the file's format and stays as
// it is; the shown words are translated where they are shown.
struct EventNames
{
    GameEventKind kind;
    const char *journal;
    const char *shown;
};

inline constexpr EventNames EventNameTable[] = {
    {GameEventKind::ClockStart, "clock-start",
     QT_TRANSLATE_NOOP("EventNames", "Game clock started")},
    {GameEventKind::ClockStop, "clock-stop", QT_TRANSLATE_NOOP("EventNames", "Game clock stopped")},
    {GameEventKind::ClockReset, "clock-reset", QT_TRANSLATE_NOOP("EventNames", "Game clock reset")},
    {GameEventKind::GameTime, "game-time", QT_TRANSLATE_NOOP("EventNames", "Game time set")},
    {GameEventKind::ShotStart, "shot-start", QT_TRANSLATE_NOOP("EventNames", "Shot clock started")},
    {GameEventKind::ShotStop, "shot-stop", QT_TRANSLATE_NOOP("EventNames", "Shot clock stopped")},
    {GameEventKind::ShotReset, "shot-reset", QT_TRANSLATE_NOOP("EventNames", "Shot clock reset")},
    {GameEventKind::ShotTime, "shot-time", QT_TRANSLATE_NOOP("EventNames", "Shot time set")},
    {GameEventKind::TimeOfDay, "time-of-day",
     QT_TRANSLATE_NOOP("EventNames", "Time of day switched")},
    {GameEventKind::PenaltyStart, "penalty-start",
     QT_TRANSLATE_NOOP("EventNames", "Penalty started")},
    {GameEventKind::PenaltyStop, "penalty-stop",
     QT_TRANSLATE_NOOP("EventNames", "Penalty stopped")},
    {GameEventKind::PenaltyTime, "penalty-time", QT_TRANSLATE_NOOP("EventNames", "Penalty")},
    {GameEventKind::PenaltyClear, "penalty-clear",
     QT_TRANSLATE_NOOP("EventNames", "Penalty cleared")},
    {GameEventKind::Score, "score", QT_TRANSLATE_NOOP("EventNames", "Score")},
    {GameEventKind::Lamp, "lamp", QT_TRANSLATE_NOOP("EventNames", "Goal lamp")},
    {GameEventKind::Mark, "mark", QT_TRANSLATE_NOOP("EventNames", "Penalty mark")},
    {GameEventKind::Buzzer, "buzzer", QT_TRANSLATE_NOOP("EventNames", "Buzzer")},
    {GameEventKind::Horn, "horn", QT_TRANSLATE_NOOP("EventNames", "Horn")},
    {GameEventKind::GameZero, "game-zero", QT_TRANSLATE_NOOP("EventNames", "Game clock at zero")},
    {GameEventKind::ShotZero, "shot-zero", QT_TRANSLATE_NOOP("EventNames", "Shot clock at zero")},
    {GameEventKind::ClockZero, "clock-zero", QT_TRANSLATE_NOOP("EventNames", "Penalty at zero")},
    {GameEventKind::Options, "options", QT_TRANSLATE_NOOP("EventNames", "Options")},
    {GameEventKind::Resumed, "resumed", QT_TRANSLATE_NOOP("EventNames", "Game resumed")},
    {GameEventKind::Undo, "undo", QT_TRANSLATE_NOOP("EventNames", "Undone")},
    {GameEventKind::Redo, "redo", QT_TRANSLATE_NOOP("EventNames", "Redone")},
    {GameEventKind::MatchBegin, "match-begin", QT_TRANSLATE_NOOP("EventNames", "Match begun")},
    {GameEventKind::Timeout, "timeout", QT_TRANSLATE_NOOP("EventNames", "Timeout")},
    {GameEventKind::MatchEnd, "match-end", QT_TRANSLATE_NOOP("EventNames", "Match ended")},
};
