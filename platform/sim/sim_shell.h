#pragma once
// Shortcuts in the simulated world: a link is a small file naming its target.

#include <map>
#include <string>

#include "platform/ports/file_system.h"
#include "platform/ports/shell.h"

namespace tonedeck {

class SimShell : public Shell {
  public:
    explicit SimShell(FileSystem& files) : files_(files) {}

    std::u16string CommonProgramsFolder() override { return commonPrograms; }
    bool CreateShortcut(const std::u16string& linkPath, const std::u16string& target) override;

    // The target of the link saved at `linkPath`; empty when there is none.
    std::u16string LinkTarget(const std::u16string& linkPath) const;

    std::u16string commonPrograms = u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
    bool linksFail = false;
    int linksSaved = 0;

  private:
    FileSystem& files_;
};

}  // namespace tonedeck
