// The view state of the main window and the open in-place edit controls.
#include "views/view_state.h"

#include "base/command_ids.h"
#include "base/menu.h"
#include "views/edit_windows.h"

WindowHandle gEditValueWindow = nullptr;
WindowHandle gRenamerWindow = nullptr;

int InPlaceEditActive() {
    return gEditValueWindow != nullptr || gRenamerWindow != nullptr;
}

ViewMode gViewMode = ViewMode::kGraphic;
int gLibraryShown = 0;
int gEditorShown = 0;
int gShowCcCh = 0;
int gFitMode = 0;
int gMainMinimised = 0;
int gLibraryMinimised = 0;
int gEditorMinimised = 0;
int gMenuOpen = 0;

void UpdateViewMenu() {
    RadioCheckMenuCommand(kCmdGraphicView, kCmdListView,
                          gViewMode == ViewMode::kList ? kCmdListView : kCmdGraphicView);
    CheckMenuCommand(kCmdShowCcCh, gShowCcCh);
    CheckMenuCommand(kCmdFitMode, gFitMode);
    CheckMenuCommand(kCmdLibraryWindow, gLibraryShown);
    CheckMenuCommand(kCmdEditorWindow, gEditorShown);
}
