#include "apps/tonedeck/picture_cache.h"

// GDI+ needs the COM stream and property types first.
// clang-format off
#include <windows.h>
#include <objidl.h>
#include <propidl.h>
#include <shlwapi.h>
#include <gdiplus.h>
// clang-format on

#include <cstring>

#include "common/text.h"
#include "panel/window/window_errors.h"

namespace tonedeck {

namespace {

struct StreamRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};

struct ImageDispose {
    void operator()(Gdiplus::GpBitmap* image) const {
        Gdiplus::DllExports::GdipDisposeImage(image);
    }
};

FileLoadError CannotLoad(const std::u16string& path, const std::u16string& why) {
    return FileLoadError(u"Cannot load picture \"" + path + u"\": " + why + u".");
}

// The pixels as a premultiplied DIB section; null when GDI+ cannot decode them.
UniqueBitmap Decode(const std::vector<uint8_t>& bytes, int& width, int& height) {
    std::unique_ptr<IStream, StreamRelease> stream(
        SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    if (!stream) return nullptr;
    Gdiplus::GpBitmap* raw = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream.get(), &raw) != Gdiplus::Ok) {
        return nullptr;
    }
    std::unique_ptr<Gdiplus::GpBitmap, ImageDispose> image(raw);
    UINT w = 0;
    UINT h = 0;
    Gdiplus::DllExports::GdipGetImageWidth(image.get(), &w);
    Gdiplus::DllExports::GdipGetImageHeight(image.get(), &h);
    if (w == 0 || h == 0) return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(w);
    info.bmiHeader.biHeight = -static_cast<LONG>(h);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return nullptr;

    // GDI+ writes the pixels straight into the DIB section in the layout AlphaBlend wants.
    Gdiplus::BitmapData data{};
    data.Width = w;
    data.Height = h;
    data.Stride = static_cast<INT>(w * 4);
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = bits;
    Gdiplus::GpRect rect(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    const UINT mode = Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf;
    if (Gdiplus::DllExports::GdipBitmapLockBits(image.get(), &rect, mode, PixelFormat32bppPARGB,
                                                &data) != Gdiplus::Ok) {
        return nullptr;
    }
    Gdiplus::DllExports::GdipBitmapUnlockBits(image.get(), &data);
    GdiFlush();
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return bitmap;
}

}  // namespace

PictureSize PictureCache::Load(const std::u16string& path) {
    auto found = pictures_.find(path);
    if (found != pictures_.end() && found->second.generation == generation_) {
        return {found->second.width, found->second.height};
    }
    std::vector<uint8_t> bytes;
    if (files_.ReadWholeFile(path, bytes) != FileReadStatus::Ok) {
        throw FileLoadError(u"Cannot open file \"" + path + u"\".");
    }
    // The header check names what is wrong with a broken file; GDI+ only says that it failed.
    PictureInfo info = ReadPictureHeader(PictureFormatFor(path), bytes);
    if (!info.ok) throw CannotLoad(path, Utf8ToU16(info.problem));
    DecodedPicture picture;
    picture.bitmap = Decode(bytes, picture.width, picture.height);
    if (!picture.bitmap) throw CannotLoad(path, u"the picture cannot be decoded");
    picture.generation = generation_;
    PictureSize size{picture.width, picture.height};
    pictures_[path] = std::move(picture);
    return size;
}

const DecodedPicture* PictureCache::Find(const std::u16string& path) const {
    auto found = pictures_.find(path);
    return found == pictures_.end() ? nullptr : &found->second;
}

}  // namespace tonedeck
