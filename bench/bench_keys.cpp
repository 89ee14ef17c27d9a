// SPDX-License-Identifier: GPL-3.0-or-later
// Key to screen: from a key event's arrival at the focused field to the end
// of the paint of the first figure that shows its effect, and to the end of
// the window's update that carries that paint. The real board, the real
// system clock and the board's own 100 ms tick, on the offscreen platform.

#include "benchsupport.h"

#include "board/frmscoreboard.h"
#include "board/segmora.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTimer>

#include <functional>
#include <vector>

namespace {

constexpr qint64 GiveUpMs = 3000;

// Catches the paint of a figure whose caption differs from the snapshot
// taken before the key, lets it run, and notes when it ended; the same for
// the window update around it.
class PaintProbe : public QObject
{
public:
    explicit PaintProbe(frmScoreBoard &board)
        : m_board(board)
        , m_figures(Bench::allFigures(board))
    {
        board.installEventFilter(this);
        for (Segmora *figure : m_figures)
            figure->installEventFilter(this);
    }

    void arm()
    {
        m_before.clear();
        for (Segmora *figure : m_figures)
            m_before.insert(figure, figure->caption());
        paintedNs = -1;
        flushedNs = -1;
        m_armed = true;
        clock.start();
    }
    void disarm() { m_armed = false; }
    bool done() const { return flushedNs >= 0; }

    QElapsedTimer clock;
    qint64 paintedNs = -1;
    qint64 flushedNs = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_armed)
            return false;
        if (event->type() == QEvent::UpdateRequest && watched == &m_board) {
            watched->event(event);
            if (paintedNs >= 0 && flushedNs < 0)
                flushedNs = clock.nsecsElapsed();
            return true;
        }
        if (event->type() == QEvent::Paint && paintedNs < 0) {
            auto *figure = static_cast<Segmora *>(watched);
            if (m_before.contains(figure) && m_before.value(figure) != figure->caption()) {
                watched->event(event);
                paintedNs = clock.nsecsElapsed();
                return true;
            }
        }
        return false;
    }

private:
    frmScoreBoard &m_board;
    QList<Segmora *> m_figures;
    QHash<const Segmora *, int> m_before;
    bool m_armed = false;
};

struct Stroke
{
    int key;
    QString text;
};

Stroke strokeFor(QChar c)
{
    if (c == QLatin1Char('.'))
        return {Qt::Key_Period, QStringLiteral(".")};
    if (c == QLatin1Char('\n'))
        return {Qt::Key_Return, QStringLiteral("\r")};
    if (c == QChar(0x7f))
        return {Qt::Key_Delete, QStringLiteral("\x7f")};
    if (c.isDigit())
        return {Qt::Key_0 + c.digitValue(), QString(c)};
    return {Qt::Key_A + (c.toLower().unicode() - 'a'), QString(c)};
}

class KeyBench
{
public:
    KeyBench()
        : m_board(nullptr, Bench::silentPlayers())
        , m_probe(m_board)
    {
        m_board.show();
        QApplication::setActiveWindow(&m_board);
        settle();
    }

    struct Case
    {
        QString name;
        const char *field;
        std::function<QString(int)> before; // untimed keys, by sample number
        QChar key;
        QString after; // untimed keys once measured
        int samples;
        // Keys whose effect the tick shows come at a random moment of the
        // tick's period, as an operator's do, not just after a tick.
        bool anyPhase = false;
    };

    void run(const Case &c)
    {
        std::vector<double> painted;
        std::vector<double> flushed;
        int missed = 0;
        for (int i = 0; i < c.samples; ++i) {
            focus(c.field);
            type(c.before(i));
            if (c.anyPhase)
                idle(int(m_random.bounded(100)));
            if (!timedKey(c.key)) {
                ++missed;
            } else {
                painted.push_back(double(m_probe.paintedNs) / 1e6);
                flushed.push_back(double(m_probe.flushedNs) / 1e6);
            }
            type(c.after);
        }
        report(c, painted, flushed, missed);
    }

private:
    void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    void idle(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    void focus(const char *field)
    {
        QWidget *box = m_board.controlLayer().find(QLatin1String(field));
        if (QApplication::focusWidget() != box)
            box->setFocus(Qt::OtherFocusReason);
        settle();
    }
    void send(QEvent::Type type, const Stroke &stroke)
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &m_board;
        QKeyEvent event(type, stroke.key, Qt::NoModifier, stroke.text);
        QCoreApplication::sendEvent(target, &event);
    }
    void type(const QString &keys)
    {
        for (QChar c : keys) {
            send(QEvent::KeyPress, strokeFor(c));
            send(QEvent::KeyRelease, strokeFor(c));
        }
        settle();
    }
    bool timedKey(QChar key)
    {
        const Stroke stroke = strokeFor(key);
        m_probe.arm();
        send(QEvent::KeyPress, stroke);
        while (!m_probe.done() && m_probe.clock.elapsed() < GiveUpMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        m_probe.disarm();
        send(QEvent::KeyRelease, stroke);
        return m_probe.done();
    }
    static void report(const Case &c, const std::vector<double> &painted,
                       const std::vector<double> &flushed, int missed)
    {
        using Bench::number;
        using Bench::percentile;
        QString figure =
            QStringLiteral("figure painted: median %1 ms, p99 %2 ms, max %3 ms; "
                           "window updated: median %4 ms, p99 %5 ms")
                .arg(number(percentile(painted, 0.5), 3), number(percentile(painted, 0.99), 3),
                     number(percentile(painted, 1.0), 3), number(percentile(flushed, 0.5), 3),
                     number(percentile(flushed, 0.99), 3));
        if (missed > 0)
            figure +=
                QStringLiteral("; %1 keys showed nothing within %2 ms").arg(missed).arg(GiveUpMs);
        Bench::row(QStringLiteral("Key to screen"),
                   QStringLiteral("%1, %2 keys, offscreen").arg(c.name).arg(painted.size()), figure,
                   QStringLiteral("p99 < 16 ms"));
    }

    frmScoreBoard m_board;
    PaintProbe m_probe;
    QRandomGenerator m_random{20260509};
};

} // namespace

int main(int argc, char *argv[])
{
    Bench::drawOffscreenByDefault();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int samples = Bench::intArgument(arguments, QStringLiteral("--samples"), 1000);

    resetSettingsRecord();
    KeyBench bench;
    const auto alternate = [](const char *even, const char *odd) {
        return [even, odd](int i) {
            return QLatin1String(i % 2 ? odd : even);
        };
    };
    const QList<KeyBench::Case> cases = {
        {QStringLiteral("Enter after a typed game time"),
         "TimeBack",
         alternate("12", "13"),
         QLatin1Char('\n'),
         {},
         samples},
        {QStringLiteral("Enter after a typed penalty time"),
         "PenaltyTH1",
         alternate("1.30", "1.40"),
         QLatin1Char('\n'),
         {},
         samples},
        {QStringLiteral("Digit and Enter into a score"),
         "HomeBack",
         alternate("7", "8"),
         QLatin1Char('\n'),
         {},
         samples},
        {QStringLiteral("Delete clears a penalty"),
         "PenaltyTV1",
         alternate("2\n", "3\n"),
         QChar(0x7f),
         {},
         samples},
        {QStringLiteral("X resets a typed shot time of 1:30"),
         "ShotClockBack",
         alternate("1.30\n", "1.30\n"),
         QLatin1Char('x'),
         {},
         samples / 2,
         true},
        {QStringLiteral("C switches between game clock and time of day"),
         "TimeBack",
         alternate("", ""),
         QLatin1Char('c'),
         {},
         samples / 2,
         true},
        {QStringLiteral("S starts a game clock typed at 30.5 (first tenth shown)"), "TimeBack",
         alternate("0.305\n", "0.305\n"), QLatin1Char('s'), QStringLiteral("s"), samples / 5, true},
        {QStringLiteral("Z starts a shot clock typed at 30.1 (first change shown)"),
         "ShotClockBack", alternate("0.301\n", "0.301\n"), QLatin1Char('z'), QStringLiteral("z"),
         samples / 5, true},
    };
    for (const KeyBench::Case &c : cases)
        bench.run(c);
    return 0;
}
