#pragma once
// The main window as data: images, labels, panels, bevels and the page notebook, each with its
// name, tag, parent, place and look. The Win32 side paints this; the logic only edits it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tonedeck {

enum class ControlKind { Form, Image, Label, Panel, Bevel, Notebook, Page };

struct Point {
    int x = 0;
    int y = 0;
};

struct Font {
    std::u16string name = u"Tahoma";
    int size = 8;         // points
    int pixelHeight = 0;  // when not 0, the character height in pixels instead of `size`
    bool bold = false;
    int32_t color = 0;  // 0x00BBGGRR, or 0xFF000000 plus a system colour index
};

using ControlId = std::size_t;

struct Control {
    ControlKind kind = ControlKind::Image;
    std::u16string name;
    int tag = 0;
    std::optional<ControlId> parent;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
    bool enabled = true;
    bool autoSize = false;
    bool stretch = false;
    bool wordWrap = false;
    // Images: the picture file and its own size; empty means the built-in picture.
    std::u16string picture;
    int pictureWidth = 0;
    int pictureHeight = 0;
    std::u16string caption;
    Font font;
    // Notebooks: the page that shows.
    int pageIndex = 0;
};

class ControlModel {
  public:
    // Controls in creation order; a parent always comes before its children.
    ControlId Add(Control control);

    std::size_t size() const { return controls_.size(); }
    Control& operator[](ControlId id) { return controls_[id]; }
    const Control& operator[](ControlId id) const { return controls_[id]; }

    std::optional<ControlId> Find(std::u16string_view name) const;
    // Find() for names the window definition guarantees; throws std::logic_error otherwise.
    ControlId Get(std::u16string_view name) const;

    // The image (or label) with that tag that comes last among the window's components.
    std::optional<ControlId> LastImageWithTag(int tag) const;
    std::optional<ControlId> LastLabelWithTag(int tag) const;

    // Whether the control shows: it and every ancestor visible, and on the showing page.
    bool Showing(ControlId id) const;
    // Position of the control's top-left corner in the client area of its form.
    Point ClientOrigin(ControlId id) const;

    // The top-most visible control under `point` (in `container`'s coordinates), searched at any
    // depth among its descendants; disabled controls only when `includeDisabled`.
    std::optional<ControlId> ControlAt(ControlId container, Point point,
                                       bool includeDisabled) const;

    std::vector<ControlId> Children(ControlId parent) const;

  private:
    std::vector<Control> controls_;
};

}  // namespace tonedeck
