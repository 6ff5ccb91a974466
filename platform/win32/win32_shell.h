#pragma once
// Shell on SHGetFolderPathW and the shell-link object.

#include "platform/ports/shell.h"

namespace tonedeck {

class Win32Shell : public Shell {
  public:
    std::u16string CommonProgramsFolder() override;
    bool CreateShortcut(const std::u16string& linkPath, const std::u16string& target) override;
};

}  // namespace tonedeck
