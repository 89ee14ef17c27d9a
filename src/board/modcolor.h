// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QtGlobal>

class BoardControl;
class ControlLayer;
class Segmora;

// Colouring whole groups of the board's controls.
namespace modColor {

// Lit segments in the given colour over the LED background.
void ColorLedSet(const QList<Segmora *> &figures, qint32 color);
void ColorLedSet(Segmora *figure, qint32 color);

// Every label not excluded takes the border colour as its text colour and
// every box not excluded the LED background. A control is excluded when its
// name, in any letter case, is the name of a control in the list.
void ColorOtherControls(const ControlLayer &layer, const QList<BoardControl *> &exclusions);

} // namespace modColor
