// SPDX-License-Identifier: GPL-3.0-or-later
#include "match/frmmatch.h"

#include "game/game.h"
#include "match/formatdescription.h"
#include "match/frmformatedit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The list's row of an entry, past "Free".
constexpr int FirstEntryRow = 1;

} // namespace

frmMatch::frmMatch(Game &game, const FormatLibrary &library, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_game(game)
    , m_library(library)
    , m_pages(new QTabWidget(this))
    , m_list(new QListWidget(this))
    , m_description(new QLabel(this))
    , m_copy(new QPushButton(tr("Copy and edit..."), this))
    , m_begin(new QPushButton(tr("Begin match"), this))
    , m_end(new QPushButton(tr("End match"), this))
{
    setWindowTitle(tr("Vantrell Match"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_description->setTextFormat(Qt::PlainText);
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_description->setMinimumHeight(m_description->fontMetrics().lineSpacing() * 5);

    // No mnemonics: the board's commands pass from here, whatever Alt adds.
    connect(m_list, &QListWidget::currentRowChanged, this, &frmMatch::showChosen);
    connect(m_copy, &QPushButton::clicked, this, &frmMatch::copyAndEdit);
    connect(m_begin, &QPushButton::clicked, this, &frmMatch::begin);
    connect(m_end, &QPushButton::clicked, &m_game, &Game::endMatch);
    connect(&m_game, &Game::changed, this, &frmMatch::showMatch);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_copy, m_begin, m_end})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *formats = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(formats);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_description);
    layout->addLayout(buttons);
    m_pages->addTab(formats, tr("Formats"));
    // The list is where a choice starts; Ctrl+Tab turns the pages.
    m_pages->tabBar()->setFocusPolicy(Qt::NoFocus);
    m_list->setFocus(Qt::OtherFocusReason);
    auto *window = new QVBoxLayout(this);
    window->addWidget(m_pages);
    resize(640, 480);
    list({});
    showMatch();
}

void frmMatch::addPage(QWidget *page, const QString &title)
{
    m_pages->addTab(page, title);
}

void frmMatch::present()
{
    const FormatEntry *chosen = chosenEntry();
    const QString path = chosen ? chosen->path : QString();
    list(path);
    showMatch();
    show();
    raise();
    activateWindow();
}

// A file that cannot be used is listed with its reason, and cannot be
// chosen.
void frmMatch::list(const QString &path)
{
    m_entries = m_library.entries();
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItem(tr("Free: no match"));
    int chosen = 0;
    for (const FormatEntry &entry : m_entries) {
        const MatchFormat *format = entry.format();
        if (!format) {
            auto *item = new QListWidgetItem(entry.problemText(), m_list);
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
            item->setToolTip(entry.problemText());
            continue;
        }
        if (entry.path == path)
            chosen = m_list->count();
        m_list->addItem(entry.source == FormatSource::Own ? tr("%1 (your own)").arg(format->name)
                                                          : format->name);
    }
    m_list->setCurrentRow(chosen);
    showChosen();
}

const FormatEntry *frmMatch::chosenEntry() const
{
    const int index = m_list->currentRow() - FirstEntryRow;
    return index >= 0 && index < m_entries.size() ? &m_entries[index] : nullptr;
}

void frmMatch::showChosen()
{
    const FormatEntry *entry = chosenEntry();
    const MatchFormat *format = entry ? entry->format() : nullptr;
    m_description->setText(format ? describe(*format)
                                  : tr("Free: no match. The board is the board as always, and "
                                       "Begin starts a plain new game."));
    m_begin->setEnabled(!entry || format);
}

void frmMatch::showMatch()
{
    const Match &match = m_game.match();
    m_end->setEnabled(match.active() && match.state().phase != MatchPhase::Ended);
}

// From "Free" the copy starts from a format's defaults.
void frmMatch::copyAndEdit()
{
    if (m_editor) {
        m_editor->raise();
        m_editor->activateWindow();
        return;
    }
    const FormatEntry *entry = chosenEntry();
    MatchFormat from;
    from.name = tr("My format");
    from.shortName = tr("Mine");
    if (entry && entry->format())
        from = *entry->format();
    const QString edited = entry && entry->source == FormatSource::Own ? entry->path : QString();
    m_editor = new frmFormatEdit(
        from,
        [this, edited](const MatchFormat &format) {
            const SaveResult result = m_library.save(format, edited);
            if (result.saved())
                list(result.path);
            return result.error;
        },
        this);
    m_editor->show();
}

// A plain new game is not announced: End is set here for it.
void frmMatch::begin()
{
    const FormatEntry *entry = chosenEntry();
    if (!entry)
        emit beginWanted(std::nullopt);
    else if (const MatchFormat *format = entry->format())
        emit beginWanted(*format);
    showMatch();
}
