// Files entering the stock list: the one step shared by the File button's dialog, dropped
// files and the start-up import of the command line.
#pragma once

#include <vector>

#include "core/file_selection.h"

// Opens the file in the media device to measure it and appends it to the current genre (a
// full genre keeps its entries); the file stays loaded. A path longer than the program's
// 259-character buffers is refused.
void AddOneFile(const wchar_t *path, const wchar_t *title);

// Adds the files in their order; the last one stays loaded. A folder adds the media files
// directly inside it (those whose extension the device-type table knows), in name order,
// until the genre is full. False when a folder held none (the caller says so once).
bool AddFiles(const std::vector<ChosenFile> &files);

// The media files directly inside a folder (not its subfolders), by name.
std::vector<ChosenFile> MediaFilesIn(const std::wstring &folder);

// The paths given on the command line (consumed once; the blanks between quoted paths are
// skipped), as files to add.
std::vector<ChosenFile> TakeCommandLineFiles();
