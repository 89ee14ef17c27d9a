// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/fixeddialog.h"

#include <QDialog>
#include <QEvent>

namespace {

void restore(QWidget &window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

class StayRestored : public QObject
{
public:
    explicit StayRestored(QWidget &window)
        : QObject(&window)
        , m_window(window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Queued: the window system is still delivering the minimize.
        if (watched == &m_window && event->type() == QEvent::WindowStateChange &&
            m_window.isMinimized())
            QMetaObject::invokeMethod(
                this, [this] { restore(m_window); }, Qt::QueuedConnection);
        return false;
    }

private:
    QWidget &m_window;
};

} // namespace

Qt::WindowFlags fixedDialogFlags()
{
    return Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
        Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

void makeFixedDialog(QDialog &dialog, const QSize &size)
{
    dialog.setFixedSize(size);
    new StayRestored(dialog);
}
