// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/frmscoreboard.h"

#include "board/imagecontrol.h"
#include "board/labelcontrol.h"
#include "board/modstretch.h"
#include "board/picturebox.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"
#include "input/keydispatch.h"
#include "input/keytranslation.h"
#include "input/modgrabkeys.h"
#include "input/virtualkeys.h"
#include "settings/settingsrecord.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

namespace {

bool isFocusKey(const QKeyEvent &event)
{
    return (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) &&
        !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

void frmScoreBoard::connectFields()
{
    const ScoreBoardControls &c = controls();
    // By field, in the focus order.
    PictureBox *const boxes[FieldCount] = {
        c.gameClock.box,       c.homeScore.box,    c.visitorScore.box,    c.goalBox,
        c.shotClock.box,       c.homePenalty1.box, c.visitorPenalty1.box, c.homePenalty2.box,
        c.visitorPenalty2.box, c.homePenalty3.box, c.visitorPenalty3.box,
    };
    PictureBox *previous = nullptr;
    for (int i = 0; i < FieldCount; ++i) {
        PictureBox *box = boxes[i];
        m_fields.insert(box, FieldId(i));
        box->installEventFilter(this);
        connect(box, &PictureBox::focusGained, this, [this, box] { ObjectSelected(box); });
        if (previous)
            setTabOrder(previous, box);
        previous = box;
    }

    // A click on a field's figures selects the field.
    for (BoardControl *control : m_view.layer().controls()) {
        if (auto *figure = qobject_cast<Segmora *>(control)) {
            QWidget *box = figure->parentWidget();
            connect(figure, &Segmora::clicked, box, [box] { box->setFocus(Qt::MouseFocusReason); });
        }
    }
    PictureBox *goalBox = c.goalBox;
    connect(c.goalCaption, &LabelControl::clicked, goalBox,
            [goalBox] { goalBox->setFocus(Qt::MouseFocusReason); });
    connect(c.homeLampArea, &ImageControl::clicked, this, &frmScoreBoard::HomeLamp);
    connect(c.visitorLampArea, &ImageControl::clicked, this, &frmScoreBoard::VisitorLamp);
    for (int i = 0; i < MarkCount; ++i) {
        connect(c.redMarkAreas[size_t(i)], &ImageControl::clicked, this,
                [this](int index) { ClickMark(index, false); });
        connect(c.greenMarkAreas[size_t(i)], &ImageControl::clicked, this,
                [this](int index) { ClickMark(index, true); });
    }
    c.gameClock.box->setFocus();
}

void frmScoreBoard::AllKeyCode(qint16 KeyCode, qint16)
{
    using KeyDispatch::Command;
    switch (KeyDispatch::commandForKey(KeyCode, settingsRecord())) {
    case Command::StartStopClock:
        m_game.startStopClock();
        break;
    case Command::ResetClock:
        m_game.resetClock();
        break;
    case Command::StartStopShot:
        m_game.startStopShot();
        break;
    case Command::ResetShot:
        m_game.resetShot();
        break;
    case Command::ClockSwitch:
        m_game.switchClockTime();
        break;
    case Command::Buzzer:
        m_game.soundBuzzer();
        break;
    case Command::Horn:
        m_game.soundHorn();
        break;
    case Command::Help:
        emit helpWanted();
        break;
    case Command::Options:
        openOptions();
        break;
    case Command::Record:
        emit recordWanted();
        break;
    case Command::Undo:
        m_game.undo(selectedRow());
        break;
    case Command::Audience:
        emit audienceToggleWanted();
        break;
    case Command::Displays:
        emit displaysWanted();
        break;
    case Command::Match:
        emit matchWanted();
        break;
    case Command::HomeTimeout:
        m_game.callTimeout(1);
        break;
    case Command::VisitorTimeout:
        m_game.callTimeout(2);
        break;
    case Command::NextMatch:
        emit nextMatchWanted();
        break;
    case Command::None:
        break;
    }
}

std::optional<FigureRowId> frmScoreBoard::selectedRow() const
{
    const auto field = m_fields.constFind(focusWidget());
    if (field == m_fields.cend())
        return std::nullopt;
    return fieldRule(*field).row;
}

bool frmScoreBoard::otherWindowKeyDown(qint16 KeyCode, qint16 Shift)
{
    if (KeyDispatch::passedCommandForKey(KeyCode, settingsRecord()) == KeyDispatch::Command::None)
        return false;
    AllKeyCode(KeyCode, Shift);
    return true;
}

// The release of a stroke of ours that did not take brings no other stroke.
void frmScoreBoard::AllKeyUp(qint16 KeyCode, qint16)
{
    if (KeyCode == VirtualKey::NumLock && !modGrabKeys::takeRefusedStroke())
        UpdateNumLock();
}

// The field's rules are the game's; the board's own commands come between
// a penalty field's clear key and the rest of the field's keys.
void frmScoreBoard::fieldKeyDown(FieldId field, qint16 KeyCode, qint16 Shift)
{
    m_game.keyBeforeCommands(field, KeyCode, settingsRecord());
    AllKeyCode(KeyCode, Shift);
    m_game.keyInField(field, KeyCode, settingsRecord());
}

void frmScoreBoard::HomeLamp()
{
    m_game.toggleLamp(GoalLamp::Home);
    controls().goalBox->setFocus(Qt::MouseFocusReason);
}

void frmScoreBoard::VisitorLamp()
{
    m_game.toggleLamp(GoalLamp::Visitor);
    controls().goalBox->setFocus(Qt::MouseFocusReason);
}

void frmScoreBoard::ClickMark(int index, bool green)
{
    m_game.clickMark(index, green);
}

void frmScoreBoard::ObjectSelected(BoardControl *SelectedObject)
{
    ShapeControl *highlight = controls().highlight;
    const double margin = double(settingsRecord().LEDSelectedWidth) * TwipsPerPixel;
    highlight->hide();
    if (!SelectedObject)
        return;
    highlight->setTwipGeometry(SelectedObject->twipLeft() - margin,
                               SelectedObject->twipTop() - margin,
                               SelectedObject->twipWidth() + 2 * margin + TwipsPerPixel,
                               SelectedObject->twipHeight() + 2 * margin + TwipsPerPixel);
    highlight->show();
}

BoardControl *frmScoreBoard::selectedField() const
{
    if (!controls().highlight->isVisibleTo(this))
        return nullptr;
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        auto *field = static_cast<BoardControl *>(const_cast<QObject *>(it.key()));
        if (field->hasFocus())
            return field;
    }
    return nullptr;
}

// The dialog may have changed any setting; the board takes them all up
// again, and the field that had the focus has it back.
void frmScoreBoard::openOptions()
{
    QWidget *focused = focusWidget();
    const SettingsRecord before = settingsRecord();
    emit optionsWanted();
    settingsConfirmed(before);
    if (focused)
        focused->setFocus(Qt::OtherFocusReason);
}

void frmScoreBoard::settingsConfirmed(const SettingsRecord &before)
{
    const SettingsRecord &after = settingsRecord();
    if (after != before)
        m_game.optionsConfirmed(after.HomeText, after.VisitorText);
    applySettings();
    reopenSounds();
    emit settingsApplied();
}

bool frmScoreBoard::eventFilter(QObject *watched, QEvent *event)
{
    const auto field = m_fields.constFind(watched);
    if (field == m_fields.cend())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (isFocusKey(key))
            return false;
        const qint16 code = KeyTranslation::virtualKeyCode(key);
        if (code != KeyTranslation::NoKeyCode)
            fieldKeyDown(*field, code, KeyTranslation::modifierMask(key.modifiers()));
        return true;
    }
    if (event->type() == QEvent::KeyRelease) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (!key.isAutoRepeat())
            AllKeyUp(KeyTranslation::virtualKeyCode(key),
                     KeyTranslation::modifierMask(key.modifiers()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmScoreBoard::keyPressEvent(QKeyEvent *event)
{
    const qint16 code = KeyTranslation::virtualKeyCode(*event);
    if (code != KeyTranslation::NoKeyCode)
        AllKeyCode(code, KeyTranslation::modifierMask(event->modifiers()));
}

void frmScoreBoard::keyReleaseEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat())
        AllKeyUp(KeyTranslation::virtualKeyCode(*event),
                 KeyTranslation::modifierMask(event->modifiers()));
}

// The board opens with the game clock field selected.
void frmScoreBoard::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    const auto *focused = qobject_cast<BoardControl *>(focusWidget());
    if (focused && m_fields.contains(focused))
        ObjectSelected(const_cast<BoardControl *>(focused));
}

void frmScoreBoard::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_view.stretch();
    ObjectSelected(nullptr);
    UpdateLabels();
}

// A window manager frames the board only after it is shown, and moves it
// as it does. The names follow the outer size, so they are sized again
// then; and the framed window is brought inside the screen once.
void frmScoreBoard::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (m_view.labelsOutdated())
        UpdateLabels();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (m_framed || frame.isNull())
        return;
    m_framed = true;
    keepOnScreen(frame);
}
