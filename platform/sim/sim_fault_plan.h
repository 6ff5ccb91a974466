#pragma once
// A journal of the world-changing calls a run makes, and the one call of a kind to fail: the
// Nth file write, folder creation, registry write, service call or program start.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tonedeck {

enum class SimOperationKind { kFileWrite, kFolderCreation, kRegistryWrite, kServiceCall, kProcess };

struct SimOperation {
    SimOperationKind kind = SimOperationKind::kFileWrite;
    std::u16string what;   // the call and its target, e.g. "CreateFolder C:\Program Files\X"
    std::u16string phase;  // what `phase` said when the call was made
    bool failed = false;

    bool operator==(const SimOperation&) const = default;
};

class SimFaultPlan {
  public:
    // Records the call; true when it is to fail. Calls while the plan is not active pass
    // unrecorded and uncounted.
    bool Fails(SimOperationKind kind, const std::u16string& what);

    // The `nth` (from 1) call of `kind` fails. Persistent: every later call with the same
    // `what` fails too, as a broken target would; otherwise only that one call.
    void FailNth(SimOperationKind kind, std::size_t nth, bool persistent = true);
    // No more faults; the journal stays.
    void Disarm();

    // Labels each recorded call (for example the install step running); empty when unset.
    std::function<std::u16string()> phase;
    bool active = true;
    std::vector<SimOperation> operations;

  private:
    struct Fault {
        SimOperationKind kind;
        std::size_t nth;
        bool persistent;
    };
    std::optional<Fault> fault_;
    std::size_t seenOfKind_ = 0;
    std::optional<std::u16string> brokenTarget_;
};

const char16_t* KindName(SimOperationKind kind);

}  // namespace tonedeck
