// SPDX-License-Identifier: GPL-3.0-or-later
#include "match/frmformatedit.h"

#include "match/formatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include <variant>

namespace {

using MatchFormatFile::Field;
using MatchFormatFile::FieldType;

QWidget *timeEditor(const Field &field, const MatchFormat &format, QWidget *parent)
{
    auto *edit = new QLineEdit(FormatForm::text(field, format), parent);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,2}:?[0-5]?\\d?")), edit));
    edit->setPlaceholderText(QStringLiteral("m:ss"));
    edit->setToolTip(FormatForm::range(field));
    return edit;
}

QWidget *countEditor(const Field &field, const MatchFormat &format, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(field.low, field.high);
    spin->setValue(field.get(format));
    return spin;
}

QWidget *flagEditor(const Field &field, const MatchFormat &format, QWidget *parent)
{
    auto *box = new QCheckBox(parent);
    box->setChecked(field.get(format) != 0);
    return box;
}

QWidget *choiceEditor(const Field &field, const MatchFormat &format, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    for (int i = 0; i < int(field.choices.size()); ++i)
        combo->addItem(FormatForm::choiceText(field, i));
    combo->setCurrentIndex(field.get(format));
    return combo;
}

QString timeText(QWidget *editor)
{
    return static_cast<QLineEdit *>(editor)->text();
}

QString countText(QWidget *editor)
{
    return QString::number(static_cast<QSpinBox *>(editor)->value());
}

QString flagText(QWidget *editor)
{
    return QString::number(static_cast<QCheckBox *>(editor)->isChecked() ? 1 : 0);
}

QString choiceText(QWidget *editor)
{
    return QString::number(static_cast<QComboBox *>(editor)->currentIndex());
}

struct Editor
{
    QWidget *(*make)(const Field &, const MatchFormat &, QWidget *);
    QString (*text)(QWidget *);
};

// In the order of FieldType: each editor reads back what it made.
constexpr Editor Editors[] = {
    {timeEditor, timeText},
    {countEditor, countText},
    {flagEditor, flagText},
    {choiceEditor, choiceText},
};

const Editor &editorFor(const Field &field)
{
    return Editors[int(field.type)];
}

} // namespace

frmFormatEdit::frmFormatEdit(const MatchFormat &from, Save save, QWidget *parent)
    : QDialog(parent)
    , m_save(std::move(save))
    , m_name(new QLineEdit(from.name, this))
    , m_shortName(new QLineEdit(from.shortName, this))
    , m_problem(new QLabel(this))
{
    setWindowTitle(tr("Vantrell Match Format"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_name->setMaxLength(MatchFormatFile::NameMost);
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 40);
    m_name->setCursorPosition(0);
    auto *form = new QFormLayout;
    m_shortName->setMaxLength(MatchFormatFile::ShortNameMost);
    form->addRow(tr("Name"), m_name);
    form->addRow(tr("Short name, on the strip"), m_shortName);
    for (const Field &field : MatchFormatFile::fields()) {
        QWidget *editor = editorFor(field).make(field, from, this);
        form->addRow(FormatForm::label(field), editor);
        m_editors << editor;
    }
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #a81010"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmFormatEdit::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmFormatEdit::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
}

void frmFormatEdit::accept()
{
    QStringList texts;
    const auto fields = MatchFormatFile::fields();
    for (size_t i = 0; i < fields.size(); ++i)
        texts << editorFor(fields[i]).text(m_editors.at(qsizetype(i)));
    const auto built = FormatForm::build(m_name->text(), m_shortName->text(), texts);
    if (const auto *problem = std::get_if<QString>(&built)) {
        m_problem->setText(*problem);
        return;
    }
    if (const QString refused = m_save(std::get<MatchFormat>(built)); !refused.isEmpty()) {
        m_problem->setText(refused);
        return;
    }
    QDialog::accept();
}
