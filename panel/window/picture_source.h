#pragma once
// Pictures of the skins: their size and whether they can be decoded, from the file's header.
// The pixels themselves are decoded where the window is painted.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ports/file_system.h"

namespace tonedeck {

struct PictureInfo {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::string problem;  // why the picture cannot be used, when not ok
};

enum class PictureFormat { Bmp, Png, Unknown };

// By the file name's extension, without regard to case.
PictureFormat PictureFormatFor(const std::u16string& fileName);

// Checks signature, header, dimensions and that the file holds all it announces.
PictureInfo ReadBmpHeader(const std::vector<uint8_t>& bytes);
PictureInfo ReadPngHeader(const std::vector<uint8_t>& bytes);
PictureInfo ReadPictureHeader(PictureFormat format, const std::vector<uint8_t>& bytes);

struct PictureSize {
    int width = 0;
    int height = 0;
};

class PictureSource {
  public:
    virtual ~PictureSource() = default;
    // The picture's size; throws FileLoadError naming the file when it is missing or cannot be
    // decoded.
    virtual PictureSize Load(const std::u16string& path) = 0;
};

class FilePictureSource : public PictureSource {
  public:
    explicit FilePictureSource(FileSystem& files) : files_(files) {}
    PictureSize Load(const std::u16string& path) override;

  private:
    FileSystem& files_;
};

}  // namespace tonedeck
