// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Where every visible control of the board sits at its design size, in
// twips from the top left of the client area, and what each one shows:
// for pages that draw the board as the board draws it. They stretch it as
// the board does: places and boxes with the width and the height, figures,
// borders and fonts with the height alone.
QByteArray boardLayoutJson();
