// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gameevent.h"

// Each kind of event by the name the journal writes and the words the log
// and the sheet show.
struct EventNames
{
    GameEventKind kind;
    const char *journal;
    const char *shown;
};

inline constexpr EventNames EventNameTable[] = {
    {GameEventKind::ClockStart, "clock-start", "Game clock started"},
    {GameEventKind::ClockStop, "clock-stop", "Game clock stopped"},
    {GameEventKind::ClockReset, "clock-reset", "Game clock reset"},
    {GameEventKind::GameTime, "game-time", "Game time set"},
    {GameEventKind::ShotStart, "shot-start", "Shot clock started"},
    {GameEventKind::ShotStop, "shot-stop", "Shot clock stopped"},
    {GameEventKind::ShotReset, "shot-reset", "Shot clock reset"},
    {GameEventKind::ShotTime, "shot-time", "Shot time set"},
    {GameEventKind::TimeOfDay, "time-of-day", "Time of day switched"},
    {GameEventKind::PenaltyStart, "penalty-start", "Penalty started"},
    {GameEventKind::PenaltyStop, "penalty-stop", "Penalty stopped"},
    {GameEventKind::PenaltyTime, "penalty-time", "Penalty"},
    {GameEventKind::PenaltyClear, "penalty-clear", "Penalty cleared"},
    {GameEventKind::Score, "score", "Score"},
    {GameEventKind::Lamp, "lamp", "Goal lamp"},
    {GameEventKind::Mark, "mark", "Penalty mark"},
    {GameEventKind::Buzzer, "buzzer", "Buzzer"},
    {GameEventKind::Horn, "horn", "Horn"},
    {GameEventKind::GameZero, "game-zero", "Game clock at zero"},
    {GameEventKind::ShotZero, "shot-zero", "Shot clock at zero"},
    {GameEventKind::ClockZero, "clock-zero", "Penalty at zero"},
    {GameEventKind::Options, "options", "Options"},
    {GameEventKind::Resumed, "resumed", "Game resumed"},
    {GameEventKind::Undo, "undo", "Undone"},
    {GameEventKind::Redo, "redo", "Redone"},
};
