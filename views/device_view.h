// DeviceView: the current preset as a picture of the device (graphic view) or as a table (list view).
#pragma once

#include "views/pane.h"

class DeviceView : public Pane {
public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern DeviceView gDeviceView;
