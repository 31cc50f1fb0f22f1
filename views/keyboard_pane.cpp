// KeyboardPane's mouse handling: choosing, dragging and switching zones.
#include "views/keyboard_pane.h"

#include <utility>

#include "banks/bank_model.h"
#include "banks/undo_history.h"
#include "views/in_place_edit.h"
#include "views/editor_document.h"
#include "views/editor_pane.h"
#include "views/view_platform.h"
#include "views/view_state.h"
#include "views/zone_keyboard.h"
#include "views/zone_select.h"

KeyboardPane gKeyboardPane;

namespace {

constexpr int kConfineInset = 5;

void Relayout(const Pane& pane) {
    LayoutZoneKeys(pane.rect);
    LayoutZoneBars(pane.rect, EditorCurrentPreset());
}

bool Inside(const Pane& pane, int x, int y) {
    const PaneRect& r = pane.rect;
    return x >= r.x && x < r.x + r.width && y >= r.y + 2 && y < r.y + r.height - 2;
}

// The notes as the zone's bar shows them: on the keyboard, lowest first.
void ShownZoneNotes(int32_t* low, int32_t* high) {
    *low = ShownZoneNote(*low);
    *high = ShownZoneNote(*high);
    if (*low > *high) std::swap(*low, *high);
}

// The notes a drag in `mode` starts from: the bar as shown; but the end that
// is not dragged stays as stored, off the keyboard or not (a zone of 0 .. 127
// on a shorter one), where that keeps it on its side of the dragged end.
void DragStartNotes(ZoneDragMode mode, int32_t storedLow, int32_t storedHigh, int32_t* low,
                    int32_t* high) {
    *low = storedLow;
    *high = storedHigh;
    ShownZoneNotes(low, high);
    if (storedLow > storedHigh) return;  // upside down: dragged as shown
    if (mode == ZoneDragMode::kLowEdge && storedHigh >= *low) *high = storedHigh;
    if (mode == ZoneDragMode::kHighEdge && storedLow <= *high) *low = storedLow;
}

void StartDrag(KeyboardPane& pane, PaneWindow window, int x, int y) {
    int zone = gDocument.currentZone;
    PresetRecord* preset = EditorCurrentPreset();
    int32_t* low = ZoneLowNote(preset, zone);
    int32_t* high = ZoneHighNote(preset, zone);
    int note = ZoneKeyNoteAt(x);
    if (low == nullptr || high == nullptr || note < 0) return;
    ZoneKeyboard& k = gZoneKeyboard;
    // The drag is one undo step, taken before the bar is normalised below
    // and finished when the drag ends; a drag that moved nothing takes none.
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, gBanks.current, gBanks.currentPreset);
    // A zone stored with notes off the keyboard (an empty preset's 0 .. 0, a
    // zone made for a longer keyboard) or low above high (a file, a device)
    // is dragged as its bar shows it, so that it follows the pointer.
    k.startLow = *low;
    k.startHigh = *high;
    ShownZoneNotes(low, high);
    if (note == *low) {
        k.dragMode = ZoneDragMode::kLowEdge;
    } else if (note == *high) {
        k.dragMode = ZoneDragMode::kHighEdge;
    } else {
        k.dragMode = ZoneDragMode::kMove;
        k.grabOffset = note - *low;
    }
    DragStartNotes(k.dragMode, k.startLow, k.startHigh, low, high);
    CaptureMouse(window);
    // The pointer stays over the keyboard, between its own row and the
    // bar's middle.
    const KeyRect& bar = k.bars[zone];
    int centre = (bar.top + bar.bottom) / 2;
    int top = y < centre ? y : centre;
    int bottom = y < centre ? centre : y;
    PaneRect confine = {pane.rect.x + kConfineInset, top, pane.rect.width - 2 * kConfineInset,
                        bottom - top + 1};
    ConfinePointer(window, &confine);
    SetViewCursor(
        window, k.dragMode == ZoneDragMode::kMove ? ViewCursor::kZoneMove : ViewCursor::kZoneSize);
}

void DragTo(KeyboardPane& pane, int x) {
    ZoneKeyboard& k = gZoneKeyboard;
    int note = ZoneKeyNoteAt(x);
    PresetRecord* preset = EditorCurrentPreset();
    int32_t* low = ZoneLowNote(preset, gDocument.currentZone);
    int32_t* high = ZoneHighNote(preset, gDocument.currentZone);
    if (note < 0 || low == nullptr || high == nullptr) return;
    int first = k.firstNote, last = k.firstNote + k.keyCount - 1;
    int32_t oldLow = *low, oldHigh = *high;
    switch (k.dragMode) {
        case ZoneDragMode::kMove:
            DragZoneMove(note, k.grabOffset, first, last, low, high);
            break;
        case ZoneDragMode::kLowEdge:
            DragZoneLowEdge(note, first, low, high);
            break;
        case ZoneDragMode::kHighEdge:
            DragZoneHighEdge(note, low, high);
            break;
        default:
            break;
    }
    if (*low != oldLow || *high != oldHigh) InvalidatePaneAlone(pane);
}

// Whether the drag in `mode` has left the zone's notes (low, high; either
// may be missing) where it started them, and where that was.
bool DragStill(ZoneDragMode mode, const int32_t* low, const int32_t* high, int32_t* fromLow,
               int32_t* fromHigh) {
    const ZoneKeyboard& k = gZoneKeyboard;
    DragStartNotes(mode, k.startLow, k.startHigh, fromLow, fromHigh);
    return low != nullptr && high != nullptr && *low == *fromLow && *high == *fromHigh;
}

void EndDrag(PaneWindow window) {
    ZoneKeyboard& k = gZoneKeyboard;
    const ZoneDragMode mode = k.dragMode;
    k.dragMode = ZoneDragMode::kNone;
    // A drag that moved the zone is one change of the preset; one that left
    // the bar where it was leaves the notes as they were stored.
    PresetRecord* preset = EditorCurrentPreset();
    int32_t* low = ZoneLowNote(preset, gDocument.currentZone);
    int32_t* high = ZoneHighNote(preset, gDocument.currentZone);
    int32_t fromLow = 0, fromHigh = 0;
    if (DragStill(mode, low, high, &fromLow, &fromHigh)) {
        *low = k.startLow;
        *high = k.startHigh;
    } else if (low != nullptr && high != nullptr) {
        CountPresetEdit(gBanks.current, gBanks.currentPreset);
    }
    FinishUndoStep();
    SetViewCursor(window, ViewCursor::kArrow);
    ReleasePointer();
    ReleaseMouse();
    // The Zone Data tab shows the new notes.
    RepaintEditorPane();
}

}  // namespace

void EndZoneDrag() {
    if (gZoneKeyboard.dragMode != ZoneDragMode::kNone) EndDrag(gKeyboardPane.window);
}

void KeyboardPaneCaptureLost() {
    EndZoneDrag();
}

void ZoneDragAfterBankReplaced(int index) {
    ZoneKeyboard& k = gZoneKeyboard;
    if (k.dragMode == ZoneDragMode::kNone) return;
    // The landing's own undo step ended the drag's (kept when the bar had
    // moved, dropped when not). On another bank the drag goes on, with a step
    // for the rest of it: without one, the Undo of an earlier edit of the
    // preset would take the zone back too.
    if (index != gBanks.current) {
        // A bar not moved yet holds the notes as shown, not as stored: the
        // step starts from the stored ones, which a release there puts back.
        PresetRecord* preset = EditorCurrentPreset();
        int32_t* low = ZoneLowNote(preset, gDocument.currentZone);
        int32_t* high = ZoneHighNote(preset, gDocument.currentZone);
        int32_t fromLow = 0, fromHigh = 0;
        const bool still = DragStill(k.dragMode, low, high, &fromLow, &fromHigh);
        if (still) *low = k.startLow, *high = k.startHigh;
        RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, gBanks.current, gBanks.currentPreset);
        if (still) *low = fromLow, *high = fromHigh;
        return;
    }
    k.dragMode = ZoneDragMode::kNone;
    SetViewCursor(gKeyboardPane.window, ViewCursor::kArrow);
    ReleasePointer();
    ReleaseMouse();
}

int KeyboardPaneShown() {
    return DeviceHasZones() && gViewMode == ViewMode::kGraphic ? 1 : 0;
}

int KeyboardPane::Mouse(PaneWindow window, int x, int y, int message, int flags) {
    bool dragging = gZoneKeyboard.dragMode != ZoneDragMode::kNone;
    if (dragging) {
        // A release no window saw (mouse input is ignored while a dump
        // arrives): the first move without the button ends the drag where
        // the last seen move left it.
        if (message == kMouseMove && !(flags & kKeyFlagLeft)) {
            EndDrag(window);
            return kMouseHandled;
        }
        if (message == kMouseMove) {
            DragTo(*this, x);
            return kMouseHandled;
        }
        if (message == kLeftUp) {
            EndDrag(window);
            return kMouseHandled;
        }
    }
    if (!KeyboardPaneShown() || message == kMouseMove || !Inside(*this, x, y))
        return kMouseNotHandled;
    if (message != kLeftDown && message != kLeftDoubleClick) return kMouseHandled;
    CommitInPlaceEditors();
    Relayout(*this);
    int zone = ZoneBarAt(x, y);
    if (zone < 0) return kMouseHandled;
    if (zone != gDocument.currentZone) {
        SelectZoneAndRepaint(zone);
        return kMouseHandled;
    }
    if (!CheckWritable(gBanks.current)) return kMouseHandled;
    if (message == kLeftDoubleClick) {
        // An undo step and a change of the preset, as for range drags.
        RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, gBanks.current, gBanks.currentPreset);
        const bool toggled = ToggleZoneEnabled(EditorCurrentPreset(), zone);
        FinishUndoStep();
        if (toggled) {
            CountPresetEdit(gBanks.current, gBanks.currentPreset);
            InvalidatePaneAlone(*this);
            RepaintEditorPane();
        }
        return kMouseHandled;
    }
    StartDrag(*this, window, x, y);
    return kMouseHandled;
}
