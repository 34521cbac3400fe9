#include "stock/add_files.h"

#include <windows.h>
#include <commdlg.h>

#include <cwchar>

#include "playback/media_device.h"
#include "playback/time_text.h"
#include "playback/transport.h"
#include "shell/app_state.h"
#include "shell/texts.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "stock/file_selection.h"
#include "stock/stock_store.h"
#include "stock/stock_window.h"

namespace {

enum { kFileTitleChars = 100, kListRows = 5 };

const wchar_t kDialogTitle[] = L"ファイルの選択";

int CurrentCount() {
    return g_app.counts[g_app.currentGenre];
}

void RepaintAfterAdding() {
    if (g_app.hPlay) InvalidateRect(g_app.hPlay, nullptr, TRUE);
    if (g_app.hMain) InvalidateRect(g_app.hMain, &kStatusRect, FALSE);
}

// The dialog's errors count as a cancel.
bool ChooseFiles(FileSelection *chosen) {
    std::vector<wchar_t> names(kSelectionChars, L'\0');
    wchar_t title[kFileTitleChars] = L"";
    const std::wstring filter = OpenDialogFilter();
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = g_app.hMain;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = names.data();
    dialog.nMaxFile = kSelectionChars;
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = kFileTitleChars;
    dialog.lpstrTitle = kDialogTitle;
    dialog.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return false;
    *chosen = ReadFileSelection(names.data(), names.size());
    return true;
}

void AddSeveralFiles(const std::vector<ChosenFile> &files) {
    CloseMedia();
    for (const ChosenFile &file : files) {
        SetNumberText(g_app.currentNumberText, 1);
        SetNumberText(g_app.totalNumberText, CurrentCount());
        AddOneFile(file.path.c_str(), file.title.c_str());
        SetBarRange();
        RepaintAfterAdding();
    }
    RefillStockList();
}

} // namespace

void AddOneFile(const wchar_t *path, const wchar_t *title) {
    if (!path || wcsnlen(path, kTextChars) >= size_t(kTextChars)) return;
    // What is loaded is what the current path names.
    lstrcpynW(g_app.currentPath, path, kTextChars);
    OpenMedia(g_app.currentPath);
    AppendStockEntry(title ? title : L"", TimeIntervalText(g_app.lengthMs), g_app.currentTypeText,
                     g_app.currentPath);
}

void OnFileReleased() {
    FileSelection chosen;
    if (!ChooseFiles(&chosen)) return;
    g_app.zoom = 0;
    ReplaceThumbnailList(kListRows);
    if (chosen.several) {
        AddSeveralFiles(chosen.files);
    } else {
        if (!chosen.files.empty())
            AddOneFile(chosen.files[0].path.c_str(), chosen.files[0].title.c_str());
        RefillStockList();
        SetBarRange();
        RepaintAfterAdding();
    }
    PlaceVideoWindow();
    SeekToStart();
    const int count = CurrentCount();
    SetNumberText(g_app.totalNumberText, count);
    // The last stored entry is current; with nothing stored there is no entry -1.
    g_app.currentItem = count > 0 ? count - 1 : 0;
    SetNumberText(g_app.currentNumberText, count);
    if (g_app.hMain) InvalidateRect(g_app.hMain, &kStatusRect, FALSE);
}

void ImportCommandLineFiles() {
    std::vector<std::wstring> pieces;
    pieces.swap(g_app.pendingPieces);
    for (const std::wstring &piece : pieces)
        if (IsImportablePiece(piece)) AddOneFile(piece.c_str(), TitleOfPath(piece).c_str());
}
