#include "board/frmscoreboard.h"
#include "input/modgrabkeys.h"
#include "input/x11keyboard.h"
#include "settings/settingsio.h"
#include "settings/settingsstore.h"
#include "timing/modcount.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrell"));
    QApplication::setOrganizationName(QStringLiteral("Vantrell"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(VANTRELL_VERSION_MAJOR)
                                            .arg(VANTRELL_VERSION_MINOR)
                                            .arg(VANTRELL_VERSION_PATCH));
    modCount::setBeep(&QApplication::beep);
    const auto keyboard = makeX11Keyboard();
    modGrabKeys::setKeyboard(keyboard.get());

    SettingsStore store;
    ReadSettings(store, QCoreApplication::applicationDirPath());

    frmScoreBoard board;
    board.show();
    const int result = app.exec();
    modGrabKeys::setKeyboard(nullptr);
    return result;
}
