// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/frmhelp.h"

#include "help/rtfpicture.h"
#include "help/rtfreader.h"
#include "settings/units.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>

namespace {

constexpr int MinWidth = 2700;
constexpr int MinHeight = 1700;

} // namespace

const QString frmHelp::FileName = QStringLiteral("vantrellhelpfile.rtf");
QString frmHelp::missingText()
{
    return tr("Help file has been moved from its normal location.  Please reinstall the program.");
}

HelpLayout helpLayout(const QSize &outerTwips)
{
    HelpLayout layout;
    layout.window = QSize(qMax(outerTwips.width(), MinWidth), qMax(outerTwips.height(), MinHeight));
    layout.box = QSize(layout.window.width() - 240, layout.window.height() - 420);
    layout.wrapWidth = layout.box.width() - 450;
    return layout;
}

frmHelp::frmHelp(const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_text(new QTextBrowser(this))
{
    setWindowTitle(tr("Vantrell Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(twipsToPixels(11055), twipsToPixels(9270));
    m_text->setObjectName(QStringLiteral("rtbHelp"));
    m_text->setOpenLinks(false);
    m_text->setLineWrapMode(QTextEdit::FixedPixelWidth);
    m_text->move(twipsToPixels(120), 0);
    load(QDir(programFolder).filePath(FileName));
}

frmHelp *frmHelp::showHelp(const QString &programFolder)
{
    static QPointer<frmHelp> open;
    if (!open)
        open = new frmHelp(programFolder);
    if (open->isMinimized())
        open->showNormal();
    else
        open->show();
    open->raise();
    open->activateWindow();
    return open;
}

// A manual that cannot be read is as good as missing.
void frmHelp::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_text->setPlainText(missingText());
        return;
    }
    RtfReader::load(file.readAll(), *m_text->document());
    // The manual opens at its first line.
    m_text->moveCursor(QTextCursor::Start);
}

void frmHelp::fitText()
{
    if (isMinimized())
        return;
    const HelpLayout layout = helpLayout(frameGeometry().size() * TwipsPerPixel);
    const QSize frame = frameGeometry().size() - size();
    const QSize client(twipsToPixels(layout.window.width()) - frame.width(),
                       twipsToPixels(layout.window.height()) - frame.height());
    if (size().width() < client.width() || size().height() < client.height()) {
        resize(size().expandedTo(client));
        return;
    }
    // The box stays inside the window whatever frame the window manager
    // draws around it.
    const int width = qMin(twipsToPixels(layout.box.width()), this->width() - m_text->x());
    const int height = qMin(twipsToPixels(layout.box.height()), this->height());
    m_text->resize(qMax(1, width), qMax(1, height));
    m_text->setLineWrapColumnOrWidth(qMax(1, twipsToPixels(layout.wrapWidth)));
    QTextDocument &doc = *m_text->document();
    RtfPictures::fitToWidth(doc, m_text->lineWrapColumnOrWidth() - 2 * doc.documentMargin());
    m_text->update();
}

void frmHelp::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitText();
}

void frmHelp::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitText();
}

void frmHelp::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        fitText();
}

// Escape puts the manual away, as it does a dialog, and the board is in
// front again.
void frmHelp::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
