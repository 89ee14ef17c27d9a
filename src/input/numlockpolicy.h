// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

// What the program does with NumLock. The settings keep it as a number
// (0, 1, 2); a number that names no policy is kept as it was stored and
// leaves NumLock alone, so it is turned into a policy only where one acts.
enum class NumLockPolicy : qint32 { LeaveAlone = 0, KeepOn = 1, KeepOff = 2 };

inline std::optional<NumLockPolicy> numLockPolicyFromStored(qint32 stored)
{
    switch (stored) {
    case qint32(NumLockPolicy::LeaveAlone):
    case qint32(NumLockPolicy::KeepOn):
    case qint32(NumLockPolicy::KeepOff):
        return NumLockPolicy(stored);
    }
    return std::nullopt;
}

inline qint32 storedNumLockPolicy(NumLockPolicy policy)
{
    return qint32(policy);
}
