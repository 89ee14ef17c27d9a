// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/schedulepage.h"

#include "event/eventday.h"
#include "event/eventexchange.h"
#include "event/matchedit.h"
#include "event/scheduleedit.h"
#include "event/scheduleplay.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { Start, Field, Group, Home, Visitor, Format, State, Result, ColumnCount };

const char *const StateWords[] = {
    QT_TRANSLATE_NOOP("SchedulePage", "to play"),
    QT_TRANSLATE_NOOP("SchedulePage", "under way"),
    QT_TRANSLATE_NOOP("SchedulePage", "played"),
    QT_TRANSLATE_NOOP("SchedulePage", "forfeit"),
};

QStringList cellsOf(const ScheduledMatch &m)
{
    const QString result = m.decided()
        ? QStringLiteral("%1\u2013%2").arg(m.result.home).arg(m.result.visitor)
        : QString();
    return {m.start.toString(QStringLiteral("ddd HH:mm")),
            m.field,
            m.group,
            m.home,
            m.visitor,
            m.format,
            QCoreApplication::translate("SchedulePage", StateWords[int(m.state)]),
            result};
}

} // namespace

SchedulePage::SchedulePage(EventDay &event, const FormatLibrary &library, QWidget *parent)
    : QWidget(parent)
    , m_event(event)
    , m_library(library)
    , m_title(new QLabel(this))
    , m_table(new QTableWidget(0, ColumnCount, this))
{
    m_table->setHorizontalHeaderLabels({tr("Start"), tr("Field"), tr("Group"), tr("Home"),
                                        tr("Visitor"), tr("Format"), tr("State"), tr("Result")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &SchedulePage::showButtons);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row) { editMatch(row); });
    connect(&m_event, &EventDay::changed, this, &SchedulePage::showDay);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_table, 1);
    layout->addWidget(buildButtons());
    layout->addWidget(buildSettings());
    showDay();
}

// No mnemonics: the board's commands pass from here, whatever Alt adds.
QWidget *SchedulePage::buildButtons()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto button = [this, grid](const QString &text, int row, int column, auto slot) {
        auto *b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, slot);
        grid->addWidget(b, row, column);
        return b;
    };
    m_buttons = {
        button(tr("Next match (F10)"), 0, 0, [this] { emit nextMatchWanted(); }),
        button(tr("Add..."), 0, 1, [this] { editMatch(-1); }),
        button(tr("Change..."), 0, 2, [this] { editMatch(chosen()); }),
        button(tr("Remove"), 0, 3, &SchedulePage::remove),
        button(tr("Up"), 0, 4, [this] { move(-1); }),
        button(tr("Down"), 0, 5, [this] { move(1); }),
        button(tr("Forfeit..."), 1, 0, &SchedulePage::forfeit),
        button(tr("Export results..."), 1, 1,
               [this] { EventExchange::exportResults(this, m_event); }),
        button(tr("Merge results..."), 1, 2,
               [this] { EventExchange::mergeResults(this, m_event, formatNames()); }),
        button(tr("Close event"), 1, 5, [this] { m_event.close(); }),
        button(tr("Import schedule..."), 1, 3,
               [this] { EventExchange::importSchedule(this, m_event, formatNames()); }),
    };
    button(tr("Open event..."), 1, 4, [this] { EventExchange::openEvent(this, m_event); });
    return box;
}

QWidget *SchedulePage::buildSettings()
{
    auto *box = new QWidget(this);
    auto *form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    const auto spin = [this](int high) {
        auto *s = new QSpinBox(this);
        s->setRange(0, high);
        connect(s, &QSpinBox::editingFinished, this, &SchedulePage::takeSettings);
        return s;
    };
    m_settings = {new QLineEdit(this), spin(600), spin(9), spin(9), spin(9)};
    m_settings.standingsEvery->setSpecialValueText(tr("never"));
    m_settings.standingsEvery->setSuffix(tr(" s"));
    connect(m_settings.field, &QLineEdit::editingFinished, this, &SchedulePage::takeSettings);
    auto *points = new QHBoxLayout;
    for (const auto &[label, box] :
         {std::pair{tr("win"), m_settings.win}, std::pair{tr("draw"), m_settings.draw},
          std::pair{tr("loss"), m_settings.loss}}) {
        points->addWidget(new QLabel(label, this));
        points->addWidget(box);
    }
    points->addStretch();
    form->addRow(tr("This computer's field (empty: any)"), m_settings.field);
    form->addRow(tr("Between matches, standings every"), m_settings.standingsEvery);
    form->addRow(tr("League points"), points);
    return box;
}

void SchedulePage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QPushButton *first = m_buttons.next->isEnabled() ? m_buttons.next : m_buttons.importSchedule;
    first->setFocus(Qt::OtherFocusReason);
}

void SchedulePage::showDay()
{
    const Schedule &day = m_event.schedule();
    m_title->setText(m_event.isOpen()
                         ? tr("Event: %1").arg(QDir::toNativeSeparators(m_event.path()))
                         : tr("No event is open: import a day's schedule or open an event."));
    const qsizetype keep = chosen();
    const auto next = m_event.next();
    m_table->setRowCount(int(day.matches.size()));
    for (int row = 0; row < day.matches.size(); ++row) {
        const QStringList cells = cellsOf(day.matches.at(row));
        for (int column = 0; column < ColumnCount; ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            QFont font = item->font();
            font.setBold(next && *next == row);
            item->setFont(font);
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeColumnsToContents();
    if (keep >= 0 && keep < day.matches.size())
        m_table->selectRow(int(keep));
    showSettings();
    showButtons();
}

void SchedulePage::showSettings()
{
    const Schedule &day = m_event.schedule();
    const QSignalBlocker a(m_settings.field), b(m_settings.standingsEvery), c(m_settings.win),
        d(m_settings.draw), e(m_settings.loss);
    m_settings.field->setText(day.field);
    m_settings.standingsEvery->setValue(day.standingsEvery);
    m_settings.win->setValue(day.points.win);
    m_settings.draw->setValue(day.points.draw);
    m_settings.loss->setValue(day.points.loss);
    for (QWidget *w :
         {static_cast<QWidget *>(m_settings.field),
          static_cast<QWidget *>(m_settings.standingsEvery), static_cast<QWidget *>(m_settings.win),
          static_cast<QWidget *>(m_settings.draw), static_cast<QWidget *>(m_settings.loss)})
        w->setEnabled(m_event.isOpen());
}

void SchedulePage::showButtons()
{
    const Schedule &day = m_event.schedule();
    const qsizetype at = chosen();
    const bool open = m_event.isOpen();
    const bool changeable = ScheduleEdit::changeable(day, at);
    m_buttons.next->setEnabled(bool(m_event.next()));
    m_buttons.add->setEnabled(open);
    m_buttons.edit->setEnabled(changeable);
    m_buttons.remove->setEnabled(changeable);
    m_buttons.up->setEnabled(ScheduleEdit::changeable(day, at - 1) && changeable);
    m_buttons.down->setEnabled(ScheduleEdit::changeable(day, at + 1) && changeable);
    m_buttons.forfeit->setEnabled(changeable);
    m_buttons.exportResults->setEnabled(open);
    m_buttons.mergeResults->setEnabled(open);
    m_buttons.close->setEnabled(open);
}

qsizetype SchedulePage::chosen() const
{
    const QList<QTableWidgetItem *> items = m_table->selectedItems();
    return items.isEmpty() ? -1 : items.first()->row();
}

QStringList SchedulePage::formatNames() const
{
    QStringList names;
    for (const FormatEntry &entry : m_library.entries()) {
        if (const MatchFormat *format = entry.format())
            names << format->name;
    }
    return names;
}

// A new match starts from the one chosen, or from the last of the day.
void SchedulePage::editMatch(qsizetype at)
{
    Schedule day = m_event.schedule();
    if (!m_event.isOpen() || (at >= 0 && !ScheduleEdit::changeable(day, at)))
        return;
    ScheduledMatch from = at >= 0 ? day.matches.at(at)
        : day.matches.isEmpty()   ? ScheduledMatch{}
                                  : day.matches.last();
    if (at < 0 && !from.start.isValid())
        from.start = QDateTime::currentDateTime();
    if (at < 0) {
        from.home.clear();
        from.visitor.clear();
    }
    MatchEditDialog dialog(from, formatNames(), this);
    while (dialog.exec() == QDialog::Accepted) {
        const ScheduledMatch edited = dialog.match();
        if (const auto problem = ScheduleEdit::problem(day, at, edited)) {
            QMessageBox::information(this, QStringLiteral("Vantrell"), *problem);
            continue;
        }
        at < 0 ? ScheduleEdit::add(day, edited) : ScheduleEdit::replace(day, at, edited);
        m_event.change(day);
        return;
    }
}

void SchedulePage::move(int step)
{
    Schedule day = m_event.schedule();
    const qsizetype at = chosen();
    if (!ScheduleEdit::move(day, at, step))
        return;
    m_event.change(day);
    m_table->selectRow(int(at + step));
}

void SchedulePage::remove()
{
    Schedule day = m_event.schedule();
    if (ScheduleEdit::remove(day, chosen()))
        m_event.change(day);
}

// The score a forfeit gets is the format's; a format no longer on this
// computer gives 1-0.
void SchedulePage::forfeit()
{
    const qsizetype at = chosen();
    if (!ScheduleEdit::changeable(m_event.schedule(), at))
        return;
    const ScheduledMatch &m = m_event.schedule().matches.at(at);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vantrell"),
                    tr("Which team wins %1 \u2013 %2 by forfeit?").arg(m.home, m.visitor),
                    QMessageBox::Cancel, this);
    QPushButton *home = box.addButton(m.home, QMessageBox::AcceptRole);
    QPushButton *visitor = box.addButton(m.visitor, QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    const int winner = box.clickedButton() == home ? 1 : box.clickedButton() == visitor ? 2 : 0;
    if (!winner)
        return;
    MatchFormat format;
    for (const FormatEntry &entry : m_library.entries()) {
        if (const MatchFormat *f = entry.format(); f && f->name == m.format)
            format = *f;
    }
    Schedule day = m_event.schedule();
    SchedulePlay::forfeit(day, at, winner, format);
    m_event.change(day);
}

void SchedulePage::takeSettings()
{
    Schedule day = m_event.schedule();
    day.field = m_settings.field->text().trimmed();
    day.standingsEvery = m_settings.standingsEvery->value();
    day.points = {m_settings.win->value(), m_settings.draw->value(), m_settings.loss->value()};
    m_event.change(day);
}
