// The byte format of Settings.cfg: three window placement records and five
// preference bytes. Pure encoding and decoding, so the format is tested natively;
// reading and writing the file lives in settings.cpp.
//
// Settings.cfg, exactly 143 bytes, every multi-byte number little-endian:
//
//   offset size  meaning
//   0      4     magic "defs"
//   4      1     2 (written; not examined when read)
//   5      1     1: do not ask before sending a whole bank to the device;
//                0 asks (older files hold 0 here)
//   6      44    placement of the main window
//   50     44    placement of the library window
//   94     44    placement of the control editor window
//   138    1     initialise preset names when SysEx is received (0/1)
//   139    1     show ROM presets for all Corvanith devices (0/1)
//   140    1     undo levels
//   141    1     show CC/Ch on controls (0/1)
//   142    1     graphic view fit mode (0/1)
//
// A placement record is the platform's WINDOWPLACEMENT:
//
//   offset size  field
//   0      4     record length, 44
//   4      4     flags (WPF_*)
//   8      4     show command (0 hidden, 1 normal, 2 minimised, 3 maximised)
//   12     8     minimised position x, y
//   20     8     maximised position x, y
//   28     16    normal rectangle left, top, right, bottom
//
// Worked example: a main window at (0, 0) sized 800 x 600, shown normally, is
// 2C 00 00 00 | 00 00 00 00 | 01 00 00 00 | FF FF FF FF FF FF FF FF | FF FF FF FF
// FF FF FF FF | 00 00 00 00 00 00 00 00 20 03 00 00 58 02 00 00.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kSettingsFileSize = 143;
constexpr int kWindowPlacementSize = 44;
constexpr int kSettingsMainOffset = 6;
constexpr int kSettingsLibraryOffset = 50;
constexpr int kSettingsEditorOffset = 94;
constexpr int kSettingsPrefsOffset = 138;

// Show commands as the platform numbers them.
constexpr uint32_t kShowHidden = 0;
constexpr uint32_t kShowNormal = 1;
constexpr uint32_t kShowMinimised = 2;
constexpr uint32_t kShowMaximised = 3;

struct PlacementRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Field for field the platform's WINDOWPLACEMENT; kept portable so the settings
// logic never needs the platform headers.
struct WindowPlacementRecord {
    uint32_t length;   // always kWindowPlacementSize when written
    uint32_t flags;    // WPF_SETMINPOSITION 1, WPF_RESTORETOMAXIMIZED 2, WPF_ASYNC 4
    uint32_t showCmd;  // kShowHidden .. kShowMaximised
    int32_t minX, minY;
    int32_t maxX, maxY;
    PlacementRect normal;  // workspace coordinates of the restored window
};

// The stored preferences, in the units the file holds them.
struct Preferences {
    int initialisePresetNames;  // byte 138: new names from the device on receipt
    int showAllRomBanks;        // byte 139: ROM banks of every model, not only connected ones
    int undoLevels;             // byte 140: length of the undo history
    int showCcOnControls;       // byte 141: CC/Ch overlays in the graphic view
    int fitMode;                // byte 142: graphic view scales to its pane
    int askBeforeBankSend;      // byte 5, inverted: a whole-bank send asks first
};

// Everything Settings.cfg holds.
struct SettingsImage {
    WindowPlacementRecord main;
    WindowPlacementRecord library;
    WindowPlacementRecord editor;
    Preferences prefs;
};

// The values in force when no settings file has been read.
Preferences DefaultPreferences();

void EncodeWindowPlacement(const WindowPlacementRecord& placement,
                           unsigned char out[kWindowPlacementSize]);
WindowPlacementRecord DecodeWindowPlacement(const unsigned char in[kWindowPlacementSize]);

// Writes the whole 143-byte file image.
void EncodeSettingsFile(const SettingsImage& image, unsigned char out[kSettingsFileSize]);

// Reads a file image of `size` bytes. 1 when it is a settings file; 0 when it is
// shorter than 143 bytes or lacks the magic (then *image is untouched). Bytes past
// the first 143 are ignored.
int DecodeSettingsFile(const unsigned char* bytes, size_t size, SettingsImage* image);
