// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "board/boardkeyrelay.h"
#include "board/frmscoreboard.h"
#include "help/frmhelp.h"
#include "options/frmoptions.h"
#include "platform/idleinhibitor.h"
#include "platform/x11keyboard.h"
#include "platform/x11keylookup.h"
#include "settings/frmsplash.h"

#include <QCoreApplication>
#include <QGuiApplication>

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
    delete m_board;
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
    m_board = new frmScoreBoard;
    m_board->setWindows({[this](QWidget *) { showHelp(); },
                         [this](QWidget *parent) {
                             runOptions(parent);
                         }});
    // Help opened from the splash may still be open beside the board.
    BoardKeyRelay::install(m_help, m_board);
    m_board->show();
    // For as long as the board lives, which is as long as the program.
    new IdleInhibitor(m_board);
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
    if (m_runOptions) {
        m_runOptions(parent);
        return;
    }
    frmOptions dialog(m_store, OptionsPlatform::system(), parent);
    dialog.exec();
}
