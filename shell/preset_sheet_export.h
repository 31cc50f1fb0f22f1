// File > Export Preset Sheet...: the current preset's sheet (views/
// preset_sheet.h) written as a PNG file where the user chooses.
#pragma once

// Asks for the file (shell/sheet_dialog.h), proposing "<bank> - <number>
// <preset>.png" in the folder of the last export; asks "Replace existing %s"
// (18) before replacing a file; writes it through the durable write, with
// "Writing %s" (52) in the status popup meanwhile. A file that cannot be
// written gives "Cannot Write file %s to disk" (26) in the status display and
// leaves whatever was there before. Returns 1 when the file was written.
int ExportPresetSheetCommand();
