// PresetsPane: the presets of the current bank, numbered, with a selection
// of one or more presets for copying and dragging.
#pragma once

#include "views/pane.h"

// The row's number ends at this distance from the pane's left edge and the
// name starts at kPresetNameLeft.
constexpr int kPresetNumberRight = 17;
constexpr int kPresetNameLeft = 20;

class PresetsPane : public Pane {
  public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern PresetsPane gPresetsPane;

// The number of presets the current bank shows (the loaded device's count).
int ShownPresetCount();
// Whether the current bank may be changed (not ROM, not read only); quiet.
int CurrentBankWritable();
// Opens the renamer over the current preset's name when the bank may change.
void RenameCurrentPreset();
