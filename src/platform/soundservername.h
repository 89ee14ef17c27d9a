// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Names the program to the sound server (PulseAudio, or PipeWire's
// PulseAudio service) so a mixer lists it by its name and icon: Qt
// Multimedia calls every program "QtPulseAudio:<pid>". The sound library
// takes the override from the environment when the first sound device is
// opened, so this runs before that. A name already set there is kept.
void nameProgramForSoundServer(const QByteArray &name, const QByteArray &iconName);
