// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "options/keyrows.h"
#include "options/optionsplatform.h"
#include "settings/settingsio.h"

#include <QDialog>
#include <QHash>

#include <array>

class ImageControl;
class PictureBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class Segmora;
class SettingsStore;

// The one place the operator edits the settings. Opening copies every
// setting into the dialog's controls and working copies; only OK writes
// them back, to the record and the store together. Cancel and the close box
// throw the edits away. Made afresh for every opening.
class frmOptions : public QDialog, public KeyWorkingCopies
{
    Q_OBJECT

public:
    frmOptions(SettingsStore &store, OptionsPlatform platform = OptionsPlatform::system(),
               QWidget *parent = nullptr);

    // Working copies the controls do not hold.
    QString BuzzTemp;
    QString HornTemp;
    qint16 TempSize = 24;
    QString HomePicTemp;
    QString VisitorPicTemp;
    QString BoardPicTemp;

    // Recomputes TempSize from the two team names.
    void PreviewIt();
    // What the dialog would write on OK.
    PendingSettings pending() const;

    // The nine colours as their swatches show them, by setting.
    qint32 swatch(const QString &setting) const;
    // Runs one key row's capture window; the answer comes from the window.
    void captureKey(int row);

protected:
    bool event(QEvent *event) override;

private:
    struct ColorRow
    {
        const char *group;
        const char *button;
        const char *swatch;
        qint32 SettingsRecord::*setting;
        qint32 reset;
        int column;
        int row;
    };
    static const std::array<ColorRow, 9> &colorRows();

    void buildKeyTab(QWidget *tab);
    void buildColorTab(QWidget *tab);
    void buildTextTab(QWidget *tab);
    void buildOtherTab(QWidget *tab);
    QWidget *pictureGroup(QWidget *tab, const char *caption, const char *box, const char *image,
                          const char *change, const char *clear, QString frmOptions::*working,
                          const QRect &place);
    void load();
    void setSwatch(const QString &setting, qint32 color);
    void changeColor(const QString &setting);
    void changePicture(QString frmOptions::*working, PictureBox *box, ImageControl *image);
    void clearPicture(QString frmOptions::*working, ImageControl *image);
    void changeSound(QString frmOptions::*working, QLabel *label);
    void showFile(QLabel *label, const QString &file);
    void nameEdited(QLineEdit *box, QString &last, const QString &text);
    void resetColors();
    void resetKeys();
    void ok();
    void showKey(int row);
    void focusOk();

    SettingsStore &m_store;
    OptionsPlatform m_platform;
    QString m_lastFolder;
    QTabWidget *m_tabs = nullptr;
    QHash<QString, QFrame *> m_swatches;
    QHash<QString, qint32> m_colors;
    QLabel *m_widthValue = nullptr;
    QScrollBar *m_width = nullptr;
    std::array<QLabel *, 9> m_keyLabels{};
    QRadioButton *m_optNormal = nullptr;
    QRadioButton *m_optKeepOn = nullptr;
    QRadioButton *m_optKeepOff = nullptr;
    QLineEdit *m_homeText = nullptr;
    QLineEdit *m_visitorText = nullptr;
    QString m_lastHome;
    QString m_lastVisitor;
    QLabel *m_homePreview = nullptr;
    QLabel *m_visitorPreview = nullptr;
    QComboBox *m_ledType = nullptr;
    Segmora *m_preview = nullptr;
    QLabel *m_buzzerFile = nullptr;
    QLabel *m_hornFile = nullptr;
    QHash<QString, std::pair<PictureBox *, ImageControl *>> m_pictures;
    QPushButton *m_ok = nullptr;
};
