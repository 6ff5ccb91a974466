#include "platform/sim/sim_fault_plan.h"

namespace tonedeck {

bool SimFaultPlan::Fails(SimOperationKind kind, const std::u16string& what) {
    if (!active) return false;
    bool fails = false;
    if (fault_ && fault_->kind == kind) {
        ++seenOfKind_;
        if (seenOfKind_ == fault_->nth) {
            fails = true;
            if (fault_->persistent) brokenTarget_ = what;
        } else {
            fails = brokenTarget_ && *brokenTarget_ == what;
        }
    }
    operations.push_back({kind, what, phase ? phase() : std::u16string(), fails});
    return fails;
}

void SimFaultPlan::FailNth(SimOperationKind kind, std::size_t nth, bool persistent) {
    fault_ = Fault{kind, nth, persistent};
    seenOfKind_ = 0;
    brokenTarget_.reset();
}

void SimFaultPlan::Disarm() {
    fault_.reset();
    brokenTarget_.reset();
}

const char16_t* KindName(SimOperationKind kind) {
    switch (kind) {
        case SimOperationKind::kFileWrite:
            return u"file write";
        case SimOperationKind::kFolderCreation:
            return u"folder creation";
        case SimOperationKind::kRegistryWrite:
            return u"registry write";
        case SimOperationKind::kServiceCall:
            return u"service call";
        case SimOperationKind::kProcess:
            return u"process";
    }
    return u"?";
}

}  // namespace tonedeck
