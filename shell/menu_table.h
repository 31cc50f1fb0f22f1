// The main menu and the accelerator table as data: the same lists
// (resources/main_menu.inc, resources/accelerators.inc) build the resource
// script's "MAIN_MENU" and "ACCELERATOR" and these portable tables.
#pragma once

// One menu entry, in menu order: a popup start (id -1, its title), an item,
// a separator (id 0, no text) or a popup end (id -2).
struct MenuEntry {
    int id;
    const char* text;  // item text as stored, "&" mnemonic, "\t" then the keys
    int grayed;        // 1: the item starts greyed
};
constexpr int kMenuPopup = -1;
constexpr int kMenuPopupEnd = -2;
constexpr int kMenuSeparator = 0;

extern const MenuEntry kMenuEntries[];
extern const int kMenuEntryCount;

// One accelerator: a virtual-key code with modifiers, and its command.
struct Accelerator {
    int key;  // virtual-key code
    int id;   // command
    int ctrl;
    int shift;
};
extern const Accelerator kAccelerators[];
extern const int kAcceleratorCount;

// The entry of the item with command `id`, or null.
const MenuEntry* FindMenuEntry(int id);
