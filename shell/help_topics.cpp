// Which page of the user guide each help context shows, and which context F1 on
// each menu item asks for.
#include "shell/commands.h"
#include "shell/help.h"

// The pages in data/Help. Anchors are the id attributes on those pages; the
// tests read the pages and check that every page and anchor named here exists.
const HelpTopic kHelpTopics[] = {
    {0, "about.html", ""},  // F1 on "About Ostrel..."
    {kHelpContents, "index.html", ""},
    {kHelpMenus, "menus.html", ""},
    {kHelpWindow, "windows.html", ""},
    {kHelpKeyboard, "keyboard.html", ""},
    // File menu
    {301, "menus.html", "new-bank"},
    {302, "menus.html", "load"},
    {303, "menus.html", "save"},
    {304, "menus.html", "save-as"},
    {305, "menus.html", "reload-bank"},
    {306, "menus.html", "delete-bank"},
    {307, "menus.html", "upload"},
    {308, "menus.html", "download"},
    {309, "menus.html", "send"},
    {310, "menus.html", "quit"},
    {311, "preset-sheet.html", ""},
    {312, "sysex-files.html", ""},
    // Edit menu
    {400, "menus.html", "undo"},
    {401, "menus.html", "redo"},
    {402, "menus.html", "copy"},
    {404, "menus.html", "paste"},
    {406, "menus.html", "select-all"},
    {407, "menus.html", "describe-clipboard"},
    {408, "compare.html", ""},
    {409, "compare.html", "device-bank"},
    {410, "compare.html", "clear"},
    // View menu
    {501, "menus.html", "graphic-view"},
    {502, "menus.html", "list-view"},
    {503, "menus.html", "library"},
    {504, "menus.html", "control-editor"},
    {505, "menus.html", "show-cc"},
    {506, "menus.html", "fit-view"},
    // Options menu and its dialogs
    {kHelpMidiSetup, "midi-setup.html", ""},
    {kHelpPreferences, "preferences.html", ""},
    {703, "menus.html", "refresh-devices"},
    // Help menu
    {kHelpHowToUseHelp, "howto.html", ""},
    {kHelpAbout, "about.html", ""},
};
const int kHelpTopicCount = sizeof kHelpTopics / sizeof kHelpTopics[0];

namespace {

struct MenuHelp {
    int commandId;
    int context;
};

// F1 on an open menu's highlighted item. "&Window" (53) has no entry of its
// own: F1 on it shows nothing, as on every item missing here.
const MenuHelp kMenuHelp[] = {
    {kCmdNewBank, 301},
    {kCmdDeleteBank, 306},
    {kCmdLoad, 302},
    {kCmdSave, 303},
    {kCmdSaveAs, 304},
    {kCmdReloadBank, 305},
    {kCmdUpload, 307},
    {kCmdDownload, 308},
    {kCmdSendToDevice, 309},
    {kCmdQuit, 310},
    {kCmdExportPresetSheet, 311},
    {kCmdExportSyx, 312},
    {kCmdUndo, 400},
    {kCmdRedo, 401},
    {kCmdCopy, 402},
    {kCmdPaste, 404},
    {kCmdSelectAll, 406},
    {kCmdDescribeClipboard, 407},
    {kCmdCompareWith, 408},
    {kCmdCompareDeviceBank, 409},
    {kCmdClearComparison, 410},
    {kCmdGraphicView, 501},
    {kCmdListView, 502},
    {kCmdShowCcCh, 505},
    {kCmdLibraryWindow, 503},
    {kCmdEditorWindow, 504},
    {kCmdFitMode, 506},
    {kCmdMidiSetup, kHelpMidiSetup},
    {kCmdPreferences, kHelpPreferences},
    {kCmdRefreshDevices, 703},
    {kCmdHelpContents, kHelpContents},
    {kCmdHelpMenus, kHelpMenus},
    {kCmdHelpKeyboard, kHelpKeyboard},
    {kCmdHelpOnHelp, kHelpHowToUseHelp},
    {kCmdAbout, 0},
};

}  // namespace

const HelpTopic* FindHelpTopic(int context) {
    for (const HelpTopic& t : kHelpTopics) {
        if (t.context == context) return &t;
    }
    return nullptr;
}

int MenuHelpContext(int commandId) {
    for (const MenuHelp& m : kMenuHelp) {
        if (m.commandId == commandId) return m.context;
    }
    return -1;
}
