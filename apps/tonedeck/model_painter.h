#pragma once
// Paints a control model (pictures, labels, bevels) into a device context, and measures label
// text in the fonts it paints with.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>

#include "apps/tonedeck/picture_cache.h"
#include "panel/window/control_model.h"
#include "panel/window/window_host.h"

namespace tonedeck {

// 0x00BBGGRR as it stands; 0xFF000000 plus an index is that system colour.
COLORREF ColorRefOf(int32_t color);

class ModelPainter {
  public:
    explicit ModelPainter(const PictureCache& pictures) : pictures_(pictures) {}

    // Paints the controls under `root` (in component order, later ones on top, each clipped to
    // its parent) over the button-face colour. `dc` is the off-screen buffer.
    void Paint(HDC dc, const ControlModel& model, ControlId root, SIZE client);
    TextSize Measure(const std::u16string& text, const Font& font);

  private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;
    using FontKey = std::tuple<std::u16string, int, bool>;

    HFONT FontFor(const Font& font, int pixelsPerInch);
    void PaintChildren(HDC dc, const ControlModel& model,
                       const std::vector<std::vector<ControlId>>& children, ControlId parent,
                       POINT origin, const RECT& clip);
    void PaintControl(HDC dc, const Control& control, const RECT& bounds);
    void PaintImage(HDC dc, const Control& control, const RECT& bounds);
    void PaintLabel(HDC dc, const Control& control, const RECT& bounds);

    const PictureCache& pictures_;
    std::map<FontKey, UniqueFont> fonts_;
};

// WM_PAINT of a window drawn from `model`: painted off-screen, then copied in one go.
void PaintWindowBuffered(HWND window, ModelPainter& painter, const ControlModel& model);

}  // namespace tonedeck
