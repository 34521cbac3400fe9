// Files entering the stock list: the File button's open dialog, the start-up import of the
// command line, and the step they share with dropped files.
#pragma once

// Opens the file in the media device to measure it and appends it to the current genre (a
// full genre keeps its entries); the file stays loaded. A path longer than the program's
// 259-character buffers is refused.
void AddOneFile(const wchar_t *path, const wchar_t *title);

// The File button's release: the open dialog, then every chosen file added in the dialog's
// order, the list refilled and the last file loaded.
void OnFileReleased();

// Adds the paths given on the command line (consumed once; the blanks between quoted paths
// are skipped).
void ImportCommandLineFiles();
