// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/boardview.h"
#include "game/game.h"
#include "settings/settingsrecord.h"

#include <QHash>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class BoardControl;
class Segmora;
class ShapeControl;
class SoundPlayer;

// The scoreboard window. It builds the board's controls, runs the clocks'
// tick and turns keys, fields and clicks into the game's commands; it shows
// the game it owns, which holds the state and the logic.
class frmScoreBoard : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MarkCount = PenaltyMarkCount;

    using GoalLamp = ::GoalLamp;
    using MarkState = ::MarkState;

    // Makes the board's two sound players, buzzer first.
    using PlayerFactory = std::function<std::unique_ptr<SoundPlayer>()>;

    // A game on its own time source, for a test; the system's by default.
    frmScoreBoard(QWidget *parent, const PlayerFactory &makePlayer,
                  const TimeSource &time = modCount::systemTime());
    ~frmScoreBoard() override;

    // The settings record changed as the options dialog changes it (the
    // record was `before`): the game is told, the board takes them up.
    void settingsConfirmed(const SettingsRecord &before);

    const ControlLayer &controlLayer() const { return m_view.layer(); }
    // The layout as last recorded: the reference of every stretch.
    const modStretch::LayoutRecord &layoutRecord() const { return m_view.layout(); }

    // The game the board shows and its keys and fields command.
    Game &game() { return m_game; }
    ClockEngine &engine() { return m_game.engine(); }

    // The marks of the penalty clocks home 1, 2, 3 and visitor 1, 2, 3.
    MarkState PenaltyMark(int index) const { return m_game.mark(index); }
    void setPenaltyMark(int index, MarkState state) { m_game.setMark(index, state); }

    // Every key press reaching the board comes here exactly once, from the
    // focused field's handler or from the window's own.
    void AllKeyCode(qint16 KeyCode, qint16 Shift);
    // Keys pressed and released in another window of ours (BoardKeyRelay):
    // the commands that pass act exactly as they do here; true when the
    // press was the board's, so the window leaves it alone. Releases act as
    // here, so the NumLock policy holds there too.
    bool otherWindowKeyDown(qint16 KeyCode, qint16 Shift);
    void otherWindowKeyUp(qint16 KeyCode, qint16 Shift) { AllKeyUp(KeyCode, Shift); }

    // Frames the field with the highlight; none hides it.
    void ObjectSelected(BoardControl *SelectedObject);
    // The field the highlight frames, if it shows.
    BoardControl *selectedField() const;

    GoalLamp WhoGoal() const { return m_game.lamp(); }
    // Lights the team's lamp with a point for the team, or puts it out.
    void HomeLamp();
    void VisitorLamp();
    // A click on a penalty clock's red or green mark.
    void ClickMark(int index, bool green);

    void Penalty();
    void UpdateFormColors();
    void UpdateLabels();
    // Imposes the NumLock policy of the settings on the keyboard.
    void UpdateNumLock();
    void AllKeyUp(qint16 KeyCode, qint16 Shift);
    // Sound the buzzer and the horn, when the game asks for them.
    void Buzzer();
    void Horn();
    // True from the start of either sound until a player reports its end:
    // one sound at a time, and a request meanwhile is dropped.
    bool BuzzerPlaying() const { return m_buzzerPlaying; }

    // The handler of the tick: every 100 ms, on the steady clock's whole
    // tenths, where every running clock's figures change and its zero comes.
    void ClockTick();

signals:
    // The windows F1, F2, F3 and F6 open, and F5's audience display. The
    // options and displays dialogs are modal: their requests return when
    // the dialog has closed.
    void helpWanted();
    void optionsWanted();
    void recordWanted();
    void audienceToggleWanted();
    void displaysWanted();
    // F7: the Match window.
    void matchWanted();
    // The day's next match on this field, loaded and begun.
    void nextMatchWanted();
    // Emitted when an alarm is asked for, whether or not a sound plays.
    void buzzerRequested();
    void hornRequested();
    // The operator closed the board: the program ends.
    void closing();
    // The board took up the settings again after the options dialog.
    void settingsApplied();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    // Keeps the tick on the steady clock's whole tenths.
    void keepTickInStep();

    void load();
    // The settings as they now are on the view and the keyboard.
    void applySettings();
    // Keeps the framed window inside its screen's available area.
    void keepOnScreen(const QMargins &frame);
    void connectGame();
    // The figures of the field that has the board's focus, if it has any.
    std::optional<FigureRowId> selectedRow() const;
    void connectFields();
    void fieldKeyDown(FieldId field, qint16 KeyCode, qint16 Shift);
    void openOptions();
    std::array<std::pair<SoundPlayer *, QString>, 2> soundFiles() const;
    void openSounds();
    void reopenSounds();
    void closeSounds();
    void playOn(SoundPlayer &player);
    void soundFinished(SoundPlayer &player);
    const ScoreBoardControls &controls() const { return m_view.controls(); }

    Game m_game;
    BoardView m_view{*this, m_game};
    QTimer m_tick;
    bool m_tickRealigned = false;
    QHash<const QObject *, FieldId> m_fields;
    std::unique_ptr<SoundPlayer> mmcBuzzer;
    std::unique_ptr<SoundPlayer> mmcHorn;
    bool m_buzzerPlaying = false;
    bool m_shownOnce = false;
    bool m_framed = false;
};
