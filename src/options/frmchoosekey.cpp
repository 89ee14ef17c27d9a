// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/frmchoosekey.h"

#include "input/keytranslation.h"
#include "options/fixeddialog.h"
#include "settings/units.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

QFont fontOf(const char *family, int points)
{
    QFont font{QLatin1String(family)};
    font.setPixelSize(pointsToPixels(points));
    return font;
}

} // namespace

frmChooseKey::frmChooseKey(const KeyWorkingCopies &keys, std::function<void()> beep,
                           QWidget *parent)
    : QDialog(parent, fixedDialogFlags())
    , m_keys(keys)
    , m_beep(std::move(beep))
    , m_prompt(new QLabel(this))
    , m_used(new QLabel(this))
{
    setWindowTitle(tr("Choose Key"));
    makeFixedDialog(*this, QSize(twipsToPixels(4680), twipsToPixels(2415)));
    setFocusPolicy(Qt::StrongFocus);

    KeyCapture &capture = keyCapture();
    capture.ChosenKey = QStringLiteral("0");
    m_prompt->setObjectName(QStringLiteral("lblChoose"));
    m_prompt->setTextFormat(Qt::PlainText);
    m_prompt->setWordWrap(true);
    m_prompt->setFont(fontOf("Times New Roman", 18));
    m_prompt->setGeometry(8, 4, width() - 16, 86);
    m_prompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_prompt->setText(tr("Press the key you would like to %1.").arg(capture.KeyPurpose));

    m_used->setObjectName(QStringLiteral("lblUsed"));
    m_used->setTextFormat(Qt::PlainText);
    m_used->setWordWrap(true);
    m_used->setAlignment(Qt::AlignCenter);
    // Smaller than the prompt, so the whole line fits under it.
    m_used->setFont(fontOf("Arial", 12));
    m_used->setStyleSheet(QStringLiteral("color: #ff0000;"));
    m_used->setGeometry(8, 92, width() - 16, 64);
    m_used->setText(
        tr("This is not a valid key, please choose another or close this window to return."));
    m_used->hide();
}

bool frmChooseKey::refusalShown() const
{
    return m_used->isVisibleTo(this);
}

// Tab and Backtab would move a focus nobody here takes; they are keys to
// refuse like any other.
bool frmChooseKey::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QDialog::event(event);
}

void frmChooseKey::keyPressEvent(QKeyEvent *event)
{
    // The first key taken is the answer; the rest of a chord comes too late.
    if (m_chosen)
        return;
    const qint16 key = KeyTranslation::virtualKeyCode(*event);
    if (!keyAcceptable(key, keyCapture().CurrentKey, m_keys)) {
        refuse();
        return;
    }
    m_used->hide();
    m_chosen = true;
    keyCapture().ChosenKey = QString::number(key);
    accept();
}

void frmChooseKey::refuse()
{
    m_used->show();
    if (m_beep)
        m_beep();
}
