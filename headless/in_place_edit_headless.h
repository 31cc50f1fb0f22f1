// What the headless in-place edit controls hold, for tests: they set `text`
// as a user would type it, then call InPlaceEditEnter / InPlaceEditClosed.
#pragma once

#include <cstdint>

#include "views/pane.h"

constexpr int kHeadlessValueEditorId = 10002;
constexpr int kHeadlessRenamerId = 10001;
constexpr int kHeadlessEditLineHeight = 15;

struct HeadlessEditControl {
    int open = 0;
    int opens = 0;  // how many times it was opened
    PaneWindow edit = nullptr;
    PaneWindow parent = nullptr;
    PaneRect rect = {0, 0, 0, 0};
    int maxChars = 0;
    char text[256] = {};  // as long as a bank's file name
};

HeadlessEditControl& HeadlessEditor(int controlId);
void HeadlessEditorsReset();
