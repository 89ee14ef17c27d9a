// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event/schedule.h"

#include <QObject>
#include <QString>

#include <optional>

struct GameEvent;
struct GameSnapshot;

// The day's event as this computer holds it: one schedule, kept in its
// file after every change, and the match of it that the board is playing.
// With no event open, nothing here changes anything.
class EventDay : public QObject
{
    Q_OBJECT

public:
    explicit EventDay(QObject *parent = nullptr);

    // The event in its file; false with the reason, and the event held
    // before stays open.
    bool open(const QString &path, QString *problem = nullptr);
    // A new event, its file written before it is held.
    bool create(const QString &path, const Schedule &schedule, QString *problem = nullptr);
    void close();

    bool isOpen() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }
    const Schedule &schedule() const { return m_schedule; }

    // The schedule as the operator changed it. Saved at once; when the file
    // cannot be written the change holds for this run and `saveFailed`
    // says why.
    void change(const Schedule &schedule);

    // The first match to play on this computer's field.
    std::optional<qsizetype> next() const;
    // The match the board plays, under way or just ended (its end may
    // still be undone).
    std::optional<qsizetype> current() const { return m_current; }

    // The match begun on the board, its game kept in `journal`.
    void begun(qsizetype match, const QString &journal);
    // After a resume or at opening: the board's game, kept in `journal`,
    // is the match under way when it is that match's journal; a match
    // left under way by another game is to play again, and one whose game
    // ended while the program was closed has its result.
    void attach(const QString &journal, const GameSnapshot &game);
    // The board's game changed: the match it plays that ends has its
    // result written in, an end undone takes it back out.
    void follow(const GameEvent &event);
    // The board's game closed for another: a match left unfinished is to
    // play again.
    void gameClosed();

    // No match of the schedule is under way and the game is no match in
    // play: the crowd's screen may show the day.
    bool betweenMatches(const GameSnapshot &game) const;

signals:
    void changed();
    void saveFailed(const QString &reason);

private:
    void finishFrom(const GameSnapshot &game);
    void keep();

    QString m_path;
    Schedule m_schedule;
    std::optional<qsizetype> m_current;
};
