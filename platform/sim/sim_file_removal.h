#pragma once
// Removals on the simulated file system; files can be held open so they cannot go.

#include <set>
#include <string>
#include <vector>

#include "platform/ports/file_removal.h"
#include "platform/sim/sim_file_system.h"

namespace tonedeck {

class SimFileRemoval : public FileRemoval {
  public:
    explicit SimFileRemoval(SimFileSystem& files) : files_(files) {}

    bool RemoveFile(const std::u16string& path) override;
    bool RemoveFolder(const std::u16string& path) override;
    bool RemoveAtReboot(const std::u16string& path) override;

    // A file some process holds open: deleting it fails (names compare without regard to case).
    void HoldOpen(const std::u16string& path);
    void Release(const std::u16string& path);

    std::vector<std::u16string> atReboot;

  private:
    SimFileSystem& files_;
    std::set<std::u16string> held_;
};

}  // namespace tonedeck
