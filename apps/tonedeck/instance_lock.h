#pragma once
// The named lock that keeps the control panel to one copy per title, and the hand-over to the
// copy that holds it.

#include <string>

#include "panel/window/single_instance.h"

namespace tonedeck {

// Makes the lock, not owned; a lock made here stays open until the process ends.
LockOutcome CreateInstanceLock(const std::u16string& name);

// Restores the running copy's application window when minimised and brings it to the front.
void ActivateRunningInstance(const std::u16string& title);

}  // namespace tonedeck
