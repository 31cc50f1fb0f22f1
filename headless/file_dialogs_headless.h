// The headless file dialogs (banks/file_dialogs.h): answers come from a queue
// the test fills, and each dialog shown is recorded.
#pragma once

#include <string>
#include <vector>

struct RecordedFileDialog {
    std::string title;       // "Load File" or "Save File"
    std::string initialDir;  // where it started
    std::string proposed;    // the file name it proposed
};

struct HeadlessFileDialogAnswer {
    bool chosen;       // false: the user cancelled
    std::string path;  // the file the user picked
    int filter;        // 1, 2 or 3 (banks/file_dialogs.h)
};

struct HeadlessFileDialogLog {
    std::vector<RecordedFileDialog> shown;
    std::vector<HeadlessFileDialogAnswer> answers;  // used front first; empty: cancel
};

HeadlessFileDialogLog& HeadlessFileDialogs();
void HeadlessFileDialogsReset();
// Queues the next dialog's answer: the path chosen with filter, or a cancel.
void HeadlessQueueFileChoice(const std::string& path, int filter);
void HeadlessQueueFileCancel();
