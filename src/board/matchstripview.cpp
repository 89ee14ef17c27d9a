// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/matchstripview.h"

#include "board/labelcontrol.h"
#include "board/picturebox.h"
#include "game/game.h"
#include "game/matchstrip.h"
#include "settings/settingsrecord.h"

#include <algorithm>

namespace {

const QString PartSeparator = QStringLiteral(" \u00B7 ");

// The words fill at most this much of the band's height and width.
constexpr double HeightFill = 0.6;
constexpr double WidthFill = 0.96;

} // namespace

MatchStripView::MatchStripView(QWidget &window, const Game &game)
    : m_window(window)
    , m_game(game)
    , m_band(new PictureBox(QStringLiteral("picMatchStrip"), -1, &window))
    , m_words(new LabelControl(QStringLiteral("lblMatchStrip"), -1, m_band))
{
    m_words->setFontFace(QStringLiteral("Arial"), true);
    m_words->setAutoSize(true);
    m_band->hide();
    m_refusal.setSingleShot(true);
    m_refusal.setInterval(RefusalMs);
    connect(&m_refusal, &QTimer::timeout, this, [this] {
        m_refusalText.clear();
        refresh();
    });
    connect(&game, &Game::changed, this, [this](const GameEvent &event) {
        if (touches(event))
            refresh();
    });
    // A game restored, as a new game or a resumed one, announces nothing;
    // its lamp is shown afresh, and so is the strip.
    connect(&game, &Game::lampChanged, this, &MatchStripView::refresh);
    refresh();
}

bool MatchStripView::touches(const GameEvent &event)
{
    const GameSnapshot &before = event.before;
    const GameSnapshot &after = event.after;
    return before.match != after.match || before.format != after.format ||
        before.home != after.home || before.visitor != after.visitor ||
        event.kind == GameEventKind::Options;
}

QString MatchStripView::text() const
{
    return m_refusalText.isEmpty() ? m_stripText : m_refusalText;
}

int MatchStripView::bandTwips(int windowHeight) const
{
    return m_shown ? int(windowHeight * BandShare) : 0;
}

void MatchStripView::place(const QSize &windowTwips, double points)
{
    m_points = points;
    m_band->setVisible(m_shown);
    if (!m_shown)
        return;
    const int band = bandTwips(windowTwips.height());
    m_band->setTwipGeometry(0, windowTwips.height() - band, windowTwips.width(), band);
    fitText();
}

void MatchStripView::showColors()
{
    const SettingsRecord &settings = settingsRecord();
    m_band->setBackColor(settings.LEDBack);
    m_words->setForeColor(m_refusalText.isEmpty() ? settings.BorderColor : settings.ScoreColor);
}

void MatchStripView::showRefusal(MatchRefusal why, int team)
{
    m_refusalText = refusalText(why, team == 1 ? m_game.homeName() : m_game.visitorName());
    m_refusal.start();
    refresh();
}

void MatchStripView::refresh()
{
    const bool shown = m_game.match().active();
    m_stripText = matchStrip(m_game).join(PartSeparator);
    m_words->setCaption(text());
    showColors();
    if (shown != m_shown) {
        m_shown = shown;
        emit shownChanged();
    } else if (m_shown) {
        fitText();
    }
}

// As large as the window makes the names, as the band's height allows, and
// as small as a long line needs to fit across.
void MatchStripView::fitText()
{
    const double room = m_band->twipWidth() * WidthFill;
    const double points = std::min(m_points, m_band->twipHeight() * HeightFill / TwipsPerPoint);
    m_words->setFontSize(std::max(1.0, points));
    if (m_words->twipWidth() > room)
        m_words->setFontSize(std::max(1.0, points * room / m_words->twipWidth()));
    m_words->setTwipLeft((m_band->twipWidth() - m_words->twipWidth()) / 2);
    m_words->setTwipTop((m_band->twipHeight() - m_words->twipHeight()) / 2);
}
