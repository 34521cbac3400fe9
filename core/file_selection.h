// What the File button's open dialog offers and what it hands back. Builds natively.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The dialog's buffer for the chosen names, in UTF-16 units.
enum { kSelectionChars = 266240 };

// The 32 filter pairs (display text, pattern), each text ended by a NUL and the list by a
// second NUL, as the dialog takes them. The first pair is "all files".
std::wstring OpenDialogFilter();

struct ChosenFile {
    std::wstring path;
    std::wstring title; // the name with its extension, without the folder
};

struct FileSelection {
    bool several = false; // the buffer held a folder and names rather than one path
    std::vector<ChosenFile> files;
};

// Reads the dialog's buffer of `chars` units, never past its end: either one path, or a
// folder followed by names, each ended by a NUL and the list by an empty name. A folder gets
// a "\" unless it ends with one. A path longer than the program's 259-character buffers, and
// a text the buffer does not terminate, is left out.
FileSelection ReadFileSelection(const wchar_t *buffer, size_t chars);
