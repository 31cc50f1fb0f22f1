// File > Export as SysEx... and the Load command's ".syx" branch: the
// program's side of the ".syx" files of midi/syx_file.h (the dialogs, the
// questions, the messages, the new bank and its undo step).
#pragma once

// Writes the current bank as the data messages Send to Device would send, by
// the bank's own model and the MIDI Setup's device number. With more than one
// preset selected in the presets pane it asks (104) whether to export only
// those. Asks for the file (shell/syx_dialog.h), proposing "<bank>.syx" in the
// folder of the last export; asks "Replace existing %s" (18) before replacing
// a file; writes it through the durable write with "Writing %s" (52) in the
// status popup. A file that cannot be written gives "Cannot Write file %s to
// disk" (26) and leaves whatever was there before. Returns 1 when written.
int ExportSyxCommand();

// The Load command's third filter: reads the file through the reception.
// A whole dump becomes a new user bank named after the file, current and
// changed (undoable as "Loading of"); a file of some presets only is offered
// (105) as a new bank with those presets in place and the rest as a new bank
// has them; a file with nothing usable is described (106, 107, 108). A file
// over 1 MB (109), one that cannot be read (24) or one met while the device's
// own dump is under way (110) changes nothing. Returns the new bank's index,
// kSxlNotRead (-1) when the file was not read, kSxlNoBank (-2) when it was
// read and no bank was made.
int ImportSyxFile(const char* path);
