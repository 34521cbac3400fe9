#include "shell/file_drop.h"

#include <string>
#include <vector>

#include "playback/media_device.h"
#include "playback/transport.h"
#include "shell/app_state.h"
#include "shell/texts.h"
#include "shell/command_line.h"
#include "stock/add_files.h"
#include "stock/stock_window.h"

namespace {

// The dropped paths in the platform's order. A path too long for the program's buffers is
// refused rather than cut, so no entry ever points at the wrong file.
std::vector<std::wstring> DroppedPaths(HDROP drop) {
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0 || length > UINT(kTextChars - 1)) continue;
        wchar_t path[kTextChars] = L"";
        if (DragQueryFileW(drop, i, path, kTextChars) != length) continue;
        paths.push_back(path);
    }
    return paths;
}

}  // namespace

void OnFilesDropped(HDROP drop) {
    const std::vector<std::wstring> paths = DroppedPaths(drop);
    if (paths.empty()) return;
    g_app.zoom = 0;
    ReplaceThumbnailList(5);  // the list shows five rows at most
    for (const std::wstring &path : paths) {
        lstrcpynW(g_app.currentPath, path.c_str(), ARRAYSIZE(g_app.currentPath));
        SeekToStart();
        AddOneFile(path.c_str(), TitleOfPath(path).c_str());
    }
    RefillStockList();
    SetBarRange();
    const int count = g_app.counts[g_app.currentGenre];
    SetNumberTexts(count, count);
    if (g_app.hPlay) InvalidateRect(g_app.hPlay, nullptr, TRUE);
    if (g_app.hMain) InvalidateRect(g_app.hMain, nullptr, TRUE);
    PlaceVideoWindow();
    g_app.currentItem = count - 1;
}
