#include "ui/stock/file_dialog.h"

#include <windows.h>

#include <vector>

#include "core/file_selection.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/file_chooser.h"
#include "ui/stock/stock_window.h"

namespace {

enum { kFileTitleChars = 100 };

const wchar_t kDialogTitle[] = L"ファイルの選択";

// The dialog's errors count as a cancel.
bool ChooseFiles(FileSelection *chosen) {
    std::vector<wchar_t> names(kSelectionChars, L'\0');
    wchar_t title[kFileTitleChars] = L"";
    const std::wstring filter = OpenDialogFilter();
    FileChooser dialog(g_ui.hMain, filter.c_str(), names.data(), kSelectionChars);
    dialog.fileTitle = title;
    dialog.fileTitleChars = kFileTitleChars;
    dialog.title = kDialogTitle;
    dialog.flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!ChooseFileToOpen(dialog)) return false;
    *chosen = ReadFileSelection(names.data(), names.size());
    return true;
}

} // namespace

void OnFileReleased() {
    FileSelection chosen;
    if (ChooseFiles(&chosen)) AddFilesAndShow(chosen.files);
}
