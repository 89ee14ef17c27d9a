// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/frmoptions.h"

#include "board/fitpicture.h"
#include "board/imagecontrol.h"
#include "board/picturebox.h"
#include "board/segmora.h"
#include "input/modgrabkeys.h"
#include "input/numlockpolicy.h"
#include "options/chopfilename.h"
#include "options/fixeddialog.h"
#include "options/frmchoosekey.h"
#include "options/keynames.h"
#include "options/namelimit.h"
#include "options/previewsize.h"
#include "settings/colors.h"
#include "settings/settingsstore.h"
#include "settings/storedvalues.h"
#include "settings/units.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

namespace {

constexpr int NameLength = 20;
constexpr int FileLabelLength = 50;
constexpr int MaxSelectedWidth = 5;

// A scroll bar's value grows downwards: its up arrow, the Up key, the wheel
// turned up and a click above the handle all lower it. The highlight is to
// widen upwards, so the width spinner's position is how far the width lies
// below the widest. The mapping is its own inverse: it also gives the
// position of a width.
int widthAtPosition(int position)
{
    return MaxSelectedWidth - position;
}

QRect place(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

template<typename T> T *placed(T *widget, const char *name, const QRect &where)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(where);
    return widget;
}

QGroupBox *group(QWidget *parent, const char *caption, const QRect &where)
{
    auto *box = new QGroupBox(frmOptions::tr(caption), parent);
    box->setGeometry(where);
    return box;
}

QLabel *plainLabel(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel *borderedLabel(QWidget *parent, const char *name, const QRect &where)
{
    auto *label = placed(plainLabel(parent, QString()), name, where);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

const std::array<frmOptions::ColorRow, 9> &frmOptions::colorRows()
{
    using S = SettingsRecord;
    static const std::array<ColorRow, 9> rows = {{
        {QT_TR_NOOP("Time Color:"), "cmdTimeC", "picTimeC", &S::TimeColor, Colors::Red, 0, 0},
        {QT_TR_NOOP("Score Color:"), "cmdScoreC", "picScoreC", &S::ScoreColor, Colors::Orange, 1,
         0},
        {QT_TR_NOOP("Border Color:"), "cmdBorderC", "picBorderC", &S::BorderColor, Colors::White, 2,
         0},
        {QT_TR_NOOP("Back Color:"), "cmdBackC", "picBackC", &S::FormBack, Colors::Gray, 0, 1},
        {QT_TR_NOOP("Home Color:"), "cmdHomeC", "picHomeC", &S::HomeColor, Colors::White, 1, 1},
        {QT_TR_NOOP("Visitor Color:"), "cmdVisitorC", "picVisitorC", &S::VisitorColor,
         Colors::White, 2, 1},
        {QT_TR_NOOP("LED Background:"), "cmdLEDB", "picLEDB", &S::LEDBack, Colors::Black, 0, 2},
        {QT_TR_NOOP("LED Selected"), "cmdLedSelected", "picLedSelected", &S::LEDSelected,
         Colors::Gray, 1, 2},
        {QT_TR_NOOP("Period Color:"), "cmdPeriodC", "picPeriodC", &S::PeriodColor, Colors::Green, 2,
         2},
    }};
    return rows;
}

frmOptions::frmOptions(SettingsStore &store, OptionsPlatform platform, QWidget *parent)
    : QDialog(parent, fixedDialogFlags())
    , m_store(store)
    , m_platform(std::move(platform))
{
    setWindowTitle(tr("Options"));
    makeFixedDialog(*this, QSize(twipsToPixels(6030), twipsToPixels(5775)));
    // Small captions, so four tabs and every caption fit the dialog's size.
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    setFont(small);
    m_tabs = placed(new QTabWidget(this), "SSTab1", place(120, 120, 5775, 5055));
    // All four tabs side by side, as on a card index, never scrolled.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 5px; }"));
    const char *tabs[] = {QT_TR_NOOP("Keyboard Controls"), QT_TR_NOOP("Color Controls"),
                          QT_TR_NOOP("Text Controls"), QT_TR_NOOP("Other Settings")};
    for (const char *caption : tabs)
        m_tabs->addTab(new QWidget, tr(caption));
    buildKeyTab(m_tabs->widget(0));
    buildColorTab(m_tabs->widget(1));
    buildTextTab(m_tabs->widget(2));
    buildOtherTab(m_tabs->widget(3));

    m_ok = placed(new QPushButton(tr("&Ok"), this), "cmdOk", place(1680, 5280, 1215, 390));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &frmOptions::ok);
    auto *cancel =
        placed(new QPushButton(tr("&Cancel"), this), "cmdCancel", place(3135, 5280, 1215, 390));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Measuring labels, below what the window shows.
    m_homePreview = placed(plainLabel(this, QStringLiteral("Home")), "lblHomePreview",
                           place(120, 7920, 1900, 600));
    m_visitorPreview = placed(plainLabel(this, QStringLiteral("Visitor")), "lblVisitorPreview",
                              place(2160, 7920, 1900, 600));
    load();
}

void frmOptions::buildKeyTab(QWidget *tab)
{
    const int tops[] = {120, 660, 1125, 1590, 2055, 2520, 2985, 3450, 3915};
    for (int i = 0; i < int(keyRows().size()); ++i) {
        const KeyRow &row = keyRows()[size_t(i)];
        const int height = i == 0 ? 480 : 405;
        auto *button = placed(new QPushButton(tr(row.caption), tab), row.button,
                              place(120, tops[i], 2280, height));
        connect(button, &QPushButton::clicked, this, [this, i] { captureKey(i); });
        m_keyLabels[size_t(i)] =
            borderedLabel(tab, row.label, place(2520, tops[i] + 45, 1200, 315));
    }
    QGroupBox *numLock = group(tab, QT_TR_NOOP("Numlock Options:"), place(3780, 60, 1890, 1380));
    m_optNormal = placed(new QRadioButton(tr("Normal Mode"), numLock), "optNormal",
                         place(90, 300, 1770, 300));
    m_optKeepOn = placed(new QRadioButton(tr("Keep Numlock On"), numLock), "optKeepOn",
                         place(90, 660, 1770, 300));
    m_optKeepOff = placed(new QRadioButton(tr("Keep Numlock Off"), numLock), "optKeepOff",
                          place(90, 1020, 1770, 300));
    auto *reset = placed(new QPushButton(tr("Reset Keys"), tab), "cmdResetKeys",
                         place(3960, 3915, 1680, 405));
    connect(reset, &QPushButton::clicked, this, &frmOptions::resetKeys);
}

void frmOptions::buildColorTab(QWidget *tab)
{
    for (const ColorRow &row : colorRows()) {
        QGroupBox *box =
            group(tab, row.group, place(60 + row.column * 1860, 60 + row.row * 1320, 1800, 1260));
        const QString setting = QLatin1String(row.swatch);
        auto *swatch = placed(new QFrame(box), row.swatch, place(120, 300, 600, 480));
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        swatch->setAutoFillBackground(true);
        m_swatches.insert(setting, swatch);
        auto *change =
            placed(new QPushButton(tr("Change"), box), row.button, place(840, 330, 840, 405));
        connect(change, &QPushButton::clicked, this, [this, setting] { changeColor(setting); });
        if (row.setting == &SettingsRecord::PeriodColor)
            box->hide();
        if (row.setting != &SettingsRecord::LEDSelected)
            continue;
        placed(plainLabel(box, tr("Width:")), "lblWidth", place(120, 870, 600, 300));
        m_widthValue = placed(plainLabel(box, QStringLiteral("0")), "lblLEDSelectedWidthValue",
                              place(720, 870, 300, 300));
        m_width = placed(new QScrollBar(Qt::Vertical, box), "scrLEDSelectedWidth",
                         place(1080, 810, 255, 420));
        m_width->setRange(0, MaxSelectedWidth);
        // One step for a click beside the handle and for a turn of the wheel.
        m_width->setPageStep(1);
        // Reached by Tab, so the Up and Down keys can move it too.
        m_width->setFocusPolicy(Qt::StrongFocus);
        connect(m_width, &QScrollBar::valueChanged, this, [this](int position) {
            m_widthValue->setText(QString::number(widthAtPosition(position)));
        });
    }
    auto *reset = placed(new QPushButton(tr("Reset Colors"), tab), "cmdResetColors",
                         place(3960, 4080, 1680, 405));
    connect(reset, &QPushButton::clicked, this, &frmOptions::resetColors);
}

void frmOptions::buildTextTab(QWidget *tab)
{
    const struct
    {
        const char *caption;
        const char *name;
        QLineEdit *frmOptions::*box;
        QString frmOptions::*last;
        int top;
    } names[] = {{QT_TR_NOOP("Home Name:"), "txtHomeText", &frmOptions::m_homeText,
                  &frmOptions::m_lastHome, 120},
                 {QT_TR_NOOP("Visitor Name:"), "txtVisitorText", &frmOptions::m_visitorText,
                  &frmOptions::m_lastVisitor, 1200}};
    for (const auto &name : names) {
        QGroupBox *box = group(tab, name.caption, place(120, name.top, 5460, 960));
        auto *edit = placed(new QLineEdit(box), name.name, place(120, 360, 5220, 450));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(16);
        edit->setFont(font);
        edit->setAlignment(Qt::AlignCenter);
        this->*name.box = edit;
        QString *last = &(this->*name.last);
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit, last](const QString &text) { nameEdited(edit, *last, text); });
    }
    m_homeText->setText(QStringLiteral("Home"));
    m_visitorText->setText(QStringLiteral("Visitor"));
}

QWidget *frmOptions::pictureGroup(QWidget *tab, const char *caption, const char *boxName,
                                  const char *imageName, const char *changeName,
                                  const char *clearName, QString frmOptions::*working,
                                  const QRect &where)
{
    QGroupBox *group = ::group(tab, caption, where);
    auto *box = new PictureBox(QLatin1String(boxName), -1, group);
    box->setTwipGeometry(120, 300, 1560, 1560);
    box->setBackColor(0xFFFFFF);
    auto *image = new ImageControl(QLatin1String(imageName), -1, box);
    image->setTwipGeometry(0, 0, 1560, 1560);
    m_pictures.insert(QLatin1String(boxName), {box, image});
    auto *change =
        placed(new QPushButton(tr("Change"), group), changeName, place(1800, 300, 780, 405));
    connect(change, &QPushButton::clicked, this,
            [this, working, box, image] { changePicture(working, box, image); });
    auto *clear =
        placed(new QPushButton(tr("Clear"), group), clearName, place(1800, 780, 780, 405));
    connect(clear, &QPushButton::clicked, this,
            [this, working, image] { clearPicture(working, image); });
    return group;
}

void frmOptions::buildOtherTab(QWidget *tab)
{
    pictureGroup(tab, QT_TR_NOOP("Scoreboard Picture"), "picBoardPicPreviewCon",
                 "imgBoardPicPreview", "cmdChangeBoardPic", "cmdClearBoardPic",
                 &frmOptions::BoardPicTemp, place(60, 60, 2700, 2040));
    pictureGroup(tab, QT_TR_NOOP("Home Picture"), "picHomePicPreviewCon", "imgHomePicPreview",
                 "cmdChangeHomePic", "cmdClearHomePic", &frmOptions::HomePicTemp,
                 place(60, 60, 2700, 2040))
        ->hide();
    pictureGroup(tab, QT_TR_NOOP("Visitor Picture"), "picVisitorPicPreviewCon",
                 "imgVisitorPicPreview", "cmdChangeVisitorPic", "cmdClearVisitorPic",
                 &frmOptions::VisitorPicTemp, place(60, 60, 2700, 2040))
        ->hide();

    QGroupBox *digits = group(tab, QT_TR_NOOP("Digit Type:"), place(2880, 60, 2760, 2040));
    m_ledType = placed(new QComboBox(digits), "cmbLedType", place(120, 330, 1560, 360));
    m_ledType->addItems({tr("Lines"), tr("Dots")});
    placed(plainLabel(digits, tr("Preview:")), "lblPreview", place(120, 900, 900, 300));
    m_preview = new Segmora(QStringLiteral("pledPreview"), -1, digits);
    m_preview->setLedSize(60);
    m_preview->setCaption(8);
    m_preview->setTwipLeft(1200);
    m_preview->setTwipTop(780);
    connect(m_ledType, &QComboBox::currentIndexChanged, m_preview,
            [this](int index) { m_preview->setLedType(Segmora::ledStyleFor(index)); });

    const struct
    {
        const char *caption;
        const char *button;
        const char *label;
        const char *initial;
        QString frmOptions::*working;
        QLabel *frmOptions::*shown;
        int top;
    } sounds[] = {{QT_TR_NOOP("End of Period:"), "cmdBuzzerSound", "lblBFile", "buzzer.wav",
                   &frmOptions::BuzzTemp, &frmOptions::m_buzzerFile, 2220},
                  {QT_TR_NOOP("Shot Clock end:"), "cmdHornSound", "lblHFile", "horn.wav",
                   &frmOptions::HornTemp, &frmOptions::m_hornFile, 3300}};
    for (const auto &sound : sounds) {
        QGroupBox *box = group(tab, sound.caption, place(60, sound.top, 5580, 960));
        QLabel *label = borderedLabel(box, sound.label, place(1500, 390, 3960, 360));
        label->setText(QLatin1String(sound.initial));
        this->*sound.shown = label;
        auto *change = placed(new QPushButton(tr("Change Sound"), box), sound.button,
                              place(120, 360, 1260, 405));
        const auto working = sound.working;
        connect(change, &QPushButton::clicked, this,
                [this, working, label] { changeSound(working, label); });
    }
}

void frmOptions::load()
{
    const SettingsRecord &settings = settingsRecord();
    m_tabs->setCurrentIndex(0);
    for (const ColorRow &row : colorRows())
        setSwatch(QLatin1String(row.swatch), settings.*row.setting);

    const int width = qBound(0, int(settings.LEDSelectedWidth), MaxSelectedWidth);
    m_width->setValue(widthAtPosition(width));
    m_widthValue->setText(QString::number(width));

    for (qint16 KeyWorkingCopies::*working : keyLoadOrder()) {
        for (size_t i = 0; i < keyRows().size(); ++i) {
            if (keyRows()[i].working != working)
                continue;
            this->*working = settings.*keyRows()[i].setting;
            showKey(int(i));
        }
    }

    const std::pair<NumLockPolicy, QRadioButton *> options[] = {
        {NumLockPolicy::LeaveAlone, m_optNormal},
        {NumLockPolicy::KeepOn, m_optKeepOn},
        {NumLockPolicy::KeepOff, m_optKeepOff},
    };
    const std::optional<NumLockPolicy> policy = numLockPolicyFromStored(settings.NumLockForce);
    for (const auto &[shown, option] : options) {
        if (policy == shown)
            option->setChecked(true);
    }

    BuzzTemp = settings.BuzzerFile;
    HornTemp = settings.HornFile;
    TempSize = teamNameSize(settings);
    HomePicTemp = settings.HomePic;
    VisitorPicTemp = settings.VisitorPic;
    BoardPicTemp = settings.BoardPic;
    const std::pair<const char *, const QString &> pictures[] = {
        {"picHomePicPreviewCon", HomePicTemp},
        {"picVisitorPicPreviewCon", VisitorPicTemp},
        {"picBoardPicPreviewCon", BoardPicTemp}};
    for (const auto &[box, file] : pictures) {
        const auto &[container, image] = m_pictures.value(QLatin1String(box));
        modGrabKeys::FitPicture(*image, *container, file);
    }

    m_ledType->setCurrentIndex(ledDots(settings.LEDType) ? 1 : 0);
    m_preview->setLedType(Segmora::ledStyleFor(m_ledType->currentIndex()));
    m_homeText->setText(settings.HomeText);
    m_visitorText->setText(settings.VisitorText);
    showFile(m_buzzerFile, BuzzTemp);
    showFile(m_hornFile, HornTemp);
}

// Enter confirms the dialog each time it becomes active, and each time a key
// capture, a chooser or a question closes over it (whether or not the window
// system gives it back the activation): the button that opened one would
// otherwise keep the focus, stay the default button, and Enter would open it
// again. A name box being typed in keeps the focus.
bool frmOptions::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowUnblocked)
        focusOk();
    return handled;
}

void frmOptions::focusOk()
{
    QWidget *focused = focusWidget();
    if (focused != m_homeText && focused != m_visitorText)
        m_ok->setFocus(Qt::ActiveWindowFocusReason);
}

qint32 frmOptions::swatch(const QString &setting) const
{
    return m_colors.value(setting);
}

void frmOptions::setSwatch(const QString &setting, qint32 color)
{
    m_colors.insert(setting, color);
    QFrame *swatch = m_swatches.value(setting);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    swatch->setPalette(palette);
}

void frmOptions::changeColor(const QString &setting)
{
    if (const std::optional<QColor> color = m_platform.chooseColor(this, toQColor(swatch(setting))))
        setSwatch(setting, fromQColor(*color));
}

void frmOptions::changePicture(QString frmOptions::*working, PictureBox *box, ImageControl *image)
{
    const QString file =
        m_platform.chooseFile(this, tr("Pictures (*.bmp *.gif *.jpg *.jpeg *.png)"), m_lastFolder);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;
    m_lastFolder = QFileInfo(file).absolutePath();
    this->*working = file;
    modGrabKeys::FitPicture(*image, *box, file);
}

void frmOptions::clearPicture(QString frmOptions::*working, ImageControl *image)
{
    image->setPicture({});
    this->*working = QString();
}

void frmOptions::changeSound(QString frmOptions::*working, QLabel *label)
{
    const QString file = m_platform.chooseFile(this, tr("Sounds (*.wav)"), m_lastFolder);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;
    m_lastFolder = QFileInfo(file).absolutePath();
    this->*working = file;
    showFile(label, file);
}

void frmOptions::showFile(QLabel *label, const QString &file)
{
    label->setText(ChopFileNameToFit(file, FileLabelLength, label->fontMetrics(),
                                     label->contentsRect().width()));
}

// Only the operator's edits are limited: a longer name that was stored is
// loaded whole.
void frmOptions::nameEdited(QLineEdit *box, QString &last, const QString &text)
{
    if (box->isModified()) {
        const LimitedName limited = limitNameEdit(last, text, NameLength);
        if (limited.text != text) {
            // Comes back here with the name that fits.
            box->setText(limited.text);
            box->setCursorPosition(int(limited.cursor));
            return;
        }
    }
    last = text;
    QLabel *preview = box == m_homeText ? m_homePreview : m_visitorPreview;
    if (preview)
        preview->setText(text);
    PreviewIt();
}

void frmOptions::PreviewIt()
{
    if (!m_homeText || !m_visitorText)
        return;
    TempSize = teamNameSize(m_homeText->text(), m_visitorText->text());
}

void frmOptions::captureKey(int row)
{
    const KeyRow &key = keyRows()[size_t(row)];
    KeyCapture &capture = keyCapture();
    capture.KeyPurpose = frmChooseKey::tr(key.purpose);
    capture.CurrentKey = this->*key.working;
    frmChooseKey chooser(*this, m_platform.beep, this);
    chooser.exec();
    const qint16 chosen = qint16(capture.ChosenKey.toInt());
    if (chosen == 0)
        return;
    this->*key.working = chosen;
    showKey(row);
}

void frmOptions::showKey(int row)
{
    m_keyLabels[size_t(row)]->setText(KeyCodeToStr(this->*keyRows()[size_t(row)].working));
}

void frmOptions::resetColors()
{
    if (!m_platform.askYesNo(this, tr("Reset Colors"),
                             tr("Are you sure you want to reset the colors?")))
        return;
    for (const ColorRow &row : colorRows())
        setSwatch(QLatin1String(row.swatch), row.reset);
    m_widthValue->setText(QStringLiteral("0"));
}

void frmOptions::resetKeys()
{
    if (!m_platform.askYesNo(this, tr("Reset Keys"),
                             tr("Are you sure you want to reset the keys?")))
        return;
    for (qint16 KeyWorkingCopies::*working : keyResetOrder()) {
        for (size_t i = 0; i < keyRows().size(); ++i) {
            if (keyRows()[i].working != working)
                continue;
            this->*working = keyRows()[i].resetCode;
            showKey(int(i));
        }
    }
    m_optNormal->setChecked(true);
}

PendingSettings frmOptions::pending() const
{
    PendingSettings pending;
    SettingsRecord &values = pending.values;
    values = settingsRecord();
    for (const ColorRow &row : colorRows())
        values.*row.setting = swatch(QLatin1String(row.swatch));
    pending.selectedWidthShown = *StoredValues::parseNumber(m_widthValue->text());
    for (const KeyRow &row : keyRows())
        values.*row.setting = this->*row.working;
    values.BuzzerFile = BuzzTemp;
    values.HornFile = HornTemp;
    pending.optNormal = m_optNormal->isChecked();
    pending.optKeepOn = m_optKeepOn->isChecked();
    pending.optKeepOff = m_optKeepOff->isChecked();
    values.HomeText = m_homeText->text();
    values.VisitorText = m_visitorText->text();
    pending.TempSize = TempSize;
    values.HomePic = HomePicTemp;
    values.VisitorPic = VisitorPicTemp;
    values.BoardPic = BoardPicTemp;
    values.LEDType = qint16(m_ledType->currentIndex());
    return pending;
}

// The record takes the settings whether or not the store does, so they
// hold for this run; the operator is told they will not be there next time.
void frmOptions::ok()
{
    if (!WriteSettings(m_store, pending(), modGrabKeys::applyPolicy))
        m_platform.tell(this, windowTitle(),
                        tr("The settings could not be saved to %1. They apply until "
                           "the program is closed.")
                            .arg(QDir::toNativeSeparators(m_store.fileName())));
    accept();
}
