#include "app/startup.h"
#include "platform/soundservername.h"
#include "timing/modcount.h"
#include "version.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    const QString name = QStringLiteral("Vantrell");
    // The icon the desktop entry names.
    nameProgramForSoundServer(name.toUtf8(), QByteArrayLiteral("vantrell"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(name);
    QApplication::setOrganizationName(name);
    QApplication::setApplicationVersion(QStringLiteral(VANTRELL_VERSION));
    modCount::setBeep(&QApplication::beep);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vantrell/logo.png")));

    StartUp startUp(QCoreApplication::applicationDirPath());
    startUp.run();
    return app.exec();
}
