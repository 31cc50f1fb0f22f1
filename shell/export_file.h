// What the export commands (preset sheet, SysEx file) do with the file the
// save dialog named: ask before replacing one, write it whole, remember its
// folder for the next export.
#pragma once

#include <cstddef>
#include <cstdint>

// False when a file is at path and the user does not want it replaced, and
// when path is the file of an open bank ("%s is already loaded", as Save As
// says).
bool MayExportTo(const char* path);
// Writes the bytes to path with the "Writing" notice, as a bank is written
// (the old file stays whole when the write fails, and the user is told);
// lastFolder (the command's own, of kPathLen characters) then gets the
// file's folder. Returns 1 when written.
int WriteExportFile(const char* path, const uint8_t* bytes, size_t size, char* lastFolder);
// Where an export's dialog starts: the command's last folder, or before its
// first export where the bank dialogs start (not wherever the process last
// read a file).
const char* ExportStartFolder(const char* lastFolder);
