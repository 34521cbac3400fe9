#include "services/add_files.h"

#include <windows.h>

#include <cwchar>

#include "core/command_line.h"
#include "core/time_text.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "services/stock_store.h"

void AddOneFile(const wchar_t *path, const wchar_t *title) {
    if (!path || wcsnlen(path, kTextChars) >= size_t(kTextChars)) return;
    // What is loaded is what the current path names.
    lstrcpynW(g_app.currentPath, path, kTextChars);
    OpenMedia(g_app.currentPath);
    AppendStockEntry(title ? title : L"", TimeIntervalText(MediaLengthMs()), MediaTypeText(),
                     g_app.currentPath);
}

void AddFiles(const std::vector<ChosenFile> &files) {
    for (const ChosenFile &file : files) AddOneFile(file.path.c_str(), file.title.c_str());
}

std::vector<ChosenFile> TakeCommandLineFiles() {
    std::vector<std::wstring> pieces;
    pieces.swap(g_app.pendingPieces);
    std::vector<ChosenFile> files;
    for (const std::wstring &piece : pieces)
        if (IsImportablePiece(piece)) files.push_back(ChosenFile{piece, TitleOfPath(piece)});
    return files;
}
