// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Where every visible control of the board sits at its design size, in
// twips from the top left of the client area, and what each one shows:
// for pages that draw the board as the board draws it. They stretch it as
// the board does: places and boxes with the width and the height, figures,
// borders and fonts with the height alone. With it go the LED figure's
// geometry ("figure") and the numbers of that stretch ("stretch"), so the
// pages take them from the program, not from a copy of their own.
QByteArray boardLayoutJson();
