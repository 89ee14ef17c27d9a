// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QWidget>

class QTextBrowser;

// Sizes in the help window, in twips: the window is kept at least 2700 wide
// and 1700 high, the text box follows it, and lines wrap 450 twips short of
// the box's own width.
struct HelpLayout
{
    QSize window;
    QSize box;
    int wrapWidth = 0;
};

HelpLayout helpLayout(const QSize &outerTwips);

// The operator's manual, beside the board. It only shows; it reads its file
// each time it is opened anew.
class frmHelp : public QWidget
{
    Q_OBJECT

public:
    static const QString FileName;
    static QString missingText();

    explicit frmHelp(const QString &programFolder, QWidget *parent = nullptr);

    // The one help window of the program: brought forward, restored if
    // minimized, when it is open; made and loaded afresh when it is not.
    static frmHelp *showHelp(const QString &programFolder);

    QTextBrowser *rtbHelp() const { return m_text; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void load(const QString &path);
    void fitText();

    QTextBrowser *m_text;
};
