#pragma once
// The skin's pictures decoded by GDI+ into premultiplied 32-bit bitmaps, once per skin
// application, so that painting never touches the disk.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <type_traits>

#include "panel/window/picture_source.h"
#include "platform/ports/file_system.h"

namespace tonedeck {

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

struct DecodedPicture {
    UniqueBitmap bitmap;  // top-down, 32 bits per pixel, alpha premultiplied
    int width = 0;
    int height = 0;
    unsigned generation = 0;
};

class PictureCache : public PictureSource {
  public:
    explicit PictureCache(FileSystem& files) : files_(files) {}

    // Decodes the file unless this skin application already did; throws FileLoadError naming
    // the file when it is missing or cannot be decoded.
    PictureSize Load(const std::u16string& path) override;
    // A new skin is about to be applied: its files are read afresh, once each.
    void BeginSkinApplication() { ++generation_; }
    // The decoded picture, or null when none was loaded for `path`.
    const DecodedPicture* Find(const std::u16string& path) const;

  private:
    FileSystem& files_;
    std::map<std::u16string, DecodedPicture> pictures_;
    unsigned generation_ = 1;
};

}  // namespace tonedeck
