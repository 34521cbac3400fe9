#include "ui/shell/file_chooser.h"

namespace {

// The common dialogs are loaded when a file is first chosen, not with the program: under Wine
// they bring the printer spooler along, about 10 ms of every start-up.
typedef BOOL(WINAPI *ChooseFn)(OPENFILENAMEW *);

ChooseFn CommonDialog(const char *name) {
    static HMODULE dialogs = nullptr;
    if (!dialogs) dialogs = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!dialogs) return nullptr;
    return reinterpret_cast<ChooseFn>(reinterpret_cast<void *>(GetProcAddress(dialogs, name)));
}

OPENFILENAMEW Dialog(const FileChooser &c) {
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = c.owner;
    dialog.lpstrFilter = c.filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = c.file;
    dialog.nMaxFile = c.fileChars;
    dialog.lpstrFileTitle = c.fileTitle;
    dialog.nMaxFileTitle = c.fileTitleChars;
    dialog.lpstrTitle = c.title;
    dialog.lpstrDefExt = c.defaultExt;
    dialog.Flags = c.flags;
    return dialog;
}

} // namespace

bool ChooseFileToOpen(const FileChooser &chooser) {
    OPENFILENAMEW dialog = Dialog(chooser);
    const ChooseFn choose = CommonDialog("GetOpenFileNameW");
    return choose && choose(&dialog) != FALSE;
}

bool ChooseFileToSave(const FileChooser &chooser) {
    OPENFILENAMEW dialog = Dialog(chooser);
    const ChooseFn choose = CommonDialog("GetSaveFileNameW");
    return choose && choose(&dialog) != FALSE;
}
