#include "board/frmscoreboard.h"

#include "board/boardlayout.h"
#include "board/colorref.h"
#include "board/fitpicture.h"
#include "board/imagecontrol.h"
#include "board/labelcontrol.h"
#include "board/modcolor.h"
#include "board/modstretch.h"
#include "board/picturebox.h"
#include "board/screenfit.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"
#include "input/modgrabkeys.h"
#include "settings/settingsrecord.h"
#include "sound/multimediaplayer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>


namespace {

constexpr qint32 MarkRed = 255;
constexpr qint32 MarkGreen = 49152;

// The penalty clock names in count-slot order: home 1, home 2, visitor 1,
// visitor 2, home 3, visitor 3.
const char *const PenaltyBySlot[] = {nullptr, "TH1", "TH2", "TV1", "TV2", "TH3", "TV3"};

QString penaltyName(const char *prefix, qint16 slot)
{
    return QLatin1String(prefix) + QLatin1String(PenaltyBySlot[slot]);
}

// The design frame as margins. Only its width and height are given: the
// sides and the bottom take an equal share, the title bar the rest.
QMargins designFrame()
{
    const int side = BoardControl::toPixels(modStretch::DesignFrameWidth) / 2;
    return QMargins(side, BoardControl::toPixels(modStretch::DesignFrameHeight) - side, side, side);
}

} // namespace

frmScoreBoard::frmScoreBoard(QWidget *parent, const PlayerFactory &makePlayer)
    : QWidget(parent)
    , m_engine(*this)
{
    const PlayerFactory make = makePlayer ? makePlayer : [] {
        return std::unique_ptr<SoundPlayer>(std::make_unique<MultimediaPlayer>());
    };
    mmcBuzzer = make();
    mmcHorn = make();
    connect(mmcBuzzer.get(), &SoundPlayer::finished, this, [this] { soundFinished(*mmcBuzzer); });
    connect(mmcHorn.get(), &SoundPlayer::finished, this, [this] { soundFinished(*mmcHorn); });

    setWindowTitle(QStringLiteral("Vantrell"));
    setAutoFillBackground(true);
    resize(BoardControl::toPixels(BoardDesignWidth), BoardControl::toPixels(BoardDesignHeight));
    buildScoreBoard(this, m_layer);
    connectDigits();
    connectFields();

    m_tick.setTimerType(Qt::PreciseTimer);
    m_tick.setInterval(100);
    connect(&m_tick, &QTimer::timeout, this, &frmScoreBoard::ClockTick);
    load();
    // Smaller than its design size where a small or scaled screen cannot
    // hold it; the window manager still chooses where it opens.
    if (const QScreen *onScreen = screen())
        resize(fitInside(geometry(), designFrame(), onScreen->availableGeometry()).size());
}

void frmScoreBoard::keepOnScreen(const QMargins &frame)
{
    const QScreen *onScreen = screen();
    if (!onScreen || isMaximized() || isFullScreen())
        return;
    const QRect fitted = fitInside(geometry(), frame, onScreen->availableGeometry());
    if (fitted != geometry())
        setGeometry(fitted);
}

QList<Segmora *> frmScoreBoard::figures(const QString &name) const
{
    QList<Segmora *> result;
    for (BoardControl *control : m_layer.set(name))
        result.append(qobject_cast<Segmora *>(control));
    return result;
}

ShapeControl *frmScoreBoard::shape(const QString &name, int index) const
{
    return m_layer.get<ShapeControl>(name, index);
}

void frmScoreBoard::connectDigits()
{
    m_gameDigits = SegmoraDigits(figures(QStringLiteral("pledTime")));
    m_shotDigits = SegmoraDigits(figures(QStringLiteral("pledShot")));
    m_homeDigits = SegmoraDigits(figures(QStringLiteral("pledHome")));
    m_visitorDigits = SegmoraDigits(figures(QStringLiteral("pledVisitor")));
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        m_penaltyDigits[size_t(slot)] = SegmoraDigits(figures(penaltyName("pledPenalty", slot)));
    // The tick repaints these ten times a second; they are looked up once.
    for (int i = 0; i < MarkCount; ++i) {
        m_redMarks[size_t(i)] = shape(QStringLiteral("shpPenaltyR"), i);
        m_greenMarks[size_t(i)] = shape(QStringLiteral("shpPenaltyG"), i);
    }
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot) {
        const QString dots = penaltyName("dotPenalty", slot);
        m_penaltyDots[size_t(slot)] = {shape(dots, 0), shape(dots, 1)};
    }
    m_gameColon = ShapeColon(shape(QStringLiteral("Shape2"), 0), shape(QStringLiteral("Shape2"), 1));
    m_shotColon = ShapeColon(shape(QStringLiteral("Shape4"), 0), shape(QStringLiteral("Shape4"), 1));

    // Scores read 0 (a blank tens figure), penalty clocks start blank and the
    // shot clock shows nothing until the first tick.
    for (SegmoraDigits *score : {&m_homeDigits, &m_visitorDigits}) {
        score->setCaption(0, 0);
        score->setCaption(1, -1);
    }
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot) {
        for (int i = 0; i < m_penaltyDigits[size_t(slot)].count(); ++i)
            m_penaltyDigits[size_t(slot)].setCaption(i, -1);
    }
    for (int i = 0; i < m_shotDigits.count(); ++i)
        m_shotDigits.setCaption(i, -1);
}

void frmScoreBoard::load()
{
    UpdateLabels();
    UpdateFormColors();
    Penalty();
    UpdateNumLock();
    modStretch::RecordLayout(*this, m_layer);
    openSounds();
    m_engine.startUp();
    m_tick.start();
}

DigitSet &frmScoreBoard::penaltyDigits(qint16 slot)
{
    return m_penaltyDigits[size_t(qBound<qint16>(ClockEngine::FirstPenaltySlot, slot,
                                                 ClockEngine::LastPenaltySlot))];
}

void frmScoreBoard::enableTick()
{
    if (!m_tick.isActive())
        m_tick.start();
}

void frmScoreBoard::setPenaltyMark(int index, qint16 state)
{
    if (index < 0 || index >= MarkCount)
        return;
    m_penaltyMark[size_t(index)] = state;
    Penalty();
}

void frmScoreBoard::Penalty()
{
    const SettingsRecord &settings = settingsRecord();
    for (int i = 0; i < MarkCount; ++i) {
        ShapeControl *red = m_redMarks[size_t(i)];
        ShapeControl *green = m_greenMarks[size_t(i)];
        const qint16 state = m_penaltyMark[size_t(i)];
        red->setFillColor(state == 1 ? MarkRed : settings.FormBack);
        green->setFillColor(state == 2 ? MarkGreen : settings.FormBack);
        red->setBorderColor(settings.LEDBack);
        green->setBorderColor(settings.LEDBack);
    }
}

// A blank penalty clock shows no colon: its dots take the LED background.
void frmScoreBoard::UpdatePenaltyColonColors()
{
    const SettingsRecord &settings = settingsRecord();
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot) {
        const bool shown = m_penaltyDigits[size_t(slot)].shows(0);
        for (ShapeControl *dot : m_penaltyDots[size_t(slot)])
            dot->setFillColor(shown ? settings.BorderColor : settings.LEDBack);
    }
}

void frmScoreBoard::UpdateGoal()
{
    const SettingsRecord &settings = settingsRecord();
    ShapeControl *home = shape(QStringLiteral("shpGoalH"), -1);
    ShapeControl *visitor = shape(QStringLiteral("shpGoalV"), -1);
    home->setFillColor(m_whoGoal == 1 ? settings.ScoreColor : settings.FormBack);
    visitor->setFillColor(m_whoGoal == 2 ? settings.ScoreColor : settings.FormBack);
    home->setBorderColor(settings.LEDBack);
    visitor->setBorderColor(settings.LEDBack);
}

void frmScoreBoard::UpdateFormColors()
{
    const SettingsRecord &settings = settingsRecord();
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, toQColor(settings.FormBack));
    setPalette(windowPalette);
    update();

    for (int i = 0; i < 4; ++i) {
        modColor::ColorLedSet(m_gameDigits.figures().at(i), settings.TimeColor);
        modColor::ColorLedSet(m_shotDigits.figures().at(i), settings.TimeColor);
    }
    modColor::ColorLedSet(m_homeDigits.figures(), settings.ScoreColor);
    modColor::ColorLedSet(m_visitorDigits.figures(), settings.ScoreColor);
    for (const char *name : {"TH1", "TH2", "TH3", "TV1", "TV2", "TV3"})
        modColor::ColorLedSet(figures(QLatin1String("pledPenalty") + QLatin1String(name)),
                              settings.TimeColor);

    QList<BoardControl *> exclusions = m_layer.set(QStringLiteral("shpPenaltyR"));
    exclusions += m_layer.set(QStringLiteral("shpPenaltyG"));
    for (const char *name : {"lblHome", "lblVisitor", "Shape1", "Shape3", "picHomeContainer",
                             "picVisitorContainer", "picBoardPicContainer"})
        exclusions.append(m_layer.find(QLatin1String(name)));
    modColor::ColorOtherControls(m_layer, exclusions);

    m_layer.get<LabelControl>(QStringLiteral("lblHome"))->setForeColor(settings.HomeColor);
    m_layer.get<LabelControl>(QStringLiteral("lblVisitor"))->setForeColor(settings.VisitorColor);
    shape(QStringLiteral("Shape1"), -1)->setBorderColor(settings.BorderColor);
    shape(QStringLiteral("Shape3"), -1)->setBorderColor(settings.BorderColor);
    for (const char *name : {"picHomeContainer", "picVisitorContainer", "picBoardPicContainer"})
        m_layer.get<PictureBox>(QLatin1String(name))->setBackColor(settings.FormBack);
    shape(QStringLiteral("shpObjectSelected"), -1)->setFillColor(settings.LEDSelected);
    m_layer.get<PictureBox>(QStringLiteral("picGoalBack"))->setBackColor(settings.FormBack);

    UpdateGoal();
    UpdatePenaltyColonColors();
    Penalty();
}

void frmScoreBoard::UpdateLabels()
{
    const SettingsRecord &settings = settingsRecord();
    const qint16 teamSize = qint16(qBound(qint64(1), settings.TeamSize.roundedSeconds(), qint64(32767)));
    m_labelsOuter = modStretch::outerTwips(*this);
    const double fontSize = qBound(1, modStretch::roundHalfEven(RSize(teamSize)), 32767);
    const struct
    {
        const char *label;
        const char *box;
        const QString &text;
    } names[] = {{"lblHome", "picHomeContainer", settings.HomeText},
                 {"lblVisitor", "picVisitorContainer", settings.VisitorText}};
    for (const auto &name : names) {
        auto *label = m_layer.get<LabelControl>(QLatin1String(name.label));
        label->setCaption(name.text);
        label->setFontSize(fontSize);
    }
    for (const auto &name : names) {
        auto *label = m_layer.get<LabelControl>(QLatin1String(name.label));
        const BoardControl *box = m_layer.find(QLatin1String(name.box));
        label->setTwipTop(box->twipHeight() / 2 - label->twipHeight() / 2);
        label->setTwipLeft(box->twipWidth() / 2 - label->twipWidth() / 2);
    }
    modGrabKeys::FitPicture(*m_layer.get<ImageControl>(QStringLiteral("imgBoardPic")),
                            *m_layer.find(QStringLiteral("picBoardPicContainer")), settings.BoardPic);
    modStretch::SetLedType(m_layer, settings.LEDType);
}

double frmScoreBoard::RSize(qint16 baseSize) const
{
    return modStretch::scaledFontSize(baseSize, modStretch::outerTwips(*this));
}

void frmScoreBoard::UpdateNumLock()
{
    modGrabKeys::applyPolicy(settingsRecord().NumLockForce);
}

frmScoreBoard::~frmScoreBoard()
{
    // The players report their end into the board; they go first.
    mmcBuzzer.reset();
    mmcHorn.reset();
}

void frmScoreBoard::Buzzer()
{
    emit buzzerRequested();
    playOn(*mmcBuzzer);
}

void frmScoreBoard::Horn()
{
    emit hornRequested();
    playOn(*mmcHorn);
}

void frmScoreBoard::playOn(SoundPlayer &player)
{
    if (player.fileName().isEmpty() || m_buzzerPlaying)
        return;
    m_buzzerPlaying = true;
    player.play();
}

void frmScoreBoard::soundFinished(SoundPlayer &player)
{
    player.stop();
    player.prev();
    m_buzzerPlaying = false;
}

std::array<std::pair<SoundPlayer *, QString>, 2> frmScoreBoard::soundFiles() const
{
    const SettingsRecord &settings = settingsRecord();
    return {{{mmcBuzzer.get(), settings.BuzzerFile}, {mmcHorn.get(), settings.HornFile}}};
}

// A sound whose file is missing leaves its player without a file.
void frmScoreBoard::openSounds()
{
    for (const auto &[player, file] : soundFiles()) {
        if (file.isEmpty() || !QFileInfo::exists(file))
            continue;
        player->setFileName(file);
        player->open();
    }
}

// After the options dialog the players take their files as they now are,
// found or not.
void frmScoreBoard::reopenSounds()
{
    for (const auto &[player, file] : soundFiles()) {
        player->close();
        player->setFileName(file);
        player->open();
    }
}

void frmScoreBoard::closeSounds()
{
    for (SoundPlayer *player : {mmcBuzzer.get(), mmcHorn.get()}) {
        if (!player->fileName().isEmpty())
            player->close();
    }
}

// Closing the board ends the program, whatever other windows are open.
void frmScoreBoard::closeEvent(QCloseEvent *event)
{
    closeSounds();
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}
