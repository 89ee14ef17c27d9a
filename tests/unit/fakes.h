#pragma once

#include "timing/clockengine.h"
#include "timing/digitset.h"
#include "timing/modcount.h"
#include "timing/timesource.h"

#include <QLocale>
#include <QStringList>

#include <array>
#include <vector>

// A clock the test moves by hand: the steady clock and the wall clock
// advance together unless the wall clock is stepped on its own.
class FakeTimeSource : public TimeSource
{
public:
    SteadyInstant steady{1000, 0};
    QDateTime wall{QDate(2026, 12, 5), QTime(21, 7, 3)};
    QString format = QStringLiteral("HH:mm:ss");
    bool twelveHour = false;

    SteadyInstant steadyNow() const override { return steady; }
    QDateTime wallNow() const override { return wall; }
    QString timeText(const QTime &time) const override { return QLocale::c().toString(time, format); }
    bool usesTwelveHourClock() const override { return twelveHour; }

    void advanceMs(qint64 ms)
    {
        const qint64 total = steady.seconds * 1000 + steady.millis + ms;
        steady = {total / 1000, int(total % 1000)};
        wall = wall.addMSecs(ms);
    }
    void setSteady(qint64 seconds, int millis) { steady = {seconds, millis}; }
};

class FakeDigits : public DigitSet
{
public:
    FakeDigits(QString name, int count, int initial = -1)
        : m_name(std::move(name))
        , m_captions(size_t(count), initial)
    {
    }

    int count() const override { return int(m_captions.size()); }
    int caption(int index) const override { return m_captions.at(size_t(index)); }
    void setCaption(int index, int caption) override { m_captions.at(size_t(index)) = caption; }
    QString name() const override { return m_name; }

    // Captions from the highest index down, blanks as "_": "_5" is 5.
    QString text() const
    {
        QString result;
        for (int i = count() - 1; i >= 0; --i)
            result += caption(i) < 0 ? QStringLiteral("_") : QString::number(caption(i));
        return result;
    }
    // The same from index 0 up, the order clock figures are set in.
    QString leftToRight() const
    {
        QString result;
        for (int i = 0; i < count(); ++i)
            result += caption(i) < 0 ? QStringLiteral("_") : QString::number(caption(i));
        return result;
    }

private:
    QString m_name;
    std::vector<int> m_captions;
};

class FakeColon : public ColonDots
{
public:
    std::array<bool, 2> lit{false, false};
    void setDotLit(int index, bool on) override { lit.at(size_t(index)) = on; }
    // ":" both dots, "." the lower alone, " " none.
    QString text() const { return lit[0] && lit[1] ? QStringLiteral(":") : lit[1] ? QStringLiteral(".") : QStringLiteral(" "); }
};

class FakeBoard : public ClockBoard
{
public:
    FakeDigits game{QStringLiteral("pledTime"), 4};
    FakeDigits shot{QStringLiteral("pledShot"), 4};
    std::vector<FakeDigits> penalties;
    FakeColon gameColonDots;
    FakeColon shotColonDots;
    int buzzers = 0;
    int horns = 0;
    int penaltyPaints = 0;
    int colonPaints = 0;
    int tickEnables = 0;
    QStringList events;

    FakeBoard()
    {
        for (int slot = 0; slot <= 6; ++slot)
            penalties.emplace_back(QStringLiteral("pledPenalty%1").arg(slot), 3);
    }

    DigitSet &gameDigits() override { return game; }
    ColonDots &gameColon() override { return gameColonDots; }
    DigitSet &shotDigits() override { return shot; }
    ColonDots &shotColon() override { return shotColonDots; }
    DigitSet &penaltyDigits(qint16 slot) override { return penalties.at(size_t(slot)); }
    void Buzzer() override { ++buzzers; events << QStringLiteral("buzzer"); }
    void Horn() override
    {
        ++horns;
        events << (modCount::IsCounting(0) ? QStringLiteral("horn, game running")
                                           : QStringLiteral("horn"));
    }
    void Penalty() override { ++penaltyPaints; }
    void UpdatePenaltyColonColors() override { ++colonPaints; }
    void enableTick() override { ++tickEnables; }

    // The game clock as shown, e.g. "20:00", "_5:07", "45.3_".
    QString gameText() const { return clockText(game, gameColonDots); }
    QString shotText() const { return clockText(shot, shotColonDots); }

    static QString clockText(const FakeDigits &digits, const FakeColon &colon)
    {
        const QString figures = digits.leftToRight();
        return figures.left(2) + colon.text() + figures.mid(2);
    }
};
