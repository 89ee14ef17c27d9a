// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/matchformat.h"
#include "input/keytranslation.h"
#include "input/modgrabkeys.h"
#include "match/formatlibrary.h"
#include "settings/settingsstore.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class AudienceDisplay;
class EventDay;
class FeedSwitch;
struct FeedSettings;
class Journal;
class frmHelp;
class frmMatch;
class frmRecord;
class frmScoreBoard;
class frmSplash;
class QMessageBox;
class QWidget;

// The program from the splash to the board: the splash reads the settings
// while it loads, a click on it brings up the board, and closing the board,
// or the splash before that, ends the program.
class StartUp : public QObject
{
    Q_OBJECT

public:
    explicit StartUp(const QString &programFolder, QObject *parent = nullptr);
    ~StartUp() override;

    void run();

    frmSplash *splash() const;
    frmScoreBoard *board() const;

private:
    void GoScore();
    // The journal of the board's game, and the last game offered back.
    void startRecord();
    void startAudience();
    void startFeed();
    void applyFeed(const FeedSettings &settings);
    void runDisplays(QWidget *parent);
    void offerLastGame();
    bool askResume(const QString &question, bool resumeByDefault);
    // Tells the operator something without taking the keyboard from the
    // board.
    void notice(const QString &text);
    void showHelp();
    void showRecord();
    void showMatch();
    FormatLibrary formatLibrary() const;
    // The day's event last open, and the board's game followed into it.
    void startEvent();
    // The day's next match on this field: its names through the settings,
    // its format begun.
    void nextMatch();
    // The game under way, once the operator agreed to `question`, closed
    // and kept; false when he did not.
    bool closeGame(const QString &question);
    // A match by the format, or with none a plain new game; the game under
    // way, once the operator agreed, closed and kept.
    void beginMatch(const std::optional<MatchFormat> &format);
    bool gameUnderWay() const;
    void runOptions(QWidget *parent);

    QString m_programFolder;
    std::unique_ptr<modGrabKeys::Keyboard> m_keyboard;
    std::unique_ptr<KeyTranslation::KeyLookup> m_keyLookup;
    SettingsStore m_store;
    QPointer<frmSplash> m_splash;
    QPointer<frmScoreBoard> m_board;
    QPointer<frmHelp> m_help;
    QPointer<frmRecord> m_record;
    QPointer<frmMatch> m_match;
    // The notices open now, by their text: one of each at a time.
    QHash<QString, QPointer<QMessageBox>> m_notices;
    std::unique_ptr<Journal> m_journal;
    // The day's event; none open until the operator opens or imports one.
    std::unique_ptr<EventDay> m_event;
    std::unique_ptr<AudienceDisplay> m_audience;
    std::unique_ptr<FeedSwitch> m_feed;
    // How the feed stands, as the Displays window says it.
    QString m_feedStatus;
};
