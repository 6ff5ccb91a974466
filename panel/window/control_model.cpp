#include "panel/window/control_model.h"

#include <stdexcept>

#include "common/text.h"

namespace tonedeck {

ControlId ControlModel::Add(Control control) {
    controls_.push_back(std::move(control));
    return controls_.size() - 1;
}

std::optional<ControlId> ControlModel::Find(std::u16string_view name) const {
    for (ControlId id = 0; id < controls_.size(); ++id) {
        if (controls_[id].name == name) return id;
    }
    return std::nullopt;
}

ControlId ControlModel::Get(std::u16string_view name) const {
    auto found = Find(name);
    if (!found) throw std::logic_error("no control named " + U16ToUtf8(name));
    return *found;
}

namespace {

std::optional<ControlId> LastWithTag(const std::vector<Control>& controls, ControlKind kind,
                                     int tag) {
    for (std::size_t i = controls.size(); i-- > 0;) {
        if (controls[i].kind == kind && controls[i].tag == tag) return i;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ControlId> ControlModel::LastImageWithTag(int tag) const {
    return LastWithTag(controls_, ControlKind::Image, tag);
}

std::optional<ControlId> ControlModel::LastLabelWithTag(int tag) const {
    return LastWithTag(controls_, ControlKind::Label, tag);
}

bool ControlModel::Showing(ControlId id) const {
    for (std::optional<ControlId> at = id; at; at = controls_[*at].parent) {
        const Control& control = controls_[*at];
        if (!control.visible) return false;
        if (control.kind == ControlKind::Page && control.parent) {
            const Control& book = controls_[*control.parent];
            auto pages = Children(*control.parent);
            std::size_t index = 0;
            while (index < pages.size() && pages[index] != *at) ++index;
            if (static_cast<int>(index) != book.pageIndex) return false;
        }
    }
    return true;
}

Point ControlModel::ClientOrigin(ControlId id) const {
    Point origin;
    for (std::optional<ControlId> at = id; at && controls_[*at].kind != ControlKind::Form;
         at = controls_[*at].parent) {
        origin.x += controls_[*at].left;
        origin.y += controls_[*at].top;
    }
    return origin;
}

std::vector<ControlId> ControlModel::Children(ControlId parent) const {
    std::vector<ControlId> children;
    for (ControlId id = 0; id < controls_.size(); ++id) {
        if (controls_[id].parent == parent) children.push_back(id);
    }
    return children;
}

std::optional<ControlId> ControlModel::ControlAt(ControlId container, Point point,
                                                 bool includeDisabled) const {
    const Control& box = controls_[container];
    std::vector<ControlId> children = Children(container);
    // Later children lie on top.
    for (std::size_t i = children.size(); i-- > 0;) {
        ControlId id = children[i];
        const Control& child = controls_[id];
        if (!child.visible || (!child.enabled && !includeDisabled)) continue;
        if (child.kind == ControlKind::Page && static_cast<int>(i) != box.pageIndex) {
            continue;
        }
        if (point.x < child.left || point.y < child.top || point.x >= child.left + child.width ||
            point.y >= child.top + child.height) {
            continue;
        }
        Point inner{point.x - child.left, point.y - child.top};
        if (auto deeper = ControlAt(id, inner, includeDisabled)) return deeper;
        return id;
    }
    return std::nullopt;
}

}  // namespace tonedeck
