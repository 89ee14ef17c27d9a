// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/numlockpolicy.h"

namespace modGrabKeys {

// The keyboard's lock as the program can see and change it.
class Keyboard
{
public:
    virtual ~Keyboard() = default;

    virtual bool numLockOn() const = 0;
    // Presses and releases NumLock as the operator would; the release reaches
    // the focused window like a real one.
    virtual void strokeNumLock() = 0;
};

struct State
{
    // None where the platform offers no keyboard (offscreen, Wayland): then
    // the policy does nothing.
    Keyboard *keyboard = nullptr;
    // Set when a stroke of ours left the lock as it was; its own release is
    // then not taken as a reason to try again.
    bool strokeRefused = false;
};

State &state();
void reset(Keyboard *keyboard = nullptr);
void setKeyboard(Keyboard *keyboard);

// Brings NumLock to the wanted state with at most one stroke.
void ForceNumLock(bool wanted);
// Keeps NumLock on or off as the policy asks; LeaveAlone does nothing.
void imposePolicy(NumLockPolicy policy);
// The same for the settings' stored number; one that names no policy
// leaves the lock alone.
void applyPolicy(int numLockForce);
// True, once, after a stroke of ours left the lock as it was: the NumLock
// release that follows is that stroke's own and must not bring another one,
// or a keyboard that refuses to toggle would be struck without end.
bool takeRefusedStroke();

} // namespace modGrabKeys
