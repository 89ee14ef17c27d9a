// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class EventDay;
class Game;
struct SettingsRecord;

// The board as the live feed tells it: every figure as shown, which clocks
// run, the names, colours, lamps and marks and the LED style, as one
// compact JSON object. Its "version" says which form this is, so a page can
// refuse one it does not know: 2 added "match", there only while one is
// played; 3 added "next", the match next on this computer's field as
// /schedule.json tells a match, there only between matches of an open
// event.
namespace FeedState {

constexpr int Version = 3;

// With no event (null, or none open) there is never a "next".
QByteArray toJson(const Game &game, const SettingsRecord &settings,
                  const EventDay *event = nullptr);

// "#rrggbb" of a stored colour (red + 256 * green + 65536 * blue).
QString colorName(qint32 color);

} // namespace FeedState
