// Help: the user guide is a set of HTML pages in the "Help" folder beside the
// program, opened in the user's web browser. Every help context number the
// program uses (menu items under F1, the dialogs' F1, the Help menu) names a
// page, or a place on a page.
#pragma once

// Help contexts that are not menu items of the command table.
constexpr int kHelpContents = 8;        // the contents page (Help > Contents, F1)
constexpr int kHelpMenus = 40;          // Help > Menus
constexpr int kHelpWindow = 41;         // Help > Window
constexpr int kHelpKeyboard = 42;       // Help > Keyboard Shortcuts
constexpr int kHelpMidiSetup = 700;     // the MIDI Setup dialog
constexpr int kHelpPreferences = 701;   // the Preferences dialog
constexpr int kHelpHowToUseHelp = 900;  // Help > How to Use Help
constexpr int kHelpAbout = 901;         // the About box
constexpr int kHelpCompareWith = 408;   // Edit > Compare with... and its dialog

// Folder of the pages, beside the program.
constexpr char kHelpFolder[] = "Help";

// Where a context leads: a page of the Help folder and an anchor on it ("" for
// the top of the page).
struct HelpTopic {
    int context;
    const char* page;
    const char* anchor;
};

// The topic of a context; null for a context the help does not know.
const HelpTopic* FindHelpTopic(int context);

// All topics (for the tests: every page named must exist).
extern const HelpTopic kHelpTopics[];
extern const int kHelpTopicCount;

// F1 on a highlighted menu item: the help context of a command id, -1 when the
// item has no help of its own (then F1 shows nothing).
int MenuHelpContext(int commandId);

// Opens the page of `context` in the browser. An unknown context opens the
// contents. Returns 1 when the page was handed to the browser; 0 when the page
// is missing or no browser took it (the status display then names the page
// and the folder of the help pages).
int ShowHelpContext(int context);

// Help > Contents (and F1 outside a menu): the contents page.
int ShowHelpContents();

// Writes the file: URL of a help page into `out` (size bytes, NUL terminated):
// `path` is a file path in UTF-8, in either slash style ("C:\Ostrel\Help\menus.html" or
// "/opt/ostrel/Help/menus.html"), `anchor` is appended after "#" unless empty.
// Characters that a URL cannot hold as they are are percent-encoded. Returns 1,
// or 0 when the URL does not fit (out then holds "").
int BuildHelpFileUrl(const char* path, const char* anchor, char* out, int size);

// The full path of a help page: program directory + "Help" + separator + page.
// Returns 1, or 0 when it does not fit.
int BuildHelpPagePath(const char* page, char* out, int size);
