// The keyboard zone editor's model: where each key of the device's keyboard
// and each zone's bar lie in the KeyboardPane, which key or bar a point is
// on, and the rules of dragging a zone. Portable; the pane's paint and mouse
// operations work from it.
//
// Invariants:
//   1. keyCount <= kMaxZoneKeys; key i plays note firstNote + i.
//   2. A zone bar always lies over the keyboard: notes outside it are clamped
//      to its first and last key, and a zone whose low note lies above its
//      high note is drawn over the range between the two.
#pragma once

#include "banks/bank_model.h"
#include "imaging/image_bitmap.h"
#include "views/pane.h"

constexpr int kMaxZoneKeys = 128;

struct KeyRect {
    int left;
    int top;
    int right;
    int bottom;
};

enum class ZoneDragMode { kNone = 0, kMove = 1, kLowEdge = 2, kHighEdge = 3 };

struct ZoneKeyboard {
    // The device's zone keyboard picture, as decoded and as scaled to the
    // pane (remade when the pane's size changes).
    ImageBitmap original;
    ImageBitmap scaled;
    int pictureWidth = 0;   // unscaled; when the picture is missing, the
    int pictureHeight = 0;  //   size its bounds imply
    // Key table and bar table, in pane pixels (client coordinates).
    int keyCount = 0;
    int firstNote = 0;
    KeyRect keys[kMaxZoneKeys] = {};
    int zoneCount = 0;
    KeyRect bars[kMaxZones] = {};
    // Dragging.
    ZoneDragMode dragMode = ZoneDragMode::kNone;
    int grabOffset = 0;  // note under the pointer - low note, when a move starts
    // The zone's notes as stored when the drag started: a drag works on the
    // notes as the bar shows them, and a drag that ends where it started
    // leaves them as they were.
    int32_t startLow = 0;
    int32_t startHigh = 0;
};

extern ZoneKeyboard gZoneKeyboard;

// 1 when the loaded device has zones (and so a keyboard pane).
int DeviceHasZones();

// Decodes the loaded device's zone keyboard picture (a device load), and
// releases it (the next load, shutdown).
void LoadZoneKeyboardPicture();
void ReleaseZoneKeyboardPicture();

// Key table for a pane rectangle (nothing when the device has no zones or
// no keys). Also makes the scaled picture match the rectangle.
void LayoutZoneKeys(const PaneRect& pane);
// Bar table from the preset's zone notes (preset may be null: no bars).
void LayoutZoneBars(const PaneRect& pane, const PresetRecord* preset);
// The note a bar shows for a stored zone note: a note off the keyboard is
// drawn on the nearest end key.
int ShownZoneNote(int note);

// A zone bar's name, drawn only inside its bar so that names never overlap
// each other or run off their bars: "Zone n" when it fits (with a margin of
// kZoneLabelMargin on each side), else the number alone, else nothing (a bar
// too narrow, or lower than the text). `measure` gives a text's width in the
// label font. Returns 1 with the text and its top-left (centred in the bar)
// when there is a name to draw.
constexpr int kZoneLabelMargin = 2;
struct ZoneLabel {
    char text[16];
    int left;
    int top;
};
int ZoneBarLabel(int zone, const KeyRect& bar, int textHeight,
                 int (*measure)(const char* text, void* context), void* context, ZoneLabel* out);

// The note of the key under x (only x counts), or -1.
int ZoneKeyNoteAt(int x);
// The zone whose bar holds the point, or -1.
int ZoneBarAt(int x, int y);

// The preset's low and high note values of a zone (null when the device
// has no note fields or the zone is out of range).
int32_t* ZoneLowNote(PresetRecord* preset, int zone);
int32_t* ZoneHighNote(PresetRecord* preset, int zone);
// The same for the current zone of the current preset: the two values the
// value spinner and the value editor keep in order.
int32_t* CurrentZoneLowNote();
int32_t* CurrentZoneHighNote();

// Enable bit of a zone: bit (option) `zone` of the first variable that has
// options. -1 when the device has no such variable or option.
int ZoneEnabled(const PresetRecord* preset, int zone);
// Flips it; 0 when there is nothing to flip.
int ToggleZoneEnabled(PresetRecord* preset, int zone);

// The drag rules, for the key under the pointer. low and high are the zone's
// values; first and last the keyboard's notes.
void DragZoneMove(int note, int grabOffset, int first, int last, int32_t* low, int32_t* high);
void DragZoneLowEdge(int note, int first, int32_t* low, int32_t* high);
void DragZoneHighEdge(int note, int32_t* low, int32_t* high);

// The preset the views show (the current preset of the current bank), or
// null when there is none.
PresetRecord* EditorCurrentPreset();

// The zone fields holding a zone's low and high note, or -1.
int ZoneLowNoteField();
int ZoneHighNoteField();
