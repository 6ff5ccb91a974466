#pragma once
// Removals on the simulated file system; files can be held open so they cannot go.

#include <map>
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

    // A file some process holds open: the next `attempts` deletions fail (-1: all of them).
    // Names compare without regard to case.
    void HoldOpen(const std::u16string& path, int attempts = -1);

    std::vector<std::u16string> atReboot;

  private:
    SimFileSystem& files_;
    std::map<std::u16string, int> held_;  // attempts left to fail
};

}  // namespace tonedeck
