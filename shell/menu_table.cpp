// The main menu and accelerators as portable tables (menu_table.h), from the
// same lists as the resource script.
#include "shell/menu_table.h"

#define MENU_ENABLED 0
#define MENU_GRAYED 1
const MenuEntry kMenuEntries[] = {
#define MENU_POPUP(text) {kMenuPopup, text, 0},
#define MENU_POPUP_END() {kMenuPopupEnd, nullptr, 0},
#define MENU_ITEM(id, text, state) {id, text, state},
#define MENU_SEPARATOR() {kMenuSeparator, nullptr, 0},
#include "resources/main_menu.inc"
#undef MENU_POPUP
#undef MENU_POPUP_END
#undef MENU_ITEM
#undef MENU_SEPARATOR
};
#undef MENU_ENABLED
#undef MENU_GRAYED
const int kMenuEntryCount = sizeof(kMenuEntries) / sizeof(kMenuEntries[0]);

const Accelerator kAccelerators[] = {
#define ACCEL_CTRL(key, id) {key, id, 1, 0},
#define ACCEL_CTRL_SHIFT(key, id) {key, id, 1, 1},
#define ACCEL_PLAIN(key, id) {key, id, 0, 0},
#include "resources/accelerators.inc"
#undef ACCEL_CTRL
#undef ACCEL_CTRL_SHIFT
#undef ACCEL_PLAIN
};
const int kAcceleratorCount = sizeof(kAccelerators) / sizeof(kAccelerators[0]);

const MenuEntry* FindMenuEntry(int id) {
    if (id <= 0) return nullptr;
    for (int i = 0; i < kMenuEntryCount; ++i) {
        if (kMenuEntries[i].id == id) return &kMenuEntries[i];
    }
    return nullptr;
}
