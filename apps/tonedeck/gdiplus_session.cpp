#include "apps/tonedeck/gdiplus_session.h"

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <propidl.h>
#include <gdiplus.h>
// clang-format on

#include <stdexcept>
#include <string>

namespace tonedeck {

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    const Gdiplus::Status status = Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    if (status != Gdiplus::Ok) {
        throw std::runtime_error("GdiplusStartup failed with status " +
                                 std::to_string(static_cast<int>(status)));
    }
}

GdiplusSession::~GdiplusSession() { Gdiplus::GdiplusShutdown(token_); }

}  // namespace tonedeck
