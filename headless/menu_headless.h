// The headless main menu: a copy of the menu table (shell/menu_table.h) with
// each item's text, enabled and checked state, changed by the menu functions
// of base/menu.h exactly as the loaded menu would be.
#pragma once

// Puts every item back to its resource text and starting state.
void HeadlessMenuReset();
