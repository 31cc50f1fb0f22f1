// The menu item functions (menu.h) on the loaded main menu.
#include <windows.h>

#include <cstring>

#include "base/menu.h"
#include "views/gdi_resources_win32.h"

namespace {

UINT ItemState(int id) {
    if (gMainMenu == nullptr) return 0xFFFFFFFFu;
    return GetMenuState(gMainMenu, static_cast<UINT>(id), MF_BYCOMMAND);
}

}  // namespace

void EnableMenuCommand(int id, int enable) {
    if (gMainMenu == nullptr) return;
    EnableMenuItem(gMainMenu, static_cast<UINT>(id),
                   MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void CheckMenuCommand(int id, int check) {
    if (gMainMenu == nullptr) return;
    CheckMenuItem(gMainMenu, static_cast<UINT>(id),
                  MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
}

void RadioCheckMenuCommand(int first, int last, int id) {
    if (gMainMenu == nullptr) return;
    CheckMenuRadioItem(gMainMenu, static_cast<UINT>(first), static_cast<UINT>(last),
                       static_cast<UINT>(id), MF_BYCOMMAND);
}

int GetMenuCommandText(int id, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = '\0';
    if (gMainMenu == nullptr) return 0;
    int length = GetMenuStringA(gMainMenu, static_cast<UINT>(id), buffer, size, MF_BYCOMMAND);
    if (length < 0) length = 0;
    buffer[size - 1] = '\0';
    return static_cast<int>(std::strlen(buffer)) < length ? static_cast<int>(std::strlen(buffer))
                                                          : length;
}

void SetMenuCommandText(int id, const char* text) {
    if (gMainMenu == nullptr || text == nullptr) return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text);
    SetMenuItemInfoA(gMainMenu, static_cast<UINT>(id), FALSE, &info);
}

int IsMenuCommandEnabled(int id) {
    UINT state = ItemState(id);
    if (state == 0xFFFFFFFFu) return 0;
    return (state & (MF_GRAYED | MF_DISABLED)) ? 0 : 1;
}

int IsMenuCommandChecked(int id) {
    UINT state = ItemState(id);
    if (state == 0xFFFFFFFFu) return 0;
    return (state & MF_CHECKED) ? 1 : 0;
}
