#include "panel/window/single_instance.h"

namespace tonedeck {

bool AnotherInstanceRuns(LockOutcome outcome) {
    // A lock that cannot be made at all must not keep the program from running.
    return outcome == LockOutcome::AlreadyExists || outcome == LockOutcome::AccessDenied;
}

}  // namespace tonedeck
