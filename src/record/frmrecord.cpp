// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/frmrecord.h"

#include "game/game.h"
#include "record/journal.h"
#include "record/savedgame.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QDateTime>
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

const QStringList Columns = {QStringLiteral("Date and time"), QStringLiteral("Game clock"),
                             QStringLiteral("Event"), QStringLiteral("Team"),
                             QStringLiteral("Value")};

JournalFormat::Stamp stampNow(const Journal *journal)
{
    if (journal)
        return journal->stamp();
    const TimeSource &time = modCount::timeSource();
    return {time.wallNow().toMSecsSinceEpoch(), time.bootId(), steadyMs(time.steadyNow())};
}

} // namespace

frmRecord::frmRecord(Game &game, const Journal *journal, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_game(game)
    , m_journal(journal)
    , m_table(new QTableWidget(0, int(Columns.size()), this))
    , m_lastUndo(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Vantrell Game Record"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_table->setHorizontalHeaderLabels(Columns);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_lastUndo->setTextFormat(Qt::PlainText);

    // No mnemonics: the board's commands pass from here, whatever Alt adds.
    auto *redo = new QPushButton(QStringLiteral("Redo"), this);
    auto *csv = new QPushButton(QStringLiteral("Export CSV..."), this);
    auto *fresh = new QPushButton(QStringLiteral("New game..."), this);
    connect(redo, &QPushButton::clicked, &m_game, &Game::redo);
    connect(csv, &QPushButton::clicked, this, &frmRecord::exportCsv);
    connect(fresh, &QPushButton::clicked, this, &frmRecord::askNewGame);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {redo, csv, fresh})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(m_lastUndo);
    layout->addLayout(buttons);
    resize(720, 480);

    readJournal();
    connect(&m_game, &Game::changed, this,
            [this](const GameEvent &event) { addEvent(event, stampNow(m_journal)); });
}

void frmRecord::readJournal()
{
    if (!m_journal || m_journal->currentFile().isEmpty())
        return;
    QFile file(m_journal->currentFile());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const std::optional<SavedGame> saved = SavedGames::read(file.readAll());
    if (!saved)
        return;
    for (const JournalEntry &entry : saved->events)
        addEvent(entry.event, entry.stamp);
}

// A line says what the last undo took back.
void frmRecord::addEvent(const GameEvent &event, const JournalFormat::Stamp &stamp)
{
    const SettingsRecord &settings = settingsRecord();
    const LogRow row = GameLog::row(event, stamp, settings.HomeText, settings.VisitorText);
    if (event.kind == GameEventKind::Undo)
        m_lastUndo->setText(QStringLiteral("Undone: %1").arg(row.value));
    m_rows.append(row);
    const int at = m_table->rowCount();
    m_table->insertRow(at);
    const QString when = QDateTime::fromMSecsSinceEpoch(row.wallMs)
                             .toLocalTime()
                             .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const QString fields[] = {when, row.gameClock, row.event, row.team, row.value};
    for (int column = 0; column < int(std::size(fields)); ++column)
        m_table->setItem(at, column, new QTableWidgetItem(fields[column]));
    m_table->scrollToBottom();
}

void frmRecord::exportCsv()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export the game as CSV"), QStringLiteral("game.csv"),
        QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(GameLog::csv(m_rows, QLocale())) < 0 || !file.flush())
        QMessageBox::warning(
            this, QStringLiteral("Vantrell"),
            QStringLiteral("The file could not be written.\n%1").arg(file.errorString()));
}

void frmRecord::askNewGame()
{
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Vantrell"),
        QStringLiteral("Start a new game? This game is closed and kept; the board goes back "
                       "to the game length, 2:00 and 0 to 0."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    emit newGameWanted();
    m_rows.clear();
    m_table->setRowCount(0);
    m_lastUndo->clear();
}
