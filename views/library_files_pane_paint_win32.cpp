// LibraryFilesPane's painting. (Placeholder until the pane is built: it draws nothing.)
#include <windows.h>

#include "views/library_files_pane.h"

void LibraryFilesPane::Paint(PaneDc) {}
