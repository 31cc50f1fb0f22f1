// Scripted file dialogs for the native tests and tools.
#include "headless/file_dialogs_headless.h"

#include <cstdio>

#include "banks/bank_model.h"
#include "banks/file_dialogs.h"
#include "shell/sheet_dialog.h"
#include "shell/syx_dialog.h"

HeadlessFileDialogLog& HeadlessFileDialogs() {
    static HeadlessFileDialogLog log;
    return log;
}

void HeadlessFileDialogsReset() {
    HeadlessFileDialogs() = HeadlessFileDialogLog();
}

void HeadlessQueueFileChoice(const std::string& path, int filter) {
    HeadlessFileDialogs().answers.push_back({true, path, filter});
}

void HeadlessQueueFileCancel() {
    HeadlessFileDialogs().answers.push_back({false, "", 0});
}

// What the dialog does with the chosen name after it closes, as the Windows
// dialogs do: an export keeps it; the bank dialogs give it their filter's
// extension, the load dialog first taking the filter from a known extension.
enum class DialogKind { kExport, kSaveBank, kLoadBank };

static int Answer(const char* title, char* path, size_t size, const char* initialDir,
                  FileDialogResult* result, DialogKind kind) {
    HeadlessFileDialogLog& log = HeadlessFileDialogs();
    log.shown.push_back({title, initialDir ? initialDir : "", path ? path : ""});
    if (log.answers.empty()) return 0;
    HeadlessFileDialogAnswer answer = log.answers.front();
    log.answers.erase(log.answers.begin());
    if (!answer.chosen) return 0;
    CopyText(path, size, answer.path.c_str());
    const int filter =
        kind == DialogKind::kLoadBank ? LoadFilterForName(path, answer.filter) : answer.filter;
    if (kind != DialogKind::kExport) ReplaceExtensionForFilter(path, size, filter);
    FILE* f = fopen(path, "rb");
    if (result) {
        result->filter = filter;
        result->exists = f != nullptr;
    }
    if (f) fclose(f);
    return 1;
}

int ShowLoadFileDialog(char* path, size_t size, const char* initialDir, FileDialogResult* result) {
    return Answer("Load File", path, size, initialDir, result, DialogKind::kLoadBank);
}

int ShowSaveFileDialog(char* path, size_t size, const char* initialDir, FileDialogResult* result) {
    return Answer("Save File", path, size, initialDir, result, DialogKind::kSaveBank);
}

int ShowExportSheetDialog(char* path, size_t size, const char* initialDir) {
    return Answer("Export Preset Sheet", path, size, initialDir, nullptr, DialogKind::kExport);
}

int ShowExportSyxDialog(char* path, size_t size, const char* initialDir) {
    return Answer("Export as SysEx", path, size, initialDir, nullptr, DialogKind::kExport);
}
