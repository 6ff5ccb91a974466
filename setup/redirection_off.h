#pragma once
// File-system redirection off for the calling thread while the guard lives, on a 64-bit
// Windows only; Revert turns it back on early.

#include "common/system_helpers.h"
#include "platform/ports/system_info.h"

namespace tonedeck {

class RedirectionOff {
  public:
    RedirectionOff(SystemInfo& system, bool active) : system_(system), active_(active) {
        if (active_) DisableFsRedirection(system_, &previous_);
    }
    ~RedirectionOff() { Revert(); }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

    void Revert() {
        if (!active_) return;
        RevertFsRedirection(system_, previous_);
        active_ = false;
    }

  private:
    SystemInfo& system_;
    bool active_;
    void* previous_ = nullptr;
};

}  // namespace tonedeck
