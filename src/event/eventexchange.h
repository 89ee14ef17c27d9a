// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class EventDay;
class QWidget;

// The day's files through the operator's hands: each asks for its file
// and says what came of it. Nothing bad gets in without his say.
namespace EventExchange {

// A league secretary's CSV: the lines that cannot be used are listed
// first, and the operator takes the good ones or none. With no event open
// the import begins one; into one with results it asks first, and never
// removes a match played.
void importSchedule(QWidget *parent, EventDay &event, const QStringList &formats);
void openEvent(QWidget *parent, EventDay &event);
void exportResults(QWidget *parent, const EventDay &event);
// Another field's results: those for matches to play here are taken, and
// each that differs from one held is shown for the operator to choose.
void mergeResults(QWidget *parent, EventDay &event, const QStringList &formats);
void exportStandings(QWidget *parent, const EventDay &event);
void printStandings(QWidget *parent, const EventDay &event);

} // namespace EventExchange
