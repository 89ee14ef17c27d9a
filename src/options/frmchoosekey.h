// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "options/keyrows.h"

#include <QDialog>

#include <functional>

class QLabel;

// Asks for one key for one command. It holds nothing that takes the focus,
// so every key comes to the window itself; Esc is a key like any other and
// does not close it. The answer is left in keyCapture().ChosenKey, "0" for
// none.
class frmChooseKey : public QDialog
{
    Q_OBJECT

public:
    frmChooseKey(const KeyWorkingCopies &keys, std::function<void()> beep,
                 QWidget *parent = nullptr);

    bool refusalShown() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    void refuse();

    const KeyWorkingCopies &m_keys;
    std::function<void()> m_beep;
    QLabel *m_prompt;
    QLabel *m_used;
    bool m_chosen = false;
};
