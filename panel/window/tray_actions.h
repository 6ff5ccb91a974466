#pragma once
// What a mouse event on the tray icon asks the program to do.

namespace tonedeck {

enum class TrayMouseEvent {
    Move,
    LeftDown,
    LeftUp,
    LeftDoubleClick,
    RightDown,
    RightUp,
    RightDoubleClick,
    MiddleDown,
    MiddleUp,
    MiddleDoubleClick,
};

enum class TrayAction { None, Restore, OpenMenu };

TrayAction TrayActionFor(TrayMouseEvent event);

}  // namespace tonedeck
