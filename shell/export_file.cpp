// The export commands' files (see export_file.h).
#include "shell/export_file.h"

#include "banks/bank_aside.h"
#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "base/app_state.h"
#include "base/durable_file.h"
#include "base/messages.h"
#include "base/working_blocks.h"

bool MayExportTo(const char* path) {
    // An open bank's file (a ROM bank's or the device bank's included) is
    // never an export's to replace: the bank would lose its file while it
    // still shows as saved.
    if (IsFileOfOpenBank(path, -1)) {
        StatusMessage(kStrAlreadyLoaded, path);
        return false;
    }
    // Whether a file is there, not whether it can be read: one another
    // program holds open, or the user may not read, is still asked about.
    if (!PathTaken(path)) return true;
    // A protected bank file (a ROM bank not open now) is refused as Save As
    // refuses it (message 30).
    if (!CheckFileWritable(path)) return false;
    return MessageBoxFormat(gMainWindow, kStrAskReplaceExisting, path, kMbYesNoQuestion) == kIdYes;
}

const char* ExportStartFolder(const char* lastFolder) {
    if (lastFolder[0] || !gFileIo) return lastFolder;
    return gFileIo->initialDir;
}

int WriteExportFile(const char* path, const uint8_t* bytes, size_t size, char* lastFolder) {
    SetStatusPopupText(kStrWriting, path);
    ShowStatusPopup(1);
    const bool written = WriteBytesDurably(path, bytes, size) == 0;
    ShowStatusPopup(0);
    if (!written) {
        StatusMessage(kStrCannotWriteFile, path);
        return 0;
    }
    FolderOfPath(path, lastFolder, kPathLen);
    return 1;
}
