// Settings.cfg byte format (layout table in settings_file.h).
#include "shell/settings_file.h"

#include <cstring>

namespace {

constexpr unsigned char kMagic[4] = {'d', 'e', 'f', 's'};
constexpr unsigned char kFormatByte = 2;

void PutU32(unsigned char* p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

uint32_t GetU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void PutI32(unsigned char* p, int32_t v) {
    PutU32(p, static_cast<uint32_t>(v));
}

int32_t GetI32(const unsigned char* p) {
    return static_cast<int32_t>(GetU32(p));
}

// Preference values are ints in memory but bytes on disk: the low byte is kept,
// as a value outside 0..255 can only come from a bug, not from the file.
unsigned char LowByte(int v) {
    return static_cast<unsigned char>(v & 0xFF);
}

}  // namespace

Preferences DefaultPreferences() {
    Preferences p;
    p.initialisePresetNames = 0;
    p.showAllRomBanks = 1;
    p.undoLevels = 100;
    p.showCcOnControls = 0;
    p.fitMode = 0;
    p.askBeforeBankSend = 1;
    return p;
}

void EncodeWindowPlacement(const WindowPlacementRecord& w,
                           unsigned char out[kWindowPlacementSize]) {
    PutU32(out + 0, w.length);
    PutU32(out + 4, w.flags);
    PutU32(out + 8, w.showCmd);
    PutI32(out + 12, w.minX);
    PutI32(out + 16, w.minY);
    PutI32(out + 20, w.maxX);
    PutI32(out + 24, w.maxY);
    PutI32(out + 28, w.normal.left);
    PutI32(out + 32, w.normal.top);
    PutI32(out + 36, w.normal.right);
    PutI32(out + 40, w.normal.bottom);
}

WindowPlacementRecord DecodeWindowPlacement(const unsigned char in[kWindowPlacementSize]) {
    WindowPlacementRecord w;
    w.length = GetU32(in + 0);
    w.flags = GetU32(in + 4);
    w.showCmd = GetU32(in + 8);
    w.minX = GetI32(in + 12);
    w.minY = GetI32(in + 16);
    w.maxX = GetI32(in + 20);
    w.maxY = GetI32(in + 24);
    w.normal.left = GetI32(in + 28);
    w.normal.top = GetI32(in + 32);
    w.normal.right = GetI32(in + 36);
    w.normal.bottom = GetI32(in + 40);
    return w;
}

void EncodeSettingsFile(const SettingsImage& image, unsigned char out[kSettingsFileSize]) {
    std::memcpy(out, kMagic, sizeof kMagic);
    out[4] = kFormatByte;
    out[5] = image.prefs.askBeforeBankSend ? 0 : 1;
    EncodeWindowPlacement(image.main, out + kSettingsMainOffset);
    EncodeWindowPlacement(image.library, out + kSettingsLibraryOffset);
    EncodeWindowPlacement(image.editor, out + kSettingsEditorOffset);
    unsigned char* prefs = out + kSettingsPrefsOffset;
    prefs[0] = LowByte(image.prefs.initialisePresetNames);
    prefs[1] = LowByte(image.prefs.showAllRomBanks);
    prefs[2] = LowByte(image.prefs.undoLevels);
    prefs[3] = LowByte(image.prefs.showCcOnControls);
    prefs[4] = LowByte(image.prefs.fitMode);
}

int DecodeSettingsFile(const unsigned char* bytes, size_t size, SettingsImage* image) {
    // A short file would make the placement and preference reads run past its
    // end, so it is refused like a file of the wrong kind.
    if (bytes == nullptr || size < static_cast<size_t>(kSettingsFileSize)) return 0;
    if (std::memcmp(bytes, kMagic, sizeof kMagic) != 0) return 0;
    // Byte 4 is not examined, so files of other format versions load too.
    image->main = DecodeWindowPlacement(bytes + kSettingsMainOffset);
    image->library = DecodeWindowPlacement(bytes + kSettingsLibraryOffset);
    image->editor = DecodeWindowPlacement(bytes + kSettingsEditorOffset);
    const unsigned char* prefs = bytes + kSettingsPrefsOffset;
    image->prefs.initialisePresetNames = prefs[0];
    image->prefs.showAllRomBanks = prefs[1];
    image->prefs.undoLevels = prefs[2];
    image->prefs.showCcOnControls = prefs[3];
    image->prefs.fitMode = prefs[4];
    image->prefs.askBeforeBankSend = bytes[5] == 0 ? 1 : 0;
    return 1;
}
