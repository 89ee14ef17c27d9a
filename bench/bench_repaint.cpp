// SPDX-License-Identifier: GPL-3.0-or-later
// Repainted area against the area of the figures that really changed, per
// second of play, on the real board under the offscreen platform with a
// clock moved 100 ms per tick by hand.

#include "benchsupport.h"

#include "board/frmscoreboard.h"
#include "board/segmora.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QApplication>
#include <QPaintEvent>

#include <ctime>
#include <map>

namespace {

constexpr int TicksPerSecond = 10;

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Sums the rectangles of every paint event the board's widgets receive.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget &board)
    {
        board.installEventFilter(this);
        for (QWidget *child : board.findChildren<QWidget *>())
            child->installEventFilter(this);
    }

    double area = 0;
    qint64 events = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            const QRect rect = static_cast<QPaintEvent *>(event)->rect();
            area += double(rect.width()) * rect.height();
            ++events;
        }
        return false;
    }
};

enum class Play { RunningAboveMinute, RunningTenths, Stopped };

QString playName(Play play)
{
    switch (play) {
    case Play::RunningAboveMinute:
        return QStringLiteral("8 clocks running, game 20:00 down");
    case Play::RunningTenths:
        return QStringLiteral("8 clocks running, game 59.9 down (tenths)");
    case Play::Stopped:
        return QStringLiteral("all clocks stopped");
    }
    return {};
}

struct Result
{
    double paintedPerSecond = 0;
    double changedPerSecond = 0;
    double paintsPerSecond = 0;
    double cpuPerTickMs = 0;
};

void startClocks(frmScoreBoard &board, Play play)
{
    if (play == Play::RunningTenths)
        board.engine().enterGameTime(ClockValue::fromTenths(599));
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        board.engine().enterPenaltyTime(slot, ClockValue::fromSeconds(599));
    if (play == Play::Stopped)
        return;
    // The shot clock first: starting it pauses the penalty clocks.
    board.engine().startStopShot();
    board.engine().startStopClock();
}

Result measure(const QSize &size, Play play, int ticks)
{
    Bench::SteppedTime time;
    resetSettingsRecord();
    frmScoreBoard board(nullptr, Bench::silentPlayers(), time);
    board.resize(size);
    board.show();
    QCoreApplication::processEvents();
    startClocks(board, play);

    const QList<Segmora *> figures = Bench::allFigures(board);
    const auto step = [&] {
        time.advanceMs(100);
        board.ClockTick();
        QCoreApplication::processEvents();
    };
    for (int i = 0; i < 2 * TicksPerSecond; ++i)
        step();

    PaintCounter counter(board);
    double changed = 0;
    const double cpuStart = threadCpuSeconds();
    for (int i = 0; i < ticks; ++i) {
        std::vector<int> before;
        for (const Segmora *figure : figures)
            before.push_back(figure->caption());
        step();
        for (int f = 0; f < figures.size(); ++f) {
            if (figures[f]->caption() != before[size_t(f)])
                changed += double(figures[f]->width()) * figures[f]->height();
        }
    }
    const double cpu = threadCpuSeconds() - cpuStart;
    const double seconds = double(ticks) / TicksPerSecond;
    if (board.size() != size)
        qWarning("board is %dx%d, not %dx%d", board.width(), board.height(), size.width(),
                 size.height());
    return {counter.area / seconds, changed / seconds, double(counter.events) / seconds,
            cpu * 1000 / ticks};
}

QString megapixels(double pixels)
{
    return Bench::number(pixels / 1e6, 3) + QStringLiteral(" Mpx/s");
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::drawOffscreenByDefault();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int ticks = Bench::intArgument(arguments, QStringLiteral("--ticks"), 600);

    for (const QSize size : {QSize(640, 480), QSize(1920, 1080), QSize(3840, 2160)}) {
        for (const Play play : {Play::RunningAboveMinute, Play::RunningTenths, Play::Stopped}) {
            const Result r = measure(size, play, ticks);
            const QString conditions = QStringLiteral("%1x%2, %3, %4 ticks, offscreen")
                                           .arg(size.width())
                                           .arg(size.height())
                                           .arg(playName(play))
                                           .arg(ticks);
            const double ratio =
                r.changedPerSecond > 0 ? r.paintedPerSecond / r.changedPerSecond : 0;
            Bench::row(QStringLiteral("Repainted area per second"), conditions,
                       QStringLiteral("%1 painted, %2 in changed figures (%3x); %4 paint events/s; "
                                      "%5 ms CPU per tick")
                           .arg(megapixels(r.paintedPerSecond), megapixels(r.changedPerSecond))
                           .arg(ratio > 0 ? Bench::number(ratio, 2) : QStringLiteral("-"))
                           .arg(Bench::number(r.paintsPerSecond, 1))
                           .arg(Bench::number(r.cpuPerTickMs, 3)),
                       QStringLiteral("painted = changed"));
        }
    }
    return 0;
}
