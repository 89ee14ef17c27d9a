// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/matchedit.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

MatchEditDialog::MatchEditDialog(const ScheduledMatch &match, const QStringList &formats,
                                 QWidget *parent)
    : QDialog(parent)
    , m_match(match)
    , m_start(new QDateTimeEdit(match.start, this))
    , m_field(new QLineEdit(match.field, this))
    , m_group(new QLineEdit(match.group, this))
    , m_home(new QLineEdit(match.home, this))
    , m_visitor(new QLineEdit(match.visitor, this))
    , m_format(new QComboBox(this))
{
    setWindowTitle(tr("Match of the day"));
    m_start->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    m_format->addItems(formats);
    if (!formats.contains(match.format) && !match.format.isEmpty())
        m_format->addItem(match.format);
    m_format->setCurrentText(match.format);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(tr("Start"), m_start);
    form->addRow(tr("Field"), m_field);
    form->addRow(tr("Group"), m_group);
    form->addRow(tr("Home team"), m_home);
    form->addRow(tr("Visitor team"), m_visitor);
    form->addRow(tr("Format"), m_format);
    form->addRow(buttons);
}

ScheduledMatch MatchEditDialog::match() const
{
    ScheduledMatch match = m_match;
    match.start = m_start->dateTime();
    match.field = m_field->text().trimmed();
    match.group = m_group->text().trimmed();
    match.home = m_home->text().trimmed();
    match.visitor = m_visitor->text().trimmed();
    match.format = m_format->currentText();
    return match;
}
