// What the transfer engine asks of the windows: drawing the activity indicator
// and repainting. Implemented on the main window by views/panel_paint_win32.cpp
// (the indicator, with the panel's own drawing of it) and
// midi/transfer_view_win32.cpp (the repaints), and recorded by
// headless/transfer_view_headless.cpp for the native tests.
#pragma once

// Draws frame `frame` (0..24; 24 is the idle picture) of the activity
// indicator in its box on the main window's toolbar, at once.
void DrawActivityIndicator(int frame);

// Repaints the main window at once.
void TransferRedrawMainWindow();
// Repaints the control editor window at once.
void TransferRedrawControlWindow();
