#pragma once
// Payloads out of the installer's own file, and files and folder trees into place.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/ports/clock.h"
#include "platform/ports/file_operations.h"
#include "platform/ports/file_system.h"
#include "platform/ports/payloads.h"
#include "platform/ports/system_info.h"

namespace tonedeck {

// The bytes of a payload; nothing when it is missing or empty.
std::optional<std::span<const uint8_t>> LockPayload(Payloads& payloads,
                                                    const std::u16string& typeName, uint16_t id);

// 0 written, 1 the file could not be written.
int WriteBufferToFile(FileSystem& files, const std::u16string& path,
                      std::span<const uint8_t> bytes);

// A program file that a just-ending program may still hold: written like WriteBufferToFile,
// tried again every kWriteRetryMs up to kWriteAttempts times while it cannot be written.
inline constexpr int kWriteAttempts = 20;
inline constexpr uint32_t kWriteRetryMs = 250;
int WriteProgramFile(FileSystem& files, Clock& clock, const std::u16string& path,
                     std::span<const uint8_t> bytes);

// Non-zero when the copy was made (the target is overwritten).
int CopyOneFile(FileOperations& fileOps, const std::u16string& source,
                const std::u16string& target);

// CreateDirectoryW's answer: true only when the folder did not exist and was made.
bool CreateDirectoryOnce(FileSystem& files, const std::u16string& path);

// `a` and `b` joined by exactly one backslash.
std::u16string JoinPath(const std::u16string& a, const std::u16string& b);

// Copies the tree `source` into `target`, or into target + the source's last name when the
// two last names differ. 1 when it ran, 0 when either path has no usable backslash.
int CopyFolderTree(FileSystem& files, FileOperations& fileOps, SystemInfo& system,
                   const std::u16string& source, const std::u16string& target);

// 1 and the name of the first entry of `folder` that is a file whose name does not begin with
// "."; 0 when there is none.
int FindFirstPlainFile(FileSystem& files, const std::u16string& folder, std::u16string& name);

}  // namespace tonedeck
