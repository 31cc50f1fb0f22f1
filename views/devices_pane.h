// DevicesPane: the main window's list of open banks, "Devices and Files".
#pragma once

#include "views/pane.h"

class DevicesPane : public Pane {
public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern DevicesPane gDevicesPane;
