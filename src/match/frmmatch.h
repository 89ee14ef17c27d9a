// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "match/formatlibrary.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class Game;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class frmFormatEdit;

// The Match window (F7): the formats to choose from, "Free" (no match)
// first, the chosen one in plain words, a copy to edit, and the match
// begun or ended. Beside the board, like the game record: the board's
// commands still reach the board.
class frmMatch : public QWidget
{
    Q_OBJECT

public:
    frmMatch(Game &game, const FormatLibrary &library, QWidget *parent = nullptr);

    // Shown and brought forward, the folders read again.
    void present();
    // A page beside the formats', for what lies above the match.
    void addPage(QWidget *page, const QString &title);

signals:
    // Begin: a match by the format, or with none a plain new game.
    void beginWanted(const std::optional<MatchFormat> &format);

private:
    // The folders read again, `path` chosen when it is listed.
    void list(const QString &path);
    const FormatEntry *chosenEntry() const;
    void showChosen();
    void showMatch();
    void copyAndEdit();
    void begin();

    Game &m_game;
    FormatLibrary m_library;
    QTabWidget *m_pages;
    QList<FormatEntry> m_entries;
    QListWidget *m_list;
    QLabel *m_description;
    QPushButton *m_copy;
    QPushButton *m_begin;
    QPushButton *m_end;
    QPointer<frmFormatEdit> m_editor;
};
