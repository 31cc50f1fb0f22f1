// PresetsPane: the presets of the current bank, numbered.
#pragma once

#include "views/pane.h"

class PresetsPane : public Pane {
public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern PresetsPane gPresetsPane;
