// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"
#include "platform/soundservername.h"
#include "version.h"

#include <QApplication>
#include <QIcon>

namespace {

// The key lookup, the NumLock policy and the screen saver fallback speak
// X11: on a Wayland desktop they work through XWayland. A platform the user
// chose, by environment or by -platform, wins.
void preferX11(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0)
            return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

int main(int argc, char *argv[])
{
    preferX11(argc, argv);
    const QString name = QStringLiteral("Vantrell");
    // The icon the desktop entry names.
    nameProgramForSoundServer(name.toUtf8(), QByteArrayLiteral("vantrell"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(name);
    QApplication::setOrganizationName(name);
    QApplication::setApplicationVersion(QStringLiteral(VANTRELL_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vantrell/logo.png")));

    StartUp startUp(QCoreApplication::applicationDirPath());
    startUp.run();
    return app.exec();
}
