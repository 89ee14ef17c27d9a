// SPDX-License-Identifier: GPL-3.0-or-later
#include "audience/intermissionpanel.h"

#include "board/modcolor.h"
#include "board/segmora.h"
#include "event/eventday.h"
#include "event/standings.h"
#include "game/game.h"
#include "settings/settingsrecord.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Where each line of words stands, as shares of the panel's height: its
// top and its height.
struct Row
{
    double top;
    double height;
};

constexpr Row LastCaptionRow{0.03, 0.05};
constexpr Row LastRow{0.08, 0.09};
constexpr Row NextCaptionRow{0.21, 0.05};
constexpr Row TeamsRow{0.26, 0.13};
constexpr Row WhereRow{0.40, 0.07};
constexpr Row StartsInRow{0.53, 0.06};
constexpr Row StandingsRow{0.03, 0.94};
// The words never come nearer the panel's sides than this share of its width.
constexpr double WordsWidthShare = 0.94;
// Between two figures, and a colon's room, as shares of a figure's width.
constexpr double FigureGapShare = 0.12;
constexpr double ColonShare = 0.45;

// The largest pixel size at most `height` tall at which `text` fits `width`.
int fittingPixelSize(const QLabel &label, const QString &text, int height, int width)
{
    QFont font = label.font();
    int size = std::max(1, int(height * 0.8));
    font.setPixelSize(size);
    const int advance = QFontMetrics(font).horizontalAdvance(text);
    if (advance > width && advance > 0)
        size = std::max(1, size * width / advance);
    return size;
}

QString score(const ScheduledMatch &m)
{
    const QString line = IntermissionPanel::tr("%1  %2 \u2013 %3  %4")
                             .arg(m.home, QString::number(m.result.home),
                                  QString::number(m.result.visitor), m.visitor);
    return m.state == ScheduledState::Forfeit ? IntermissionPanel::tr("%1, forfeit").arg(line)
                                              : line;
}

QString where(const ScheduledMatch &m, const QDate &today)
{
    QStringList parts;
    if (!m.field.isEmpty())
        parts << IntermissionPanel::tr("Field %1").arg(m.field);
    if (!m.group.isEmpty())
        parts << m.group;
    // As the day's list writes a start; the day only when it is not today.
    parts << m.start.toString(m.start.date() == today ? QStringLiteral("HH:mm")
                                                      : QStringLiteral("ddd HH:mm"));
    return parts.join(QStringLiteral("  \u00b7  "));
}

// One line of the table: the team's name to the left, figures to the right.
QString tableLine(const QStringList &cells)
{
    constexpr int TeamColumn = 1;
    QString html = QStringLiteral("<tr>");
    for (int i = 0; i < cells.size(); ++i)
        html += QStringLiteral("<td align=%1>%2</td>")
                    .arg(i == TeamColumn ? QStringLiteral("left") : QStringLiteral("right"),
                         cells.at(i).toHtmlEscaped());
    return html + QStringLiteral("</tr>");
}

// The group's table in type of `pixels`, the columns set apart by a
// quarter of it.
QString standingsHtml(const Standings::Group &group, int pixels)
{
    const QString title = group.name.isEmpty()
        ? IntermissionPanel::tr("Standings")
        : IntermissionPanel::tr("Standings \u00b7 %1").arg(group.name);
    QString html = QStringLiteral("<table style=\"font-size:%1px\" cellspacing=0 cellpadding=%2>"
                                  "<tr><th colspan=8 align=left>%3</th></tr>")
                       .arg(QString::number(pixels), QString::number(std::max(1, pixels / 4)),
                            title.toHtmlEscaped());
    html += tableLine({QString(), IntermissionPanel::tr("Team"), IntermissionPanel::tr("P"),
                       IntermissionPanel::tr("W"), IntermissionPanel::tr("D"),
                       IntermissionPanel::tr("L"), IntermissionPanel::tr("+/\u2013"),
                       IntermissionPanel::tr("Pts")});
    for (const Standings::Row &row : group.rows) {
        html += tableLine({QString::number(row.place), row.team, QString::number(row.played),
                           QString::number(row.won), QString::number(row.drawn),
                           QString::number(row.lost), QString::number(row.difference()),
                           QString::number(row.leaguePoints)});
    }
    return html + QStringLiteral("</table>");
}

// Whether the words differ, and not just the countdown's figures: its
// caption reads otherwise once the match is due.
bool wordsDiffer(const IntermissionScreen &a, const IntermissionScreen &b)
{
    const auto caption = [](const IntermissionScreen &s) {
        return s.countdown ? (*s.countdown == 0 ? 1 : 2) : 0;
    };
    return a.last != b.last || a.next != b.next || a.standings != b.standings ||
        a.group != b.group || caption(a) != caption(b);
}

} // namespace

IntermissionPanel::IntermissionPanel(const EventDay &event, const Game &game, QWidget &window)
    : QWidget(&window)
    , m_event(event)
    , m_game(game)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    m_words = {addLabel(), addLabel(), addLabel(), addLabel(), addLabel(), addLabel(), addLabel()};
    m_words.standings->setTextFormat(Qt::RichText);
    m_words.lastCaption->setText(tr("Last result"));
    m_words.nextCaption->setText(tr("Next match"));
    for (int i = 0; i < FigureCount; ++i) {
        m_figures[size_t(i)] = new Segmora(QStringLiteral("Countdown"), i, this);
        m_figures[size_t(i)]->setFocusPolicy(Qt::NoFocus);
    }
    m_second.setSingleShot(true);
    m_second.setTimerType(Qt::PreciseTimer);
    connect(&m_second, &QTimer::timeout, this, &IntermissionPanel::refresh);
    // A change of the day may change the standings shown, which the
    // screen's comparison does not see.
    connect(&event, &EventDay::changed, this, [this] {
        m_stale = true;
        m_tableGroup = -1;
        refresh();
    });
    connect(&game, &Game::changed, this, &IntermissionPanel::refresh);
    applySettings();
    hide();
    refresh();
}

QLabel *IntermissionPanel::addLabel()
{
    auto *label = new QLabel(this);
    label->setAlignment(Qt::AlignCenter);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

void IntermissionPanel::applySettings()
{
    const SettingsRecord &settings = settingsRecord();
    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(settings.FormBack));
    colours.setColor(QPalette::WindowText, toQColor(settings.BorderColor));
    setPalette(colours);
    for (Segmora *figure : m_figures) {
        modColor::ColorLedSet(figure, settings.TimeColor);
        figure->setLedType(Segmora::ledStyleFor(settings.LEDType));
    }
    update();
}

void IntermissionPanel::refresh()
{
    const bool between = m_event.betweenMatches(m_game.snapshot());
    if (between != m_betweenMatches) {
        m_betweenMatches = between;
        m_stale = true;
        setVisible(between);
        if (between)
            raise();
    }
    if (!between) {
        m_second.stop();
        return;
    }
    const IntermissionScreen screen =
        Intermission::at(m_event.schedule(), QDateTime::currentDateTime());
    // Most seconds change the countdown's figures alone: the words are
    // not fitted and placed again for those.
    const bool words = m_stale || wordsDiffer(screen, m_screen);
    const bool figures = screen.countdown != m_screen.countdown;
    m_screen = screen;
    m_stale = false;
    if (words)
        showScreen();
    else if (figures)
        showCountdown();
    tickAtNextSecond();
}

// Just after the wall clock's next whole second, so that the countdown
// turns with the clocks the crowd wears.
void IntermissionPanel::tickAtNextSecond()
{
    const int ms = QTime::currentTime().msec();
    m_second.start(1000 - ms + 5);
}

void IntermissionPanel::showScreen()
{
    const IntermissionScreen &s = m_screen;
    const bool day = !s.standings;
    m_words.lastCaption->setVisible(day && s.last);
    m_words.last->setVisible(day && s.last);
    m_words.last->setText(s.last ? score(*s.last) : QString());
    m_words.nextCaption->setVisible(day && s.next);
    m_words.teams->setVisible(day);
    m_words.teams->setText(s.next ? tr("%1 \u2013 %2").arg(s.next->home, s.next->visitor)
                                  : tr("The day's matches on this field are all played."));
    m_words.where->setVisible(day && s.next);
    m_words.where->setText(s.next ? where(*s.next, QDate::currentDate()) : QString());
    m_words.startsIn->setVisible(day && s.countdown);
    m_words.startsIn->setText(s.countdown == 0 ? tr("Due to start") : tr("Starts in"));
    m_words.standings->setVisible(s.standings);
    showCountdown();
    placeWords();
}

void IntermissionPanel::showCountdown()
{
    const bool shown = !m_screen.standings && m_screen.countdown;
    const QString text = shown ? Intermission::countdownText(*m_screen.countdown) : QString();
    QList<int> colons;
    int count = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char(':')) {
            colons.append(count - 1);
            continue;
        }
        if (count < FigureCount)
            m_figures[size_t(count++)]->setCaption(c.isDigit() ? c.digitValue()
                                                               : Segmora::BlankCaption);
    }
    for (int i = 0; i < FigureCount; ++i)
        m_figures[size_t(i)]->setVisible(i < count);
    if (colons != m_colonsAfter || count != m_shownFigures) {
        m_colonsAfter = colons;
        m_shownFigures = count;
        placeFigures();
    }
}

void IntermissionPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeWords();
    placeFigures();
}

void IntermissionPanel::placeWords()
{
    const int w = width();
    const int h = height();
    const int textWidth = int(w * WordsWidthShare);
    const struct
    {
        QLabel *label;
        Row row;
    } rows[] = {{m_words.lastCaption, LastCaptionRow},
                {m_words.last, LastRow},
                {m_words.nextCaption, NextCaptionRow},
                {m_words.teams, TeamsRow},
                {m_words.where, WhereRow},
                {m_words.startsIn, StartsInRow}};
    for (const auto &line : rows) {
        const int top = int(line.row.top * h);
        const int height = int(line.row.height * h);
        QFont font = line.label->font();
        font.setPixelSize(fittingPixelSize(*line.label, line.label->text(), height, textWidth));
        line.label->setFont(font);
        line.label->setGeometry((w - textWidth) / 2, top, textWidth, height);
    }
    QLabel *table = m_words.standings;
    // The table is built afresh only when its group, the day or the size
    // changed, not at every second of the countdown under it.
    if (m_screen.standings && (m_tableGroup != m_screen.group || m_tableHeight != h)) {
        m_tableGroup = m_screen.group;
        m_tableHeight = h;
        const QList<Standings::Group> groups = Standings::compute(m_event.schedule());
        const Standings::Group group =
            groups.isEmpty() ? Standings::Group{} : groups.at(m_screen.group % groups.size());
        // The title, the columns' names and a line a team.
        const double lines = 2 + double(group.rows.size());
        const int pixels =
            std::clamp(int(StandingsRow.height * h / lines * 0.55), 1, int(h * 0.07));
        table->setText(standingsHtml(group, pixels));
    }
    // A label's document does not centre its table: the label takes the
    // table's width.
    const int tableWidth = std::min(textWidth, table->sizeHint().width());
    table->setGeometry((w - tableWidth) / 2, int(StandingsRow.top * h), tableWidth,
                       int(StandingsRow.height * h));
}

// The figures centred across the panel, as large as their share of the
// height lets them be, smaller where the width runs out.
void IntermissionPanel::placeFigures()
{
    const int count = m_shownFigures;
    if (count == 0)
        return;
    int ledSize = int(FigureShare * height());
    const auto rowWidth = [&](int size) {
        const double figure = Segmora::pixelWidthFor(size);
        return figure * count + figure * FigureGapShare * (count - 1) +
            figure * ColonShare * double(m_colonsAfter.size());
    };
    const double room = width() * WordsWidthShare;
    if (rowWidth(ledSize) > room)
        ledSize = int(ledSize * room / rowWidth(ledSize));
    const double figure = Segmora::pixelWidthFor(ledSize);
    double x = (width() - rowWidth(ledSize)) / 2;
    const int top = int(FigureTop * height());
    for (int i = 0; i < count; ++i) {
        Segmora *segmora = m_figures[size_t(i)];
        segmora->setLedSize(ledSize);
        segmora->move(int(std::lround(x)), top);
        x += figure * (1 + FigureGapShare);
        if (m_colonsAfter.contains(i))
            x += figure * ColonShare;
    }
    update();
}

// The colons' dots, lit as the board's clock colons are.
void IntermissionPanel::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_shownFigures == 0 || m_screen.standings)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(settingsRecord().BorderColor));
    const Segmora *first = m_figures[0];
    const double figure = first->width();
    const double dot = figure * 0.16;
    for (const int after : std::as_const(m_colonsAfter)) {
        const Segmora *left = m_figures[size_t(after)];
        const double centre = left->x() + figure * (1 + FigureGapShare / 2 + ColonShare / 2);
        for (const double share : {0.33, 0.67}) {
            const double y = first->y() + first->height() * share;
            painter.drawEllipse(QPointF(centre, y), dot / 2, dot / 2);
        }
    }
}
