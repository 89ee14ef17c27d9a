// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/soundplayer.h"
#include "timing/clockengine.h"
#include "timing/digitset.h"
#include "timing/modcount.h"
#include "timing/timesource.h"

#include <QDataStream>
#include <QIODevice>
#include <QLocale>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <vector>

// Stand-ins for the program's seams, and sound files made to measure.
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
    QString timeText(const QTime &time) const override
    {
        return QLocale::c().toString(time, format);
    }
    bool usesTwelveHourClock() const override { return twelveHour; }

    void advanceMs(qint64 ms)
    {
        const qint64 total = steady.seconds * 1000 + steady.millis + ms;
        steady = {total / 1000, int(total % 1000)};
        wall = wall.addMSecs(ms);
    }
};

// Captions as text from the highest index down, blanks as "_": "_5" is 5.
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
    QString text() const
    {
        QString result;
        for (auto it = m_captions.rbegin(); it != m_captions.rend(); ++it)
            result += *it < 0 ? QStringLiteral("_") : QString::number(*it);
        return result;
    }

private:
    QString m_name;
    std::vector<int> m_captions;
};

struct FakeColon : ColonDots
{
    std::array<bool, 2> lit{false, false};
    void setDotLit(int index, bool on) override { lit.at(size_t(index)) = on; }
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
    QStringList horns; // whether the game clock ran when each sounded
    const modCount::Counts *counts;

    explicit FakeBoard(const modCount::Counts &clocks)
        : counts(&clocks)
    {
        for (int slot = 0; slot <= 6; ++slot)
            penalties.emplace_back(QStringLiteral("pledPenalty%1").arg(slot), 3);
    }

    DigitSet &gameDigits() override { return game; }
    ColonDots &gameColon() override { return gameColonDots; }
    DigitSet &shotDigits() override { return shot; }
    ColonDots &shotColon() override { return shotColonDots; }
    DigitSet &penaltyDigits(qint16 slot) override { return penalties.at(size_t(slot)); }
    void Buzzer() override { ++buzzers; }
    void Horn() override { horns << (modCount::IsCounting(*counts, 0) ? "running" : "stopped"); }
    void Penalty() override { }
    void UpdatePenaltyColonColors() override { }

    // Figures left to right around the dots: "20:00", "_5:07", "45.3_".
    static QString clockText(const FakeDigits &digits, const FakeColon &colon)
    {
        QString figures = digits.text();
        std::reverse(figures.begin(), figures.end());
        const QString dots = colon.lit[0] && colon.lit[1] ? ":" : colon.lit[1] ? "." : " ";
        return figures.left(2) + dots + figures.mid(2);
    }
    QString gameText() const { return clockText(game, gameColonDots); }
    QString shotText() const { return clockText(shot, shotColonDots); }
};

// A player that records its commands and plays until end() or close(),
// reporting each end once, as a real one must.
class FakePlayer : public SoundPlayer
{
public:
    QString name;
    QStringList commands;

    QString fileName() const override { return name; }
    void setFileName(const QString &fileName) override { name = fileName; }
    void open() override { commands << QStringLiteral("Open"); }
    void play() override { commands << QStringLiteral("Play"), m_playing = true; }
    void stop() override { commands << QStringLiteral("Stop"); }
    void prev() override { commands << QStringLiteral("Prev"); }
    void close() override { commands << QStringLiteral("Close"), end(); }
    void end()
    {
        if (std::exchange(m_playing, false))
            emit finished();
    }

private:
    bool m_playing = false;
};

// What a board is given to make its two players, buzzer first.
struct FakePlayers
{
    // For a board whose sounds no test looks at.
    static std::function<std::unique_ptr<SoundPlayer>()> unheard()
    {
        return [] {
            return std::unique_ptr<SoundPlayer>(std::make_unique<FakePlayer>());
        };
    }

    FakePlayer *buzzer = nullptr;
    FakePlayer *horn = nullptr;

    std::function<std::unique_ptr<SoundPlayer>()> factory()
    {
        buzzer = horn = nullptr;
        return [this] {
            auto player = std::make_unique<FakePlayer>();
            (buzzer ? horn : buzzer) = player.get();
            return std::unique_ptr<SoundPlayer>(std::move(player));
        };
    }
};

// A RIFF chunk whose size field says `claimed` bytes when given, padded to
// an even length.
inline QByteArray riffChunk(const char *id, const QByteArray &body, qint64 claimed = -1)
{
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(quint32(claimed < 0 ? body.size() : claimed), size.data());
    return QByteArray(id, 4) + size + body + QByteArray(body.size() % 2, '\0');
}

// A 16-bit PCM WAV holding `ms` of silence; `before` goes ahead of its data.
inline QByteArray wavBytes(int rate, int channels, int ms, qint64 claimed = -1,
                           const QByteArray &before = {})
{
    QByteArray format;
    QDataStream out(&format, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(1) << quint16(channels) << quint32(rate) << quint32(rate * channels * 2)
        << quint16(channels * 2) << quint16(16);
    const QByteArray data(qsizetype(rate) * channels * 2 * ms / 1000, '\0');
    return riffChunk(
        "RIFF", "WAVE" + riffChunk("fmt ", format) + before + riffChunk("data", data, claimed));
}
