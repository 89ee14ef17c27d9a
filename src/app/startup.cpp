// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "audience/audiencedisplay.h"
#include "audience/frmdisplays.h"
#include "board/boardkeyrelay.h"
#include "board/frmscoreboard.h"
#include "board/layoutjson.h"
#include "event/eventday.h"
#include "event/schedulefile.h"
#include "event/schedulepage.h"
#include "event/standingspage.h"
#include "feed/feedbox.h"
#include "feed/feedswitch.h"
#include "help/frmhelp.h"
#include "match/formatlibrary.h"
#include "match/frmmatch.h"
#include "options/frmoptions.h"
#include "platform/idleinhibitor.h"
#include "platform/x11focus.h"
#include "platform/x11keyboard.h"
#include "platform/x11keylookup.h"
#include "record/frmrecord.h"
#include "record/journal.h"
#include "record/resumepolicy.h"
#include "settings/displaysettings.h"
#include "settings/frmsplash.h"
#include "settings/settingsio.h"
#include "settings/settingsrecord.h"
#include "sound/multimediaplayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

StartUp::StartUp(const QString &programFolder, QObject *parent)
    : QObject(parent)
    , m_programFolder(programFolder)
    , m_keyboard(makeX11Keyboard())
    , m_keyLookup(makeX11KeyLookup())
{
    modGrabKeys::setKeyboard(m_keyboard.get());
    KeyTranslation::setKeyLookup(m_keyLookup.get());
    // Between the splash closing and the board showing no window is open;
    // the program ends only when the operator closes one of the two.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

StartUp::~StartUp()
{
    m_feed.reset();
    m_audience.reset();
    m_event.reset();
    delete m_board;
    m_journal.reset();
    delete m_splash;
    modGrabKeys::setKeyboard(nullptr);
    KeyTranslation::setKeyLookup(nullptr);
}

frmSplash *StartUp::splash() const
{
    return m_splash;
}

frmScoreBoard *StartUp::board() const
{
    return m_board;
}

void StartUp::run()
{
    m_splash = new frmSplash(m_store, m_programFolder);
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_splash, &frmSplash::scoreBoardWanted, this, &StartUp::GoScore);
    connect(m_splash, &frmSplash::helpWanted, this, &StartUp::showHelp);
    connect(m_splash, &frmSplash::optionsWanted, this, [this] { runOptions(m_splash); });
    connect(m_splash, &frmSplash::closedWithoutBoard, qApp, &QCoreApplication::quit,
            Qt::QueuedConnection);
    m_splash->show();
}

void StartUp::GoScore()
{
    if (m_board)
        return;
    m_board = new frmScoreBoard(
        nullptr, [] { return std::unique_ptr<SoundPlayer>(std::make_unique<MultimediaPlayer>()); });
    // The options and the displays dialogs are modal: each request returns
    // when its dialog has closed.
    connect(m_board, &frmScoreBoard::helpWanted, this, &StartUp::showHelp);
    connect(m_board, &frmScoreBoard::optionsWanted, this, [this] { runOptions(m_board); });
    connect(m_board, &frmScoreBoard::recordWanted, this, &StartUp::showRecord);
    connect(m_board, &frmScoreBoard::matchWanted, this, &StartUp::showMatch);
    connect(m_board, &frmScoreBoard::audienceToggleWanted, this, [this] { m_audience->toggle(); });
    connect(m_board, &frmScoreBoard::displaysWanted, this, [this] { runDisplays(m_board); });
    // Help opened from the splash may still be open beside the board.
    BoardKeyRelay::install(m_help, m_board);
    connect(m_board, &frmScoreBoard::nextMatchWanted, this, &StartUp::nextMatch);
    m_board->show();
    m_event = std::make_unique<EventDay>();
    // The splash goes before any question about the last game.
    if (m_splash)
        m_splash->hide();
    startRecord();
    startEvent();
    startAudience();
    startFeed();
    // For as long as the board lives, which is as long as the program.
    new IdleInhibitor(m_board);
}

void StartUp::startRecord()
{
    m_journal = std::make_unique<Journal>(Journal::defaultFolder(), m_board->game().time());
    connect(m_journal.get(), &Journal::failed, this, [this](const QString &reason) {
        notice(tr("This game is not being recorded.\n%1").arg(reason));
    });
    if (!m_journal->claim()) {
        notice(tr("Another Vantrell is running and recording its game: this one keeps no "
                  "record."));
        return;
    }
    Game &game = m_board->game();
    connect(&game, &Game::changed, m_journal.get(), &Journal::append);
    connect(m_board, &frmScoreBoard::closing, m_journal.get(),
            [this] { m_journal->close(m_board->game().snapshot()); });
    if (m_journal->recording())
        offerLastGame();
}

// After any question about the last game, which the display would hide
// where it shares the board's screen.
void StartUp::startAudience()
{
    m_audience =
        std::make_unique<AudienceDisplay>(*m_board, m_store, m_event.get(), refuseX11Focus);
    connect(m_audience.get(), &AudienceDisplay::notice, this, &StartUp::notice);
    m_audience->start();
}

// Off, nothing of the feed is made: no socket, no page read.
void StartUp::startFeed()
{
    m_feed = std::make_unique<FeedSwitch>(m_board->game(), m_event.get(),
                                          besideProgram(m_programFolder, "web"), boardLayoutJson());
    connect(m_board, &frmScoreBoard::settingsApplied, m_feed.get(), &FeedSwitch::settingsChanged);
    applyFeed(readDisplaySettings(m_store).feed);
}

void StartUp::applyFeed(const FeedSettings &settings)
{
    QString reason;
    if (m_feed->apply(settings, &reason)) {
        m_feedStatus = m_feed->serving()
            ? tr("Serving on %1 port %2.").arg(settings.address).arg(settings.port)
            : tr("Off.");
        return;
    }
    m_feedStatus = tr("Off: it could not start on %1 port %2. %3")
                       .arg(settings.address)
                       .arg(settings.port)
                       .arg(reason);
    notice(tr("The live feed could not start on %1 port %2: %3.\nIt stays off; choose another "
              "port or address with F6.")
               .arg(settings.address)
               .arg(settings.port)
               .arg(reason));
}

void StartUp::runDisplays(QWidget *parent)
{
    const FeedSettings before = readDisplaySettings(m_store).feed;
    auto *feedBox = new FeedBox(before, m_feedStatus);
    frmDisplays dialog(AudienceDisplay::connectedMonitors(), m_audience->placement().chosen(),
                       m_audience->boardMonitor(), feedBox, parent);
    if (dialog.exec() == QDialog::Accepted) {
        m_audience->choose(dialog.audienceScreen());
        const FeedSettings after = feedBox->settings();
        if (after != before && !writeFeedSettings(m_store, after))
            notice(tr("The live feed's settings could not be saved."));
        applyFeed(after);
    }
    m_audience->coverBoardAgain();
}

void StartUp::offerLastGame()
{
    Game &game = m_board->game();
    const JournalFormat::Stamp now = m_journal->stamp();
    const LastGame last =
        ResumePolicy::lastGame(m_journal->folder(), now, game.homeName(), game.visitorName());
    if (!last.damagedKeptAs.isEmpty())
        notice(tr("The last game's record could not be read; it is kept as %1.")
                   .arg(QDir::toNativeSeparators(last.damagedKeptAs)));
    if (!last.offered())
        return;
    if (!askResume(last.question, last.resumeByDefault)) {
        m_journal->setAside(last.path, last.saved->game);
        return;
    }
    game.restore(last.game);
    game.resumeHistory(ResumePolicy::undoableEvents(*last.saved, now));
    if (m_journal->continueFile(last.path))
        game.announceResumed();
}

// Escape keeps the default: a stray key must not throw a game away.
bool StartUp::askResume(const QString &question, bool resumeByDefault)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vantrell"), question,
                    QMessageBox::NoButton, m_board);
    QPushButton *resume = box.addButton(tr("&Resume"), QMessageBox::AcceptRole);
    QPushButton *fresh = box.addButton(tr("&New game"), QMessageBox::RejectRole);
    QPushButton *preferred = resumeByDefault ? resume : fresh;
    box.setDefaultButton(preferred);
    box.setEscapeButton(preferred);
    box.exec();
    return box.clickedButton() == resume;
}

void StartUp::notice(const QString &text)
{
    if (QMessageBox *open = m_notices.value(text)) {
        open->raise();
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("Vantrell"), text,
                                QMessageBox::Ok, m_board);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowModality(Qt::NonModal);
    box->show();
    m_notices.insert(text, box);
}

// One window, brought forward when asked for again. A new game closes the
// journal's game; the next change begins the next one.
void StartUp::showRecord()
{
    if (!m_record) {
        Journal *journal = m_journal && m_journal->recording() ? m_journal.get() : nullptr;
        m_record = new frmRecord(m_board->game(), journal, m_board);
        connect(m_record, &frmRecord::newGameWanted, this, [this] {
            closeGame({});
            m_board->game().newGame();
        });
        BoardKeyRelay::install(m_record, m_board);
    }
    m_record->show();
    m_record->raise();
    m_record->activateWindow();
}

void StartUp::showMatch()
{
    if (!m_match) {
        m_match = new frmMatch(m_board->game(), formatLibrary(), m_board);
        auto *schedule = new SchedulePage(*m_event, formatLibrary(), m_match);
        connect(schedule, &SchedulePage::nextMatchWanted, this, &StartUp::nextMatch);
        m_match->addPage(schedule, tr("Schedule"));
        m_match->addPage(new StandingsPage(*m_event, m_match), tr("Standings"));
        connect(m_match, &frmMatch::beginWanted, this, &StartUp::beginMatch);
        BoardKeyRelay::install(m_match, m_board);
    }
    m_match->present();
}

// Without a journal of its own this copy cannot tell: it asks.
bool StartUp::gameUnderWay() const
{
    if (!m_journal || !m_journal->recording())
        return true;
    return !m_journal->currentFile().isEmpty();
}

FormatLibrary StartUp::formatLibrary() const
{
    return {besideProgram(m_programFolder, QStringLiteral("formats")),
            FormatLibrary::defaultOwnFolder()};
}

// Escape answers No: a stray key must not close a game.
bool StartUp::closeGame(const QString &question)
{
    if (!question.isEmpty() && gameUnderWay()) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Vantrell"), question,
                        QMessageBox::Yes | QMessageBox::No,
                        m_match && m_match->isVisible() ? static_cast<QWidget *>(m_match)
                                                        : m_board);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes)
            return false;
    }
    if (m_journal)
        m_journal->endGame(m_board->game().snapshot());
    m_event->gameClosed();
    return true;
}

void StartUp::beginMatch(const std::optional<MatchFormat> &format)
{
    if (!closeGame(format ? tr("Begin the match? The game under way is closed and kept.")
                          : tr("Start a new game? The game under way is closed and kept.")))
        return;
    Game &game = m_board->game();
    if (format)
        game.beginMatch(*format);
    else
        game.newGame();
}

// The event's file is remembered where the settings are, so the next
// start opens the same day.
void StartUp::startEvent()
{
    connect(m_event.get(), &EventDay::saveFailed, this, [this](const QString &reason) {
        notice(tr("The event's schedule could not be saved: %1").arg(reason));
    });
    connect(&m_board->game(), &Game::changed, m_event.get(), &EventDay::follow);
    const QString path = m_store.read(QStringLiteral("Event"), QStringLiteral("File"), {});
    QString problem;
    if (!path.isEmpty() && !m_event->open(path, &problem))
        notice(tr("The last event, %1, cannot be opened: %2")
                   .arg(QDir::toNativeSeparators(path), problem));
    const QString journal =
        m_journal && m_journal->recording() ? m_journal->currentFile() : QString();
    m_event->attach(journal, m_board->game().snapshot());
    connect(m_event.get(), &EventDay::changed, this, [this] {
        const QString open = m_event->path();
        if (open != m_store.read(QStringLiteral("Event"), QStringLiteral("File"), {})) {
            m_store.write(QStringLiteral("Event"), QStringLiteral("File"), open);
            m_store.sync();
        }
    });
}

void StartUp::nextMatch()
{
    const auto next = m_event->next();
    if (!next) {
        notice(m_event->isOpen() ? tr("No match is left to play on this field.")
                                 : tr("No event is open: import the day's schedule with F7."));
        return;
    }
    const ScheduledMatch match = m_event->schedule().matches.at(*next);
    std::optional<MatchFormat> format;
    for (const FormatEntry &entry : formatLibrary().entries()) {
        if (const MatchFormat *f = entry.format(); f && f->name == match.format)
            format = *f;
    }
    if (!format) {
        notice(tr("The next match's format, \"%1\", is not on this computer.").arg(match.format));
        return;
    }
    // A match just ended is no game under way: the day goes on without a
    // question.
    const bool ended = m_board->game().snapshot().match.phase == MatchPhase::Ended;
    const QString question = ended
        ? QString()
        : tr("Begin the next match, %1 \u2013 %2? The game under way is closed and kept.")
              .arg(match.home, match.visitor);
    if (!closeGame(question))
        return;
    const SettingsRecord before = settingsRecord();
    if (!WriteTeamNames(m_store, match.home, match.visitor))
        notice(
            tr("The team names could not be saved to %1. They apply until the program is closed.")
                .arg(QDir::toNativeSeparators(m_store.fileName())));
    m_board->settingsConfirmed(before);
    m_board->game().beginMatch(*format);
    m_event->begun(*next,
                   m_journal && m_journal->recording() ? m_journal->currentFile() : QString());
}

void StartUp::showHelp()
{
    m_help = frmHelp::showHelp(m_programFolder);
    BoardKeyRelay::install(m_help, m_board);
}

// A new dialog for every opening, so each starts from the settings as
// they are now.
void StartUp::runOptions(QWidget *parent)
{
    frmOptions dialog(m_store, OptionsPlatform::system(), parent);
    dialog.exec();
}
