#pragma once
// Shell pieces the installer needs: the all-users Start-menu programs folder and shortcuts.

#include <string>

namespace tonedeck {

class Shell {
  public:
    virtual ~Shell() = default;
    // The all-users programs folder (CSIDL_COMMON_PROGRAMS), not created; empty on failure.
    virtual std::u16string CommonProgramsFolder() = 0;
    // A shell link at `linkPath` whose only setting is the target path (COM initialised and
    // uninitialised around the call). False when the link could not be made or saved.
    virtual bool CreateShortcut(const std::u16string& linkPath, const std::u16string& target) = 0;
};

}  // namespace tonedeck
