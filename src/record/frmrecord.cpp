// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/frmrecord.h"

#include "game/game.h"
#include "record/gamesheet.h"
#include "record/journal.h"
#include "record/savedgame.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int EventColumn = 2;

JournalFormat::Stamp stampNow(const Journal *journal, const Game &game)
{
    return journal ? journal->stamp() : JournalFormat::stampOf(game.time());
}

} // namespace

frmRecord::frmRecord(Game &game, const Journal *journal, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_game(game)
    , m_journal(journal)
    , m_games(new QComboBox(this))
    , m_table(new QTableWidget(0, int(GameLog::columns().size()), this))
    , m_lastUndo(new QLabel(this))
    , m_redo(new QPushButton(tr("Redo"), this))
    , m_newGame(new QPushButton(tr("New game..."), this))
{
    setWindowTitle(tr("Vantrell Game Record"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_table->setHorizontalHeaderLabels(GameLog::columns());
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_lastUndo->setTextFormat(Qt::PlainText);

    // No mnemonics: the board's commands pass from here, whatever Alt adds.
    auto *csv = new QPushButton(tr("Export CSV..."), this);
    auto *sheet = new QPushButton(tr("Game sheet (PDF)..."), this);
    connect(m_redo, &QPushButton::clicked, &m_game, &Game::redo);
    connect(csv, &QPushButton::clicked, this, &frmRecord::exportCsv);
    connect(sheet, &QPushButton::clicked, this, &frmRecord::printSheet);
    connect(m_newGame, &QPushButton::clicked, this, &frmRecord::askNewGame);
    auto *buttons = new QHBoxLayout;
    QWidget *previous = m_table;
    for (QPushButton *button : {m_redo, csv, sheet, m_newGame}) {
        buttons->addWidget(button);
        setTabOrder(previous, button);
        previous = button;
    }
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_games);
    layout->addWidget(m_table);
    layout->addWidget(m_lastUndo);
    layout->addLayout(buttons);
    resize(720, 480);

    listGames();
    connect(m_games, &QComboBox::currentIndexChanged, this, &frmRecord::showGame);
    showGame(0);
    // The names in force are the settings' own while the game is played.
    connect(&m_game, &Game::changed, this, [this](const GameEvent &event) {
        if (m_games->currentIndex() != 0)
            return;
        GameEvent named = event;
        if (named.kind != GameEventKind::Options) {
            named.homeName = m_game.homeName();
            named.visitorName = m_game.visitorName();
        }
        addEvent(named, stampNow(m_journal, m_game));
    });
}

// This game first, then the folder's earlier games, newest first, by their
// start time and teams.
void frmRecord::listGames()
{
    m_games->addItem(tr("This game"));
    if (!m_journal)
        return;
    const QDir folder(m_journal->folder());
    const QStringList names =
        folder.entryList({QStringLiteral("*.jsonl")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        const std::optional<SavedGame> saved = SavedGames::readFile(path);
        if (!saved || path == m_journal->currentFile())
            continue;
        const QString when = QDateTime::fromMSecsSinceEpoch(saved->startedMs)
                                 .toLocalTime()
                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        const QString teams = saved->homeName.isEmpty()
            ? QString()
            : QStringLiteral(", %1 - %2").arg(saved->homeName, saved->visitorName);
        m_games->addItem(when + teams, path);
    }
}

QString frmRecord::shownFile() const
{
    if (m_games->currentIndex() > 0)
        return m_games->currentData().toString();
    return m_journal ? m_journal->currentFile() : QString();
}

// An earlier game is read-only: nothing to redo, no new game from it.
void frmRecord::showGame(int index)
{
    m_rows.clear();
    m_standing = {};
    m_table->setRowCount(0);
    m_lastUndo->clear();
    m_redo->setEnabled(index == 0);
    m_newGame->setEnabled(index == 0);
    const std::optional<SavedGame> saved = SavedGames::readFile(shownFile());
    if (!saved)
        return;
    m_standing = GameLog::standing(saved->events);
    const QList<LogRow> rows = GameLog::rows(saved->events);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        addRow(rows.at(i));
        sayUndone(saved->events.at(i).event, rows.at(i));
    }
}

void frmRecord::addEvent(const GameEvent &event, const JournalFormat::Stamp &stamp)
{
    const LogRow row = GameLog::row(event, stamp);
    if (const std::optional<size_t> change = m_standing.add(event.kind))
        markUndone(*change, !m_standing.stands(*change));
    addRow(row);
    sayUndone(event, row);
}

void frmRecord::addRow(const LogRow &row)
{
    m_rows.append(row);
    const int at = m_table->rowCount();
    m_table->insertRow(at);
    const QString fields[] = {GameLog::whenText(row.wallMs), row.gameClock, GameLog::eventText(row),
                              row.team, row.value};
    for (int column = 0; column < int(std::size(fields)); ++column)
        m_table->setItem(at, column, new QTableWidgetItem(fields[column]));
    m_table->scrollToBottom();
}

void frmRecord::markUndone(size_t index, bool undone)
{
    LogRow &row = m_rows[qsizetype(index)];
    row.undone = undone;
    m_table->item(int(index), EventColumn)->setText(GameLog::eventText(row));
}

// The line says what the last undo took back, until a redo or a new change.
void frmRecord::sayUndone(const GameEvent &event, const LogRow &row)
{
    if (event.kind == GameEventKind::Undo)
        m_lastUndo->setText(tr("Undone: %1").arg(row.value));
    else if (event.kind == GameEventKind::Redo || GameHistory::undoable(event.kind))
        m_lastUndo->clear();
}

void frmRecord::exportCsv()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export the game as CSV"), QStringLiteral("game.csv"), tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(GameLog::csv(m_rows, QLocale())) < 0 || !file.flush())
        QMessageBox::warning(this, QStringLiteral("Vantrell"),
                             tr("The file could not be written.\n%1").arg(file.errorString()));
}

void frmRecord::printSheet()
{
    const std::optional<SavedGame> saved = SavedGames::readFile(shownFile());
    if (!saved) {
        QMessageBox::information(this, QStringLiteral("Vantrell"),
                                 tr("This game has no record yet."));
        return;
    }
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save the game sheet as PDF"),
                                     QStringLiteral("game-sheet.pdf"), tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!GameSheet::writePdf(*saved, path))
        QMessageBox::warning(this, QStringLiteral("Vantrell"),
                             tr("The game sheet could not be written."));
}

void frmRecord::askNewGame()
{
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Vantrell"),
        tr("Start a new game? This game is closed and kept; the board goes back "
           "to the game length, 2:00 and 0 to 0."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    emit newGameWanted();
    {
        const QSignalBlocker quiet(m_games);
        m_games->clear();
        listGames();
    }
    showGame(0);
}
