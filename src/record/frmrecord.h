// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/gamelog.h"

#include <QWidget>

class Game;
class Journal;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
struct GameEvent;

// The game record window: the current game's events as a table, newest
// last, kept up to date while it is open; from here the last undo is
// redone, the log exported as CSV or printed as a game sheet, and a new
// game begun. An earlier game of the folder opens read-only, to export or
// print it. Beside the board, like the help window: the board's commands
// still reach the board.
class frmRecord : public QWidget
{
    Q_OBJECT

public:
    // `journal` may be null (another copy records): the window then shows
    // the events since it opened.
    frmRecord(Game &game, const Journal *journal, QWidget *parent = nullptr);

signals:
    // The operator confirmed a new game.
    void newGameWanted();

private:
    void listGames();
    void showGame(int index);
    // The journal shown: the current game's, or an earlier one.
    QString shownFile() const;
    void addEvent(const GameEvent &event, const JournalFormat::Stamp &stamp);
    void addRow(const LogRow &row);
    void markUndone(size_t index, bool undone);
    void sayUndone(const GameEvent &event, const LogRow &row);
    void exportCsv();
    void printSheet();
    void askNewGame();

    Game &m_game;
    const Journal *m_journal;
    QList<LogRow> m_rows;
    StandingChanges m_standing;
    QComboBox *m_games;
    QTableWidget *m_table;
    QLabel *m_lastUndo;
    QPushButton *m_redo;
    QPushButton *m_newGame;
};
