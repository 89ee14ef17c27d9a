// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/boardlayout.h"
#include "board/controllayer.h"
#include "board/modstretch.h"
#include "game/game.h"

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

    // The windows F1, F2 and F3 open; each is given the board as its
    // parent. The options dialog is modal: runOptions returns when it has
    // closed.
    struct Windows
    {
        std::function<void(QWidget *)> showHelp;
        std::function<void(QWidget *)> runOptions;
        std::function<void(QWidget *)> showRecord;
    };

    // Makes the board's two sound players; none given means players on the
    // platform's audio.
    using PlayerFactory = std::function<std::unique_ptr<SoundPlayer>()>;

    explicit frmScoreBoard(QWidget *parent = nullptr, const PlayerFactory &makePlayer = {});
    ~frmScoreBoard() override;

    void setWindows(Windows windows) { m_windows = std::move(windows); }

    const ControlLayer &controlLayer() const { return m_layer; }
    // The layout as last recorded: the reference of every stretch.
    const modStretch::LayoutRecord &layoutRecord() const { return m_layout; }

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
    void UpdatePenaltyColonColors();
    void UpdateFormColors();
    void UpdateLabels();
    // A font size that grows with the window: the base at an outer size of
    // 9600 x 7200 twips, following the smaller of width / 4 and height / 3.
    double RSize(qint16 baseSize) const;
    // Imposes the NumLock policy of the settings on the keyboard.
    void UpdateNumLock();
    void AllKeyUp(qint16 KeyCode, qint16 Shift);
    // Sound the buzzer and the horn, when the game asks for them.
    void Buzzer();
    void Horn();
    // True from the start of either sound until a player reports its end:
    // one sound at a time, and a request meanwhile is dropped.
    bool BuzzerPlaying() const { return m_buzzerPlaying; }

    // The handler of the 100 ms tick.
    void ClockTick() { m_game.tick(); }
    bool tickActive() const { return m_tick.isActive(); }

signals:
    // Emitted when an alarm is asked for, whether or not a sound plays.
    void buzzerRequested();
    void hornRequested();
    // The operator closed the board: the program ends.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void enableTick();

    enum class FieldKind { GameClock, ShotClock, HomeScore, VisitorScore, Goal, Penalty };
    struct Field
    {
        FieldKind kind;
        qint16 slot;
    };

    void load();
    // Keeps the framed window inside its screen's available area.
    void keepOnScreen(const QMargins &frame);
    void connectGame();
    void showFigure(FigureRowId row, int index, int caption);
    void showColonDot(FigureRowId clock, int dot, bool lit);
    void connectFields();
    void fieldKeyDown(const Field &field, qint16 KeyCode, qint16 Shift);
    void penaltyKeyDown(qint16 slot, qint16 KeyCode, qint16 Shift);
    void goalKeyDown(qint16 KeyCode);
    void openHelp();
    void openOptions();
    std::array<std::pair<SoundPlayer *, QString>, 2> soundFiles() const;
    void openSounds();
    void reopenSounds();
    void closeSounds();
    void playOn(SoundPlayer &player);
    void soundFinished(SoundPlayer &player);
    // The penalty clock that runs on count slot 1 to 6.
    const NumberBox &penaltyClock(qint16 slot) const;
    void UpdateGoal();

    ControlLayer m_layer;
    ScoreBoardControls m_controls;
    modStretch::LayoutRecord m_layout;
    Game m_game;
    QTimer m_tick;
    // The figures and colon dots that show each of the game's rows.
    std::array<QList<Segmora *>, FigureRowCount> m_figures;
    QHash<const QObject *, Field> m_fields;
    Windows m_windows;
    std::unique_ptr<SoundPlayer> mmcBuzzer;
    std::unique_ptr<SoundPlayer> mmcHorn;
    bool m_buzzerPlaying = false;
    bool m_shownOnce = false;
    bool m_framed = false;
    // The outer size the names were last sized for, in twips.
    QSize m_labelsOuter;
};
