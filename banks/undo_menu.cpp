// The Edit menu's Undo and Redo items: their texts describe the next step.
#include "base/menu.h"
#include "banks/undo_history.h"

void UpdateUndoMenu(int item) {
    char text[kUndoMenuItemLen];
    bool enabled = UndoMenuText(item, text, sizeof text);
    SetMenuCommandText(item, text);
    EnableMenuCommand(item, enabled ? 1 : 0);
}

void InitUndoHistory() {
    // The resource texts ("&Undo\tCtrl+Z") are read once, before anything
    // rewrites them.
    char text[kUndoMenuItemLen];
    GetMenuCommandText(kUndoCommandId, text, sizeof text);
    SplitMenuText(text, gUndo.undoPrefix, gUndo.undoSuffix, kUndoMenuTextLen);
    GetMenuCommandText(kRedoCommandId, text, sizeof text);
    SplitMenuText(text, gUndo.redoPrefix, gUndo.redoSuffix, kUndoMenuTextLen);
    gUndo.levels = kMaxUndoLevels;
    ClearUndoHistory();
}
