// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/modgrabkeys.h"

namespace modGrabKeys {

State &state()
{
    static State instance;
    return instance;
}

void reset(Keyboard *keyboard)
{
    state() = State{};
    state().keyboard = keyboard;
}

void setKeyboard(Keyboard *keyboard)
{
    state().keyboard = keyboard;
}

void ForceNumLock(bool wanted)
{
    Keyboard *keyboard = state().keyboard;
    if (!keyboard || keyboard->numLockOn() == wanted)
        return;
    keyboard->strokeNumLock();
    state().strokeRefused = keyboard->numLockOn() != wanted;
}

void imposePolicy(NumLockPolicy policy)
{
    if (policy == NumLockPolicy::KeepOn)
        ForceNumLock(true);
    else if (policy == NumLockPolicy::KeepOff)
        ForceNumLock(false);
}

void applyPolicy(int numLockForce)
{
    if (const std::optional<NumLockPolicy> policy = numLockPolicyFromStored(numLockForce))
        imposePolicy(*policy);
}

bool takeRefusedStroke()
{
    const bool refused = state().strokeRefused;
    state().strokeRefused = false;
    return refused;
}

} // namespace modGrabKeys
