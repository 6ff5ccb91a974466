#include "panel/window/tray_actions.h"

namespace tonedeck {

TrayAction TrayActionFor(TrayMouseEvent event) {
    switch (event) {
        case TrayMouseEvent::LeftDoubleClick:
        case TrayMouseEvent::RightDoubleClick:
        case TrayMouseEvent::MiddleDoubleClick:
            return TrayAction::Restore;
        case TrayMouseEvent::RightUp:
            return TrayAction::OpenMenu;
        default:
            return TrayAction::None;
    }
}

}  // namespace tonedeck
