#include "ui/settings/backup_restore.h"

#include <shlobj.h>

#include <string>

#include "core/button_table.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/backup.h"
#include "services/texts.h"
#include "ui/stock/stock_window.h"

namespace {

// The folder the user picks, as a path; false when the browser is cancelled or the choice is
// no file-system folder.
bool BrowseForFolder(HWND owner, UINT titleId, std::wstring *path) {
    const std::wstring title = LoadProgramText(titleId);
    wchar_t displayName[MAX_PATH] = L"";
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    const HRESULT com = CoInitialize(nullptr);
    LPITEMIDLIST item = SHBrowseForFolderW(&info);
    bool chosen = false;
    if (item) {
        wchar_t buffer[MAX_PATH] = L"";
        chosen = SHGetPathFromIDListW(item, buffer) && buffer[0];
        buffer[MAX_PATH - 1] = L'\0';
        *path = buffer;
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return chosen;
}

// A text of the string table with its "%s" marks replaced, in order.
std::wstring Format(UINT id, const std::wstring &first, const std::wstring &second = L"") {
    std::wstring text = LoadProgramText(id);
    size_t at = 0;
    for (const std::wstring *part : {&first, &second}) {
        at = text.find(L"%s", at);
        if (at == std::wstring::npos) break;
        text.replace(at, 2, *part);
        at += part->size();
    }
    return text;
}

// A page of the settings dialog passes itself: the browser and the boxes belong to the
// dialog (its top-level window), so the dialog is disabled while they are open.
HWND TopLevel(HWND owner) { return owner ? GetAncestor(owner, GA_ROOT) : nullptr; }

void Show(HWND owner, const std::wstring &text, UINT captionId, UINT icon) {
    MessageBoxW(owner, text.c_str(), LoadProgramText(captionId).c_str(), MB_OK | icon);
}

UINT ProblemText(BackupProblem problem) {
    switch (problem) {
    case BackupProblem::MissingKey: return IDS_RESTORE_MISSING_KEY;
    case BackupProblem::BadCount: return IDS_RESTORE_BAD_COUNT;
    case BackupProblem::CountNotBacked: return IDS_RESTORE_UNBACKED;
    case BackupProblem::NotANumber: return IDS_RESTORE_NOT_NUMBER;
    case BackupProblem::TooLong: return IDS_RESTORE_TOO_LONG;
    case BackupProblem::LineBreak: return IDS_RESTORE_LINE_BREAK;
    case BackupProblem::TooLarge: return IDS_RESTORE_TOO_LARGE;
    case BackupProblem::None: break;
    }
    return IDS_RESTORE_MISSING_KEY;
}

}  // namespace

void BackupWithFolderBrowser(HWND owner) {
    owner = TopLevel(owner);
    std::wstring parent;
    if (!BrowseForFolder(owner, IDS_BACKUP_TITLE, &parent)) {
        Show(owner, LoadProgramText(IDS_BACKUP_CANCELLED), IDS_BACKUP_TITLE, 0);
        return;
    }
    std::wstring where;
    switch (SaveBackup(parent, &where)) {
    case SaveOutcome::Saved:
        return;
    case SaveOutcome::InsideThumbnailFolder:
        Show(owner, LoadProgramText(IDS_BACKUP_INSIDE_CAP), IDS_BACKUP_TITLE, MB_ICONWARNING);
        return;
    case SaveOutcome::FolderNotCreated:
        Show(owner, Format(IDS_BACKUP_FOLDER_FAILED, where), IDS_BACKUP_TITLE, MB_ICONWARNING);
        return;
    case SaveOutcome::IniNotWritten:
        Show(owner, Format(IDS_BACKUP_INI_FAILED, where), IDS_BACKUP_TITLE, MB_ICONWARNING);
        return;
    case SaveOutcome::ThumbnailsNotCopied:
        Show(owner, Format(IDS_BACKUP_COPY_FAILED, where), IDS_BACKUP_TITLE, MB_ICONWARNING);
        return;
    }
}

void RestoreWithFolderBrowser(HWND owner) {
    owner = TopLevel(owner);
    std::wstring folder;
    BackupCheck check;
    // A cancelled browser counts as a folder of the wrong name.
    const RestoreOutcome outcome = BrowseForFolder(owner, IDS_RESTORE_TITLE, &folder)
                                       ? RestoreBackup(folder, &check)
                                       : RestoreOutcome::NotBackupFolder;
    const std::wstring unchanged = LoadProgramText(IDS_RESTORE_UNCHANGED);
    switch (outcome) {
    case RestoreOutcome::Restored:
        ShowRestoredState();
        return;
    case RestoreOutcome::NotBackupFolder:
        Show(nullptr, LoadProgramText(IDS_RESTORE_PICK_FOLDER), IDS_RESTORE_WARNING_CAPTION,
             MB_ICONWARNING);
        return;
    case RestoreOutcome::InsideThumbnailFolder:
        Show(owner, LoadProgramText(IDS_BACKUP_INSIDE_CAP) + unchanged, IDS_RESTORE_TITLE,
             MB_ICONWARNING);
        return;
    case RestoreOutcome::NoIni:
        Show(owner, Format(IDS_RESTORE_NO_INI, folder + L"\\save.ini") + unchanged,
             IDS_RESTORE_TITLE, MB_ICONWARNING);
        return;
    case RestoreOutcome::Damaged:
        Show(owner,
             (check.problem == BackupProblem::TooLarge
                  ? Format(IDS_RESTORE_TOO_LARGE, std::to_wstring(kBackupFileByteLimit))
                  : Format(ProblemText(check.problem), check.section, check.key)) +
                 unchanged,
             IDS_RESTORE_TITLE, MB_ICONWARNING);
        return;
    case RestoreOutcome::NotApplied:
        Show(owner, LoadProgramText(IDS_RESTORE_NOT_APPLIED), IDS_RESTORE_TITLE, MB_ICONWARNING);
        ShowRestoredState();  // the list shows the entries put back
        return;
    }
}

void ShowRestoredState() {
    for (int slot = 0; slot < kButtonCount; ++slot) {
        HWND button = g_ui.buttons[slot];
        if (!button) continue;
        const ButtonPos &pos = g_app.settings.buttons[slot];
        SetWindowPos(button, nullptr, pos.x, pos.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(button, nullptr, FALSE);
    }
    RefillStockList();
    for (HWND w : {g_ui.hMain, g_ui.hRightPanel})
        if (w) InvalidateRect(w, nullptr, FALSE);
}
