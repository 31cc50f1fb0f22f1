// The panes paint only in the Windows build: natively their paint
// operations draw nothing, so the panes can be built and driven in tests.
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_pane.h"
#include "views/keyboard_pane.h"
#include "views/library_controls_pane.h"
#include "views/library_files_pane.h"
#include "views/presets_pane.h"

void DevicesPane::Paint(PaneDc) {}
void PresetsPane::Paint(PaneDc) {}
void LibraryFilesPane::Paint(PaneDc) {}
void LibraryControlsPane::Paint(PaneDc) {}
void DeviceView::Paint(PaneDc) {}
void KeyboardPane::Paint(PaneDc) {}
void EditorPane::Paint(PaneDc) {}
