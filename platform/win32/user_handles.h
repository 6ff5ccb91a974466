#pragma once
// Owners for USER objects that must be given back: icons loaded without LR_SHARED, menus.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tonedeck {

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

}  // namespace tonedeck
