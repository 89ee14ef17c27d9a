#pragma once

#include "board/controllayer.h"
#include "board/widgetdigits.h"
#include "timing/clockengine.h"

#include <QTimer>
#include <QWidget>

#include <array>

class LabelControl;
class PictureBox;
class Segmora;
class ShapeControl;

// The scoreboard window. It builds the board's controls, runs the clocks'
// tick and offers the clock commands that keys and fields call; the logic
// lives in the clock engine and the modules.
class frmScoreBoard : public QWidget, private ClockBoard
{
    Q_OBJECT

public:
    static constexpr int MarkCount = 6;

    explicit frmScoreBoard(QWidget *parent = nullptr);

    const ControlLayer &controlLayer() const { return m_layer; }

    bool ClockTime() const { return m_engine.clockTime(); }
    // 0 no mark, 1 red, 2 green, for the penalty clocks home 1, 2, 3 and
    // visitor 1, 2, 3.
    qint16 PenaltyMark(int index) const { return m_penaltyMark[size_t(index)]; }
    void setPenaltyMark(int index, qint16 state);

    void StartStopClock() { m_engine.startStopClock(); }
    void ResetClock() { m_engine.resetClock(); }
    void StartStopShot() { m_engine.startStopShot(); }
    void ResetShot() { m_engine.resetShot(); }
    void SwitchClockTime() { m_engine.switchClockTime(); }
    void StartStopPenalty(qint16 slot) { m_engine.startStopPenalty(slot); }
    void EnterGameTime(ClockValue value) { m_engine.enterGameTime(value); }
    void EnterShotTime(ClockValue value) { m_engine.enterShotTime(value); }
    void EnterPenaltyTime(qint16 slot, ClockValue value) { m_engine.enterPenaltyTime(slot, value); }
    // Blanks the penalty clock on count slot `ClockNum` and zeroes the slot.
    void ClearPenalty(qint16 ClockNum) { m_engine.clearPenalty(ClockNum); }

    void Penalty() override;
    void UpdatePenaltyColonColors() override;
    void UpdateFormColors();
    void UpdateLabels();
    // Imposes the NumLock policy of the settings on the keyboard.
    void UpdateNumLock();
    void AllKeyUp(qint16 KeyCode, qint16 Shift);
    void Buzzer() override;
    void Horn() override;

    // The handler of the 100 ms tick.
    void ClockTick() { m_engine.tick(); }
    bool tickActive() const { return m_tick.isActive(); }

    DigitSet &gameDigits() override { return m_gameDigits; }
    DigitSet &shotDigits() override { return m_shotDigits; }
    DigitSet &penaltyDigits(qint16 slot) override;
    DigitSet &scoreDigits(bool home) { return home ? m_homeDigits : m_visitorDigits; }

signals:
    // Emitted when an alarm is asked for, whether or not a sound plays.
    void buzzerRequested();
    void hornRequested();

protected:
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    ColonDots &gameColon() override { return m_gameColon; }
    ColonDots &shotColon() override { return m_shotColon; }
    void enableTick() override;

    void load();
    void connectDigits();
    QList<Segmora *> figures(const QString &name) const;
    ShapeControl *shape(const QString &name, int index) const;
    void UpdateGoal();

    ControlLayer m_layer;
    ClockEngine m_engine;
    QTimer m_tick;
    SegmoraDigits m_gameDigits;
    SegmoraDigits m_shotDigits;
    SegmoraDigits m_homeDigits;
    SegmoraDigits m_visitorDigits;
    std::array<SegmoraDigits, 7> m_penaltyDigits;
    ShapeColon m_gameColon;
    ShapeColon m_shotColon;
    std::array<qint16, 7> m_penaltyMark{};
    qint16 m_whoGoal = 0;
};
