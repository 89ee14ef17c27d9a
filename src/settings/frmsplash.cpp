// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/frmsplash.h"

#include "input/modgrabkeys.h"
#include "settings/settingsio.h"
#include "settings/units.h"
#include "version.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace {

QRect pixelRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

struct LabelRow
{
    const char *name;
    QString text;
    QRect place;
    const char *family;
    int points;
    bool bold;
    Qt::Alignment alignment;
};

} // namespace

QString versionText()
{
    return frmSplash::tr("Version %1").arg(QStringLiteral(VANTRELL_VERSION));
}

QPoint splashTopLeft(const QSize &screen, const QRect &available, const QSize &window)
{
    const int top = (screen.height() - 5880) / 2;
    const int left = (screen.width() - window.width()) / 2;
    return {left, qMax(top, available.top())};
}

frmSplash::frmSplash(SettingsStore &store, const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Welcome to Vantrell"));
    setWindowIcon(QIcon(QStringLiteral(":/vantrell/logo.png")));
    build();
    resize(twipsToPixels(WidthTwips), twipsToPixels(HeightTwips));
    place();
    ReadSettings(store, programFolder, modGrabKeys::applyPolicy);
}

void frmSplash::build()
{
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("frameSplash"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(pixelRect(60, 60, WidthTwips - 120, 3120));

    auto *logo = new QLabel(frame);
    logo->setObjectName(QStringLiteral("picLogo"));
    logo->setGeometry(pixelRect(120, 180, 1560, 1560));
    logo->setPixmap(QPixmap(QStringLiteral(":/vantrell/logo.png"))
                        .scaled(logo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    logo->setAlignment(Qt::AlignCenter);

    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const LabelRow labels[] = {
        {"lblName", QStringLiteral("Vantrell"), pixelRect(1860, 60, 4200, 960), "Times New Roman",
         40, true, left},
        {"lblMadeBy", tr("by Orvalin"), pixelRect(1890, 1020, 4000, 330), "Arial", 11, false, left},
        {"lblVersion", versionText(), pixelRect(1890, 1350, 4000, 330), "Arial", 10, false, left},
        {"Label1", tr("Press ' F1 ' to view Help from the scoreboard."),
         pixelRect(120, 1800, 5940, 300), "Arial", 9, false, left},
        {"Label2", tr("Press ' F2 ' to set Options from the scoreboard."),
         pixelRect(120, 2100, 5940, 300), "Arial", 9, false, left},
        {"lblClick", tr("Click to continue."), pixelRect(120, 2550, 3000, 420), "Arial", 11, true,
         left},
    };
    for (const LabelRow &row : labels) {
        auto *label = new QLabel(row.text, frame);
        label->setObjectName(QLatin1String(row.name));
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(row.place);
        label->setAlignment(row.alignment);
        QFont font(QLatin1String(row.family));
        font.setPixelSize(pointsToPixels(row.points));
        font.setBold(row.bold);
        label->setFont(font);
    }

    auto *options = new QPushButton(tr("&Options"), frame);
    options->setObjectName(QStringLiteral("cmdOptions"));
    options->setGeometry(pixelRect(3330, 2520, 1290, 450));
    connect(options, &QPushButton::clicked, this, &frmSplash::optionsWanted);
    auto *help = new QPushButton(tr("&Help"), frame);
    help->setObjectName(QStringLiteral("cmdHelp"));
    help->setGeometry(pixelRect(4740, 2520, 1290, 450));
    connect(help, &QPushButton::clicked, this, &frmSplash::helpWanted);
}

void frmSplash::place()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect geometry = screen->geometry();
    const QRect available = screen->availableGeometry();
    const QPoint topLeft =
        splashTopLeft(geometry.size() * TwipsPerPixel,
                      QRect(available.topLeft() * TwipsPerPixel, available.size() * TwipsPerPixel),
                      QSize(WidthTwips, HeightTwips));
    move(geometry.topLeft() + QPoint(twipsToPixels(topLeft.x()), twipsToPixels(topLeft.y())));
}

void frmSplash::GoScore()
{
    if (m_leaving)
        return;
    m_leaving = true;
    emit scoreBoardWanted();
    close();
}

// Clicks on the labels, the logo and the frame come here too: none of
// them takes the mouse.
void frmSplash::mousePressEvent(QMouseEvent *event)
{
    event->setAccepted(event->button() == Qt::LeftButton);
}

void frmSplash::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        GoScore();
}

void frmSplash::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!m_leaving)
        emit closedWithoutBoard();
}
