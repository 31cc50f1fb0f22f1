// LibraryFilesPane's mouse handling. (Placeholder until the pane is built: it handles
// nothing.)
#include "views/library_files_pane.h"

LibraryFilesPane gLibraryFilesPane;

int LibraryFilesPane::Mouse(PaneWindow, int, int, int, int) { return kMouseNotHandled; }
