// LoadSettings and SaveSettings: Settings.cfg between the file and the windows,
// the preferences and the undo history.
//
// Both run with the settings-I/O counter raised (BeginSettingsIo), so that no
// message box and no status popup appears while they run: a damaged settings
// file must never stop the program from starting, and its problems are told in
// the status display only.
#include "shell/settings.h"

#include <cstdio>
#include <cstring>

#include "base/memory.h"
#include "base/messages.h"
#include "base/whole_file.h"
#include "base/working_blocks.h"
#include "banks/undo_history.h"
#include "shell/settings_platform.h"
#include "views/view_state.h"

int gSettingsLoaded = 0;

namespace {

constexpr char kSettingsFileName[] = "Settings.cfg";

// Show commands the program may be started with that mean "an ordinary window".
constexpr int kShowPlain = 5;
constexpr int kShowDefault = 10;

// The main window's placement said maximised (LoadSettings).
int gMainStartsMaximised = 0;

// Used when start-up has not allocated block 6 (the native tests, the tool).
char gLocalSettingsPath[kPathSize];

int Flag(int v) {
    return v != 0 ? 1 : 0;
}

int ClampUndoLevels(int levels) {
    if (levels < kMinUndoLevels) return kMinUndoLevels;
    if (levels > kMaxUndoLevelsPreference) return kMaxUndoLevelsPreference;
    return levels;
}

// Keeps the shared file I/O context describing the file in hand, as every file
// operation of the program does.
void NoteFileInContext(const char* path, long long size) {
    if (gFileIo == nullptr) return;
    std::snprintf(gFileIo->path, sizeof gFileIo->path, "%s", path);
    gFileIo->askWithDialog = 0;
    gFileIo->fileSize = static_cast<int32_t>(size < 0 ? 0 : size);
}

void ApplyPlacement(SettingsWindow which, const WindowPlacementRecord& stored,
                    const PlacementRect* areas, int areaCount) {
    PlacementToApply place = PlacementFromFile(which, stored);
    WindowPlacementRecord current;
    PlacementRect fallback = {0, 0, 0, 0};
    if (PlatformGetWindowPlacement(which, &current)) fallback = current.normal;
    FitPlacementToScreens(&place.record, fallback, areas, areaCount);
    if (which == SettingsWindow::kMain)
        gMainStartsMaximised = place.record.showCmd == kShowMaximised;
    if (which == SettingsWindow::kLibrary) gLibraryShown = place.shown;
    if (which == SettingsWindow::kEditor) gEditorShown = place.shown;
    PlatformSetWindowPlacement(which, place.record);
}

void ApplySettingsImage(const SettingsImage& image) {
    PlacementRect areas[kMaxWorkAreas];
    int areaCount = PlatformWorkAreas(areas, kMaxWorkAreas);
    ApplyPlacement(SettingsWindow::kMain, image.main, areas, areaCount);
    ApplyPlacement(SettingsWindow::kLibrary, image.library, areas, areaCount);
    ApplyPlacement(SettingsWindow::kEditor, image.editor, areas, areaCount);

    SetPreferences(image.prefs);
}

void ReadSettingsFile() {
    const char* path = SettingsPath();
    long long size = WholeFileSize(path);
    NoteFileInContext(path, size);
    if (size < 0) return;  // no settings yet: the defaults are the settings

    // Only the first 143 bytes mean anything, so a huge file named Settings.cfg
    // costs no more memory than a good one.
    unsigned char* buffer = static_cast<unsigned char*>(AllocBlock(kSettingsFileSize));
    if (buffer == nullptr) {
        gFatal = 0;
        StatusMessage(kStrShortOfMemory);
        return;
    }
    size_t got = 0;
    SettingsImage image;
    if (!ReadWholeFile(path, buffer, kSettingsFileSize, &got)) {
        StatusMessage(kStrCannotOpenFile, path);
    } else if (!DecodeSettingsFile(buffer, got, &image)) {
        StatusMessage(kStrNotSettingsFile, path);
    } else {
        ApplySettingsImage(image);
    }
    FreeBlock(buffer);
}

WindowPlacementRecord CurrentPlacement(SettingsWindow which) {
    WindowPlacementRecord w;
    std::memset(&w, 0, sizeof w);
    w.length = kWindowPlacementSize;
    if (!PlatformGetWindowPlacement(which, &w)) w.showCmd = kShowHidden;
    w.length = kWindowPlacementSize;
    // The platform reports a hidden window's restore state; the file must say
    // hidden so that it stays hidden at the next start.
    int shown = which == SettingsWindow::kMain      ? 1
                : which == SettingsWindow::kLibrary ? gLibraryShown
                                                    : gEditorShown;
    if (!shown) w.showCmd = kShowHidden;
    return w;
}

void WriteSettingsFile() {
    const char* path = SettingsPath();
    NoteFileInContext(path, kSettingsFileSize);
    unsigned char* buffer = static_cast<unsigned char*>(AllocBlock(kSettingsFileSize));
    if (buffer == nullptr) {
        gFatal = 0;
        return;
    }
    SettingsImage image;
    image.main = CurrentPlacement(SettingsWindow::kMain);
    image.library = CurrentPlacement(SettingsWindow::kLibrary);
    image.editor = CurrentPlacement(SettingsWindow::kEditor);
    image.prefs = CurrentPreferences();
    EncodeSettingsFile(image, buffer);
    WriteWholeFile(path, buffer, kSettingsFileSize);
    FreeBlock(buffer);
}

}  // namespace

const char* SettingsPath() {
    char* out = gSettingsPath != nullptr ? gSettingsPath : gLocalSettingsPath;
    const char* dir = gProgramDir != nullptr ? gProgramDir : "";
    int n = std::snprintf(out, kPathSize, "%s%s", dir, kSettingsFileName);
    // A cut path would name some other file; an empty one is neither read nor
    // written.
    if (n < 0 || n >= kPathSize) out[0] = '\0';
    return out;
}

int ApplyUndoLevelsPreference(int levels) {
    // The history keeps at most 100 entries; a stored byte of up to 255 must not
    // reach it unchecked.
    gUndoLevels = ClampUndoLevels(levels);
    SetUndoLevels(gUndoLevels);
    return gUndoLevels;
}

Preferences CurrentPreferences() {
    Preferences p;
    p.initialisePresetNames = gInitialisePresetNames;
    p.showAllRomBanks = gShowAllRomBanks;
    p.undoLevels = gUndoLevels;
    p.showCcOnControls = gShowCcCh;
    p.fitMode = gFitMode;
    p.askBeforeBankSend = gAskBeforeBankSend;
    return p;
}

void SetPreferences(const Preferences& prefs) {
    gInitialisePresetNames = Flag(prefs.initialisePresetNames);
    gShowAllRomBanks = Flag(prefs.showAllRomBanks);
    gShowCcCh = Flag(prefs.showCcOnControls);
    gFitMode = Flag(prefs.fitMode);
    gAskBeforeBankSend = Flag(prefs.askBeforeBankSend);
    ApplyUndoLevelsPreference(prefs.undoLevels);
}

int StartupShowCommand(int requested) {
    int ordinary = requested == static_cast<int>(kShowNormal) || requested == kShowPlain ||
                   requested == kShowDefault;
    return gMainStartsMaximised && ordinary ? static_cast<int>(kShowMaximised) : requested;
}

int LoadSettings() {
    gMainStartsMaximised = 0;
    BeginSettingsIo();
    ReadSettingsFile();
    EndSettingsIo();
    gSettingsLoaded = 1;
    return gFatal;
}

void SaveSettings() {
    BeginSettingsIo();
    WriteSettingsFile();
    EndSettingsIo();
}
