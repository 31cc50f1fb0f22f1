// KeyboardPane: the keyboard zone editor under the graphic view of a device with zones.
#pragma once

#include "views/pane.h"

class KeyboardPane : public Pane {
public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern KeyboardPane gKeyboardPane;
