#pragma once
// GDI+ for the whole run of the program: started once before any picture is decoded and shut
// down after the last one is gone.

#include <windows.h>

#include <cstdint>

namespace tonedeck {

class GdiplusSession {
  public:
    // Throws when GDI+ cannot start.
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

  private:
    ULONG_PTR token_ = 0;
};

}  // namespace tonedeck
