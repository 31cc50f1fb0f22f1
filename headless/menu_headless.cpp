// Headless menu functions over a copy of the menu table (menu_headless.h).
#include "headless/menu_headless.h"

#include <cstring>
#include <string>

#include "base/menu.h"
#include "shell/menu_table.h"

namespace {

struct HeadlessItem {
    int id;
    std::string text;
    int enabled;
    int checked;
};

constexpr int kMaxItems = 128;
HeadlessItem gItems[kMaxItems];
int gItemCount = -1;  // -1: not built yet

void Build() {
    gItemCount = 0;
    for (int i = 0; i < kMenuEntryCount && gItemCount < kMaxItems; ++i) {
        const MenuEntry& e = kMenuEntries[i];
        if (e.id <= 0) continue;
        gItems[gItemCount++] = HeadlessItem{e.id, e.text, e.grayed ? 0 : 1, 0};
    }
}

HeadlessItem* Find(int id) {
    if (gItemCount < 0) Build();
    for (int i = 0; i < gItemCount; ++i) {
        if (gItems[i].id == id) return &gItems[i];
    }
    return nullptr;
}

}  // namespace

void HeadlessMenuReset() {
    Build();
}

void EnableMenuCommand(int id, int enable) {
    if (HeadlessItem* item = Find(id)) item->enabled = enable ? 1 : 0;
}

void CheckMenuCommand(int id, int check) {
    if (HeadlessItem* item = Find(id)) item->checked = check ? 1 : 0;
}

void RadioCheckMenuCommand(int first, int last, int id) {
    for (int i = first; i <= last; ++i) {
        if (HeadlessItem* item = Find(i)) item->checked = i == id ? 1 : 0;
    }
}

int GetMenuCommandText(int id, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = '\0';
    HeadlessItem* item = Find(id);
    if (item == nullptr) return 0;
    int length = static_cast<int>(item->text.size());
    if (length > size - 1) length = size - 1;
    std::memcpy(buffer, item->text.data(), length);
    buffer[length] = '\0';
    return length;
}

void SetMenuCommandText(int id, const char* text) {
    if (HeadlessItem* item = Find(id)) item->text = text ? text : "";
}

int IsMenuCommandEnabled(int id) {
    HeadlessItem* item = Find(id);
    return item ? item->enabled : 0;
}

int IsMenuCommandChecked(int id) {
    HeadlessItem* item = Find(id);
    return item ? item->checked : 0;
}
