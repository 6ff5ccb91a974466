#include "apps/tonedeck/model_painter.h"

#include <algorithm>

#include "platform/win32/wide.h"

namespace tonedeck {

namespace {

// Label text as the labels show it: ampersands are plain characters.
constexpr UINT kLabelFlags = DT_LEFT | DT_NOPREFIX;

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

class SavedDc {
  public:
    explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDc() { RestoreDC(dc_, saved_); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

  private:
    HDC dc_;
    int saved_;
};

}  // namespace

COLORREF ColorRefOf(int32_t color) {
    const auto bits = static_cast<uint32_t>(color);
    if ((bits & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(bits & 0xFF));
    return bits & 0x00FFFFFFu;
}

HFONT ModelPainter::FontFor(const Font& font, int pixelsPerInch) {
    const int height =
        font.pixelHeight != 0 ? -font.pixelHeight : -MulDiv(font.size, pixelsPerInch, 72);
    FontKey key{font.name, height, font.bold};
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second.get();
    LOGFONTW log{};
    log.lfHeight = height;
    log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = ToWide(font.name).substr(0, LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), log.lfFaceName);
    HFONT created = CreateFontIndirectW(&log);
    // A face the system cannot give still leaves the text readable.
    if (!created) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts_[key].reset(created);
    return created;
}

TextSize ModelPainter::Measure(const std::u16string& text, const Font& font) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, FontFor(font, GetDeviceCaps(dc, LOGPIXELSY)));
    RECT r{0, 0, 0, 0};
    const std::wstring wide = ToWide(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, kLabelFlags | DT_CALCRECT);
    if (wide.empty()) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        r.bottom = metrics.tmHeight;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return {r.right - r.left, r.bottom - r.top};
}

void ModelPainter::Paint(HDC dc, const ControlModel& model, ControlId root, SIZE client) {
    RECT all{0, 0, client.cx, client.cy};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    std::vector<std::vector<ControlId>> children(model.size());
    for (ControlId id = 0; id < model.size(); ++id) {
        if (model[id].parent) children[*model[id].parent].push_back(id);
    }
    PaintChildren(dc, model, children, root, POINT{0, 0}, all);
}

void ModelPainter::PaintChildren(HDC dc, const ControlModel& model,
                                 const std::vector<std::vector<ControlId>>& children,
                                 ControlId parent, POINT origin, const RECT& clip) {
    const Control& box = model[parent];
    const auto& list = children[parent];
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Control& control = model[list[i]];
        if (!control.visible) continue;
        if (control.kind == ControlKind::Page && static_cast<int>(i) != box.pageIndex) continue;
        RECT bounds{origin.x + control.left, origin.y + control.top,
                    origin.x + control.left + control.width,
                    origin.y + control.top + control.height};
        RECT inner;
        if (!IntersectRect(&inner, &bounds, &clip) || Empty(inner)) continue;
        {
            SavedDc saved(dc);
            IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
            PaintControl(dc, control, bounds);
        }
        PaintChildren(dc, model, children, list[i], POINT{bounds.left, bounds.top}, inner);
    }
}

void ModelPainter::PaintControl(HDC dc, const Control& control, const RECT& bounds) {
    switch (control.kind) {
        case ControlKind::Image:
            PaintImage(dc, control, bounds);
            break;
        case ControlKind::Label:
            PaintLabel(dc, control, bounds);
            break;
        case ControlKind::Bevel: {
            RECT edge = bounds;
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
            break;
        }
        default:
            // Panels, pages and the notebook show their parent's colour under their pictures.
            break;
    }
}

void ModelPainter::PaintImage(HDC dc, const Control& control, const RECT& bounds) {
    if (control.picture.empty()) return;
    const DecodedPicture* picture = pictures_.Find(control.picture);
    if (!picture || !picture->bitmap) return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture->bitmap.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (control.stretch) {
        if (!Empty(bounds)) {
            AlphaBlend(dc, bounds.left, bounds.top, bounds.right - bounds.left,
                       bounds.bottom - bounds.top, source, 0, 0, picture->width, picture->height,
                       blend);
        }
    } else {
        // A picture larger than its control is cut at the control's edges (the clip region).
        AlphaBlend(dc, bounds.left, bounds.top, picture->width, picture->height, source, 0, 0,
                   picture->width, picture->height, blend);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

void ModelPainter::PaintLabel(HDC dc, const Control& control, const RECT& bounds) {
    if (control.caption.empty()) return;
    HGDIOBJ old = SelectObject(dc, FontFor(control.font, GetDeviceCaps(dc, LOGPIXELSY)));
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = ToWide(control.caption);
    const UINT flags = kLabelFlags | (control.wordWrap ? DT_WORDBREAK : 0);
    RECT r = bounds;
    if (control.enabled) {
        SetTextColor(dc, ColorRefOf(control.font.color));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    } else {
        // Disabled text: engraved, as the system draws it.
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
        r = bounds;
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    }
    SelectObject(dc, old);
}

void PaintWindowBuffered(HWND window, ModelPainter& painter, const ControlModel& model) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const SIZE size{client.right, client.bottom};
    if (size.cx > 0 && size.cy > 0) {
        HDC buffer = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, size.cx, size.cy);
        HGDIOBJ old = SelectObject(buffer, bitmap);
        painter.Paint(buffer, model, 0, size);
        BitBlt(dc, 0, 0, size.cx, size.cy, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, old);
        DeleteObject(bitmap);
        DeleteDC(buffer);
    }
    EndPaint(window, &paint);
}

}  // namespace tonedeck
