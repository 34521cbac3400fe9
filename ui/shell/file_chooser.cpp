#include "ui/shell/file_chooser.h"

namespace {

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
    return GetOpenFileNameW(&dialog) != FALSE;
}

bool ChooseFileToSave(const FileChooser &chooser) {
    OPENFILENAMEW dialog = Dialog(chooser);
    return GetSaveFileNameW(&dialog) != FALSE;
}
