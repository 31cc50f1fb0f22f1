// The main menu and accelerator lists, and the headless menu functions.
#include "shell/menu_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/menu.h"
#include "headless/menu_headless.h"
#include "shell/commands.h"
#include "views/view_state.h"

namespace {

// "Ctrl+Shift+Z" -> key and modifiers, as the accelerator table holds them.
bool ParseKeys(const std::string& keys, Accelerator* out) {
    *out = Accelerator{0, 0, 0, 0};
    std::string rest = keys;
    for (;;) {
        if (rest.rfind("Ctrl+", 0) == 0) {
            out->ctrl = 1;
            rest = rest.substr(5);
        } else if (rest.rfind("Shift+", 0) == 0) {
            out->shift = 1;
            rest = rest.substr(6);
        } else {
            break;
        }
    }
    if (rest.size() == 1 && rest[0] >= 'A' && rest[0] <= 'Z') {
        out->key = rest[0];
    } else if (rest == "Delete") {
        out->key = 0x2E;
    } else if (rest.size() >= 2 && rest[0] == 'F') {
        out->key = 0x70 + std::atoi(rest.c_str() + 1) - 1;
    } else {
        return false;
    }
    return true;
}

}  // namespace

TEST(MenuTable, EveryCommandOfTheTableHasItsItem) {
    const int ids[] = {1,  6,  2,  3,  4,  5,  41, 42, 7,  8,  9,  10, 11, 12, 13, 14, 16, 17,
                       18, 19, 20, 21, 22, 25, 27, 23, 24, 31, 32, 33, 51, 52, 53, 54, 55, 56};
    for (int id : ids) EXPECT_NE(FindMenuEntry(id), nullptr) << id;
    // 26 (ROM banks of every model) is changed in the Preferences dialog;
    // 27 (the picture's fit mode) has its own View item so that every stored
    // preference can be changed.
    EXPECT_EQ(FindMenuEntry(26), nullptr);
    EXPECT_NE(FindMenuEntry(27), nullptr);
    EXPECT_STREQ(FindMenuEntry(kCmdSave)->text, "&Save\tCtrl+S");
    EXPECT_STREQ(FindMenuEntry(kCmdPreferences)->text, " &Preferences...");
    EXPECT_STREQ(FindMenuEntry(kCmdListView)->text, "Li&st View");
}

TEST(MenuTable, PopupsAreBalancedAndInOrder) {
    std::string titles;
    int depth = 0;
    for (int i = 0; i < kMenuEntryCount; ++i) {
        const MenuEntry& e = kMenuEntries[i];
        if (e.id == kMenuPopup) {
            EXPECT_EQ(depth, 0);
            ++depth;
            titles += e.text;
            titles += ' ';
        } else if (e.id == kMenuPopupEnd) {
            EXPECT_EQ(depth, 1);
            --depth;
        } else {
            EXPECT_EQ(depth, 1) << "item outside a popup";
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(titles, "&File &Edit &View &Options &Help ");
}

TEST(MenuTable, ShownKeysAndAcceleratorsAgree) {
    // Every key text after a tab is an accelerator of that same command, and
    // every accelerator is shown on its item (Alt+F4 is the platform's own).
    int shown = 0;
    for (int i = 0; i < kMenuEntryCount; ++i) {
        const MenuEntry& e = kMenuEntries[i];
        if (e.id <= 0) continue;
        const char* tab = std::strchr(e.text, '\t');
        if (tab == nullptr) continue;
        std::string keys = tab + 1;
        if (keys == "Alt+F4") {
            EXPECT_EQ(e.id, kCmdQuit);
            continue;
        }
        Accelerator wanted;
        ASSERT_TRUE(ParseKeys(keys, &wanted)) << keys;
        int matches = 0;
        for (int a = 0; a < kAcceleratorCount; ++a) {
            const Accelerator& acc = kAccelerators[a];
            if (acc.key == wanted.key && acc.ctrl == wanted.ctrl && acc.shift == wanted.shift) {
                EXPECT_EQ(acc.id, e.id) << keys;
                ++matches;
            }
        }
        EXPECT_EQ(matches, 1) << keys;
        ++shown;
    }
    // Ctrl+Y redoes too, as everywhere on Windows; the item shows its own key.
    Accelerator ctrlY;
    ASSERT_TRUE(ParseKeys("Ctrl+Y", &ctrlY));
    int redo = 0;
    for (int a = 0; a < kAcceleratorCount; ++a) {
        const Accelerator& acc = kAccelerators[a];
        if (acc.key == ctrlY.key && acc.ctrl && !acc.shift) redo = acc.id;
    }
    EXPECT_EQ(redo, kCmdRedo);
    EXPECT_EQ(shown + 1, kAcceleratorCount);
}

TEST(MenuTable, StartingStates) {
    for (int i = 0; i < kMenuEntryCount; ++i) {
        const MenuEntry& e = kMenuEntries[i];
        if (e.id <= 0) continue;
        // Preferences works (its dialog exists), so it is not greyed; there is
        // no comparison to clear before one is made.
        bool greyed = e.id == kCmdUndo || e.id == kCmdRedo || e.id == kCmdPaste ||
                      e.id == kCmdClearComparison;
        EXPECT_EQ(e.grayed, greyed ? 1 : 0) << e.id;
    }
}

TEST(HeadlessMenu, TextsAndStatesChangeLikeTheRealMenu) {
    HeadlessMenuReset();
    char text[64];
    EXPECT_EQ(GetMenuCommandText(kCmdUndo, text, sizeof text), 12);
    EXPECT_STREQ(text, "&Undo\tCtrl+Z");
    EXPECT_EQ(GetMenuCommandText(kCmdUndo, text, 5), 4);
    EXPECT_STREQ(text, "&Und");
    EXPECT_EQ(GetMenuCommandText(99, text, sizeof text), 0);
    EXPECT_STREQ(text, "");
    SetMenuCommandText(kCmdUndo, "&Undo Paste\tCtrl+Z");
    GetMenuCommandText(kCmdUndo, text, sizeof text);
    EXPECT_STREQ(text, "&Undo Paste\tCtrl+Z");

    EXPECT_EQ(IsMenuCommandEnabled(kCmdPaste), 0);
    EnableMenuCommand(kCmdPaste, 1);
    EXPECT_EQ(IsMenuCommandEnabled(kCmdPaste), 1);
    HeadlessMenuReset();
    EXPECT_EQ(IsMenuCommandEnabled(kCmdPaste), 0);
    GetMenuCommandText(kCmdUndo, text, sizeof text);
    EXPECT_STREQ(text, "&Undo\tCtrl+Z");
}

TEST(HeadlessMenu, UpdateViewMenuFollowsTheViewState) {
    HeadlessMenuReset();
    gViewMode = ViewMode::kList;
    gShowCcCh = 1;
    gLibraryShown = 0;
    gEditorShown = 1;
    UpdateViewMenu();
    EXPECT_EQ(IsMenuCommandChecked(kCmdGraphicView), 0);
    EXPECT_EQ(IsMenuCommandChecked(kCmdListView), 1);
    EXPECT_EQ(IsMenuCommandChecked(kCmdShowCcCh), 1);
    EXPECT_EQ(IsMenuCommandChecked(kCmdLibraryWindow), 0);
    EXPECT_EQ(IsMenuCommandChecked(kCmdEditorWindow), 1);
    gViewMode = ViewMode::kGraphic;
    gShowCcCh = 0;
    gEditorShown = 0;
    UpdateViewMenu();
    EXPECT_EQ(IsMenuCommandChecked(kCmdGraphicView), 1);
    EXPECT_EQ(IsMenuCommandChecked(kCmdListView), 0);
    EXPECT_EQ(IsMenuCommandChecked(kCmdEditorWindow), 0);
    HeadlessMenuReset();
}

TEST(Title, NamesTheLoadedDeviceOrUntitled) {
    char title[64];
    FormatTitle(title, sizeof title, "");
    EXPECT_STREQ(title, "Ostrel - (Untitled)");
    FormatTitle(title, sizeof title, nullptr);
    EXPECT_STREQ(title, "Ostrel - (Untitled)");
    FormatTitle(title, sizeof title, "Corvanith K49");
    EXPECT_STREQ(title, "Ostrel - Corvanith K49");
    FormatTitle(title, 10, "Corvanith K49");
    EXPECT_STREQ(title, "Ostrel - ");
}
