#pragma once
// Whether this start is a second copy, from what became of the named lock.

namespace tonedeck {

enum class LockOutcome {
    Created,        // this process made the lock
    AlreadyExists,  // the lock was there before
    AccessDenied,   // the lock is there, made by a process with other rights (an elevated one)
    Failed,         // no lock could be made (for example a name the system refuses)
};

bool AnotherInstanceRuns(LockOutcome outcome);

}  // namespace tonedeck
