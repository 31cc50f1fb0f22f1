// View state of the main window and its commands, shared by the shell, the
// settings file and the views. User-interface thread only.
#pragma once

enum class ViewMode { kGraphic = 0, kList = 1 };

extern ViewMode gViewMode;  // graphic view or list view (commands 21, 22)
extern int gLibraryShown;   // library window shown (command 23)
extern int gEditorShown;    // control editor window shown (command 24)
extern int gShowCcCh;       // show CC/Ch on controls (command 25)
extern int gFitMode;        // graphic view fit mode (command 27)
extern int gMainMinimised;  // while minimised a window's layout is not recomputed
extern int gLibraryMinimised;
extern int gEditorMinimised;
extern int gMenuOpen;  // a menu loop is active: no tooltips meanwhile

// Menu state from the view state: radio-checks Graphic/List View by the view
// mode and sets the marks of Show CC/Ch, Fit Picture, Library and Control
// Editor.
void UpdateViewMenu();
