#include "settings/startup.h"
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

    StartUp startUp(QCoreApplication::applicationDirPath());
    startUp.run();
    return app.exec();
}
