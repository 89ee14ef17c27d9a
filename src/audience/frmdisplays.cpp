// SPDX-License-Identifier: GPL-3.0-or-later
#include "audience/frmdisplays.h"

#include "options/fixeddialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString entryFor(const Monitor &monitor, const QString &boardMonitor)
{
    const QString label = monitorLabel(monitor);
    return monitor.name == boardMonitor ? frmDisplays::tr("%1, with this board").arg(label) : label;
}

} // namespace

frmDisplays::frmDisplays(const QList<Monitor> &connected, const QString &chosen,
                         const QString &boardMonitor, QWidget *more, QWidget *parent)
    : QDialog(parent, fixedDialogFlags())
    , m_screens(new QComboBox)
{
    setWindowTitle(tr("Displays"));
    m_screens->addItem(tr("Off"), QString());
    for (const Monitor &monitor : connected)
        m_screens->addItem(entryFor(monitor, boardMonitor), monitor.name);
    // A chosen monitor that is unplugged stays chosen unless the operator
    // picks another.
    if (!chosen.isEmpty() && m_screens->findData(chosen) < 0)
        m_screens->addItem(tr("%1 (not connected)").arg(chosen), chosen);
    m_screens->setCurrentIndex(qMax(0, m_screens->findData(chosen)));

    auto *audience = new QGroupBox(tr("Audience display"));
    auto *form = new QFormLayout(audience);
    auto *about = new QLabel(tr("The board without the selection, the pointer or any window, "
                                "full screen on a projector or a TV. F5 turns it on and off."));
    about->setWordWrap(true);
    form->addRow(about);
    form->addRow(tr("&Monitor:"), m_screens);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    // Enter anywhere is OK, never the button last focused.
    for (QAbstractButton *button : buttons->buttons())
        static_cast<QPushButton *>(button)->setAutoDefault(false);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(audience);
    if (more)
        layout->addWidget(more);
    layout->addWidget(buttons);
    // The window is as tall as its wrapped text needs at this width.
    setFixedWidth(520);
    adjustSize();
    makeFixedDialog(*this, size());
}

QString frmDisplays::audienceScreen() const
{
    return m_screens->currentData().toString();
}

void frmDisplays::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_ok->setFocus(Qt::OtherFocusReason);
}
