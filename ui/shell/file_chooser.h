// The program's open and save dialogs: what differs between them is named, the rest is set
// the same way for all (first filter chosen, the given owner and buffers).
#pragma once

#include <windows.h>
#include <commdlg.h>

struct FileChooser {
    FileChooser(HWND owner, const wchar_t *filter, wchar_t *file, DWORD fileChars)
        : owner(owner), filter(filter), file(file), fileChars(fileChars) {}

    HWND owner;
    const wchar_t *filter; // label and pattern pairs, ending in an empty string
    wchar_t *file;         // in: the name offered; out: the chosen one(s)
    DWORD fileChars;
    wchar_t *fileTitle = nullptr; // out: the chosen name without its folder, if wanted
    DWORD fileTitleChars = 0;
    const wchar_t *title = nullptr;      // null: the system's own
    const wchar_t *defaultExt = nullptr; // added to a name typed without one
    DWORD flags = 0;
};

// False on a cancel or the dialog's error.
bool ChooseFileToOpen(const FileChooser &chooser);
bool ChooseFileToSave(const FileChooser &chooser);
