// The keyboard zone editor's geometry and drag rules (see zone_keyboard.h).
#include "views/zone_keyboard.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "devices/device_definition.h"
#include "devices/folder_list.h"
#include "views/editor_document.h"

ZoneKeyboard gZoneKeyboard;

namespace {

// 1 for the black keys of an octave, C to B.
constexpr int kBlackPattern[12] = {0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0};
constexpr int kKeyboardWhite = 0x00FFFFFF;

int PitchClass(int note) {
    return ((note % 12) + 12) % 12;
}

int Round(double v) {
    return static_cast<int>(v + 0.5);
}

int ZoneCount() {
    int n = gDevice.zoneLimit;
    if (n < 0) return 0;
    return n > kMaxZones ? kMaxZones : n;
}

int KeyCount() {
    int n = gDevice.keyboardSize;
    if (n < 0) return 0;
    return n > kMaxZoneKeys ? kMaxZoneKeys : n;
}

// The picture's size; without a picture the bounds stand in for it, with the
// margin they leave on the left and top repeated on the right and bottom.
void PictureSize(int* width, int* height) {
    *width = gZoneKeyboard.pictureWidth;
    *height = gZoneKeyboard.pictureHeight;
    if (*width <= 0 || *height <= 0) {
        const DeviceRect& b = gDevice.zoneKeyboardRect;
        *width = b.right + (b.left > 0 ? b.left : 0);
        *height = b.bottom + (b.top > 0 ? b.top : 0);
    }
}

// Wide, so that a note a file gives far out of range cannot overflow on its way.
int ClampKey(long long key) {
    if (key < 0) return 0;
    return key >= gZoneKeyboard.keyCount ? gZoneKeyboard.keyCount - 1 : static_cast<int>(key);
}

void MatchScaledPicture(const PaneRect& pane) {
    ZoneKeyboard& k = gZoneKeyboard;
    if (ImageBitmapIsEmpty(k.original) || pane.width <= 0 || pane.height <= 0) return;
    if (!ImageBitmapIsEmpty(k.scaled) && k.scaled.width == pane.width &&
        k.scaled.height == pane.height) {
        return;
    }
    if (!ImageBitmapFromPixels(k.original.pixels, &k.scaled)) return;
    // A failed resample leaves the unscaled copy, which is still drawn at
    // the pane's top-left.
    ImageBitmapResample(&k.scaled, pane.width, pane.height);
}

}  // namespace

int ShownZoneNote(int note) {
    return gZoneKeyboard.firstNote +
           ClampKey(static_cast<long long>(note) - gZoneKeyboard.firstNote);
}

int DeviceHasZones() {
    return ZoneCount() > 0 ? 1 : 0;
}

PresetRecord* EditorCurrentPreset() {
    BankData* data = gBanks.count > 0 ? BankDataAt(gBanks.current) : nullptr;
    int preset = gBanks.currentPreset;
    if (data == nullptr || preset < 0 || preset >= kMaxPresets) return nullptr;
    return &data->presets[preset];
}

void ReleaseZoneKeyboardPicture() {
    ImageBitmapRelease(&gZoneKeyboard.original);
    ImageBitmapRelease(&gZoneKeyboard.scaled);
    gZoneKeyboard.pictureWidth = 0;
    gZoneKeyboard.pictureHeight = 0;
    gZoneKeyboard.keyCount = 0;
    gZoneKeyboard.zoneCount = 0;
    gZoneKeyboard.dragMode = ZoneDragMode::kNone;
}

void LoadZoneKeyboardPicture() {
    ReleaseZoneKeyboardPicture();
    if (!DeviceHasZones() || gDevice.zoneKeyboardBackground[0] == '\0') return;
    std::string path = std::string(gDevice.directory) + "graphics" + kPathSeparator +
                       gDevice.zoneKeyboardBackground;
    if (ImageBitmapFromPngFile(path.c_str(), kKeyboardWhite, &gZoneKeyboard.original)) {
        gZoneKeyboard.pictureWidth = gZoneKeyboard.original.width;
        gZoneKeyboard.pictureHeight = gZoneKeyboard.original.height;
    }
}

void LayoutZoneKeys(const PaneRect& pane) {
    ZoneKeyboard& k = gZoneKeyboard;
    k.keyCount = 0;
    int size = KeyCount();
    // Every key's note, firstNote + index, must be a number: a definition's
    // base note near the top of the range would run the last keys past it.
    const int room = INT_MAX - (size > 0 ? size - 1 : 0);
    k.firstNote = gDevice.lowestNote < room ? gDevice.lowestNote : room;
    int pictureWidth = 0, pictureHeight = 0;
    PictureSize(&pictureWidth, &pictureHeight);
    if (!DeviceHasZones() || size == 0 || pictureWidth <= 0 || pictureHeight <= 0) return;
    MatchScaledPicture(pane);

    double sx = static_cast<double>(pane.width) / pictureWidth;
    double sy = static_cast<double>(pane.height) / pictureHeight;
    double octaveWidth = (gDevice.octaveRect.right - gDevice.octaveRect.left) * sx;

    int pc = PitchClass(k.firstNote);
    int whites = 0, blacks = 0;
    for (int i = 0; i < pc; ++i) (kBlackPattern[i] ? blacks : whites)++;
    const DeviceRect& first =
        kBlackPattern[pc] ? gDevice.blackKeys[blacks] : gDevice.whiteKeys[whites];
    double x0 = pane.x - (first.left - gDevice.zoneKeyboardRect.left) * sx;

    for (int i = 0; i < size; ++i) {
        int keyPc = PitchClass(k.firstNote + i);
        const DeviceRect& t =
            kBlackPattern[keyPc] ? gDevice.blackKeys[blacks++] : gDevice.whiteKeys[whites++];
        k.keys[i] = {Round(t.left * sx + x0), Round(t.top * sy + pane.y), Round(t.right * sx + x0),
                     Round(t.bottom * sy + pane.y)};
        if (keyPc == 11) {
            x0 += octaveWidth;
            whites = 0;
            blacks = 0;
        }
    }
    k.keyCount = size;
}

void LayoutZoneBars(const PaneRect& pane, const PresetRecord* preset) {
    ZoneKeyboard& k = gZoneKeyboard;
    k.zoneCount = 0;
    int zones = ZoneCount();
    int pictureWidth = 0, pictureHeight = 0;
    PictureSize(&pictureWidth, &pictureHeight);
    if (preset == nullptr || zones == 0 || k.keyCount == 0 || pictureHeight <= 0) return;
    // A model without both note fields has no bars to draw.
    const int lowField = ZoneLowNoteField();
    const int highField = ZoneHighNoteField();
    if (lowField < 0 || highField < 0) return;

    double sy = static_cast<double>(pane.height) / pictureHeight;
    const DeviceRect& b = gDevice.zoneKeyboardRect;
    int rowHeight = (b.bottom - b.top) / zones;
    double row = rowHeight * sy;
    double gap = 0.25 * row;
    int barHeight = Round(row - gap);
    double barTop = b.top * sy + gap / 2 + pane.y;
    for (int z = 0; z < zones; ++z, barTop += row) {
        int low = ClampKey(static_cast<long long>(preset->zones[z][lowField]) - k.firstNote);
        int high = ClampKey(static_cast<long long>(preset->zones[z][highField]) - k.firstNote);
        if (low > high) {
            int t = low;
            low = high;
            high = t;
        }
        int top = Round(barTop);
        k.bars[z] = {k.keys[low].left, top, k.keys[high].right + 1, top + barHeight};
    }
    k.zoneCount = zones;
}

int ZoneBarLabel(int zone, const KeyRect& bar, int textHeight,
                 int (*measure)(const char* text, void* context), void* context, ZoneLabel* out) {
    if (bar.bottom - bar.top < textHeight) return 0;
    char names[2][16];
    std::snprintf(names[0], sizeof names[0], "Zone %d", zone + 1);
    std::snprintf(names[1], sizeof names[1], "%d", zone + 1);
    int room = bar.right - bar.left - 2 * kZoneLabelMargin;
    for (const char* name : names) {
        int width = measure(name, context);
        if (width > room) continue;
        std::snprintf(out->text, sizeof out->text, "%.15s", name);
        out->left = bar.left + (bar.right - bar.left - width) / 2;
        out->top = bar.top + (bar.bottom - bar.top - textHeight) / 2;
        return 1;
    }
    return 0;
}

int ZoneKeyNoteAt(int x) {
    const ZoneKeyboard& k = gZoneKeyboard;
    for (int i = 0; i < k.keyCount; ++i) {
        if (k.keys[i].left <= x && x < k.keys[i].right) return k.firstNote + i;
    }
    return -1;
}

int ZoneBarAt(int x, int y) {
    const ZoneKeyboard& k = gZoneKeyboard;
    for (int z = 0; z < k.zoneCount; ++z) {
        const KeyRect& r = k.bars[z];
        if (r.left <= x && x < r.right && r.top <= y && y < r.bottom) return z;
    }
    return -1;
}

namespace {

// The zone field that holds tag ("note low", "note high"), or -1: the
// definition's look-up answers the field count for a missing tag.
int NoteField(int high) {
    int low = -1, hi = -1;
    ZoneNoteFields(&low, &hi);
    int field = high ? hi : low;
    const char* tag = nullptr;
    SysexFieldTag("zones", field, &tag);
    if (tag == nullptr || std::strcmp(tag, high ? "note high" : "note low") != 0) return -1;
    return field >= 0 && field < kMaxZoneFields ? field : -1;
}

int32_t* ZoneNote(PresetRecord* preset, int zone, int high) {
    int field = NoteField(high);
    if (preset == nullptr || zone < 0 || zone >= kMaxZones || field < 0) return nullptr;
    return &preset->zones[zone][field];
}

}  // namespace

int ZoneLowNoteField() {
    return NoteField(0);
}
int ZoneHighNoteField() {
    return NoteField(1);
}
int32_t* ZoneLowNote(PresetRecord* preset, int zone) {
    return ZoneNote(preset, zone, 0);
}
int32_t* ZoneHighNote(PresetRecord* preset, int zone) {
    return ZoneNote(preset, zone, 1);
}
int32_t* CurrentZoneLowNote() {
    return ZoneLowNote(EditorCurrentPreset(), gDocument.currentZone);
}
int32_t* CurrentZoneHighNote() {
    return ZoneHighNote(EditorCurrentPreset(), gDocument.currentZone);
}

namespace {

// The first variable with options: its option z is zone z's enable bit.
const VariableDef* EnableVariable(int* index) {
    int count = gDevice.variableCount < kMaxVariables ? gDevice.variableCount : kMaxVariables;
    for (int v = 0; v < count; ++v) {
        if (gDevice.variables[v].maskCount > 0) {
            *index = v;
            return &gDevice.variables[v];
        }
    }
    return nullptr;
}

}  // namespace

int ZoneEnabled(const PresetRecord* preset, int zone) {
    int v = -1;
    const VariableDef* def = EnableVariable(&v);
    int masks = def ? (def->maskCount < kMaxVariableMasks ? def->maskCount : kMaxVariableMasks) : 0;
    if (preset == nullptr || zone < 0 || zone >= masks) return -1;
    return (preset->variables[v] & def->masks[zone].mask) != 0 ? 1 : 0;
}

int ToggleZoneEnabled(PresetRecord* preset, int zone) {
    if (ZoneEnabled(preset, zone) < 0) return 0;
    int v = -1;
    const VariableDef* def = EnableVariable(&v);
    preset->variables[v] ^= def->masks[zone].mask;
    return 1;
}

void DragZoneMove(int note, int grabOffset, int first, int last, int32_t* low, int32_t* high) {
    // A zone stored upside down or wider than the keyboard keeps a width the
    // keyboard can hold.
    int width = *high - *low;
    if (width < 0) width = 0;
    if (width > last - first) width = last - first > 0 ? last - first : 0;
    int newLow = note - grabOffset;
    if (newLow < first) newLow = first;
    int newHigh = newLow + width;
    if (newHigh > last) {
        newHigh = last;
        newLow = last - width;
    }
    *low = newLow;
    *high = newHigh;
}

void DragZoneLowEdge(int note, int first, int32_t* low, int32_t* high) {
    int newLow = note;
    if (newLow > *high) newLow = *high;
    if (newLow < first) newLow = first;
    *low = newLow;
}

void DragZoneHighEdge(int note, int32_t* low, int32_t* high) {
    int newHigh = note;
    if (newHigh < *low) newHigh = *low;
    *high = newHigh;
}
