// The program-wide mouse hook's side of the sliders and speakers: capture, drag, release.

#include "panel/window/main_window.h"

namespace tonedeck {

namespace {

constexpr std::u16string_view kPagePanels[5] = {u"EQPanel", u"D3Panel", u"EffectPanel", u"MicPanel",
                                                u"Virtual7p1Panel"};

// Controls of the virtual 7.1 page that never move.
bool FixedOnVirtualPage(std::u16string_view name) {
    return name == u"VirtualPicImage" || name == u"VirtualEnableImage" ||
           name == u"VirtualENLabel" || name == u"VirtualResetImage" ||
           name == u"VirtualResetLabel";
}

}  // namespace

bool MainWindow::StartDrag(ControlId control) {
    if (!ports_.actions.State().devicePresent) {
        Warn();
        ports_.host.ProcessPendingMessages();
        return false;
    }
    dragging_ = true;
    dragStart_ = {controls_[control].left, controls_[control].top};
    return true;
}

void MainWindow::HookPress(Point screen, Point client) {
    pressScreen_ = screen;
    const int page = CurrentPage();
    if (page < 0 || page > 4) return;
    const ControlId panel = controls_.Get(kPagePanels[page]);
    const Point origin = controls_.ClientOrigin(panel);
    const Point inPanel{client.x - origin.x, client.y - origin.y};
    captured_ = controls_.ControlAt(panel, inPanel, true);
    if (!captured_) return;
    const Control& control = controls_[*captured_];
    const int tag = control.tag;
    switch (page) {
        case 0:
        case 3: {
            const bool knob = page == 0 ? (tag >= 29 && tag <= 33) : tag == 38;
            const bool bar = page == 0 ? (tag >= 129 && tag <= 133) : tag == 138;
            if (knob) {
                StartDrag(*captured_);
            } else if (bar) {
                if (!ports_.actions.State().devicePresent) {
                    Warn();
                    ports_.host.ProcessPendingMessages();
                } else {
                    ports_.actions.BarPressed(page, *captured_, inPanel);
                }
            }
            break;
        }
        case 1:
            if (tag >= 34 && tag <= 37) StartDrag(*captured_);
            break;
        case 4:
            if (!FixedOnVirtualPage(control.name)) StartDrag(*captured_);
            break;
        default:
            break;
    }
}

void MainWindow::HookMove(Point screen) {
    if (!dragging_ || !captured_) return;
    ports_.actions.DragMoved(CurrentPage(), *captured_, dragStart_.x + (screen.x - pressScreen_.x),
                             dragStart_.y + (screen.y - pressScreen_.y));
}

void MainWindow::HookRelease() {
    dragging_ = false;
    captured_.reset();
}

}  // namespace tonedeck
