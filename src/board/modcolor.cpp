// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/modcolor.h"

#include "board/controllayer.h"
#include "board/labelcontrol.h"
#include "board/picturebox.h"
#include "board/segmora.h"
#include "settings/settingsrecord.h"

namespace modColor {

void ColorLedSet(Segmora *figure, qint32 color)
{
    figure->setBackColor(settingsRecord().LEDBack);
    figure->setLitColor(color);
}

void ColorLedSet(const QList<Segmora *> &figures, qint32 color)
{
    for (Segmora *figure : figures)
        ColorLedSet(figure, color);
}

void ColorOtherControls(const ControlLayer &layer, const QList<BoardControl *> &exclusions)
{
    QString excluded = QStringLiteral("|");
    for (const BoardControl *control : exclusions)
        excluded += control->controlName().toLower() + QLatin1Char('|');

    const SettingsRecord &settings = settingsRecord();
    for (BoardControl *control : layer.controls()) {
        const QString key = QLatin1Char('|') + control->controlName().toLower() + QLatin1Char('|');
        if (excluded.contains(key))
            continue;
        if (auto *label = qobject_cast<LabelControl *>(control))
            label->setForeColor(settings.BorderColor);
        else if (auto *box = qobject_cast<PictureBox *>(control))
            box->setBackColor(settings.LEDBack);
    }
}

} // namespace modColor
