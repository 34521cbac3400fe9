#include "ui/shell/file_drop.h"

#include <string>
#include <vector>

#include "core/command_line.h"
#include "services/app_state.h"
#include "ui/stock/stock_window.h"

namespace {

// The dropped paths in the platform's order. A path too long for the program's buffers is
// refused rather than cut, so no entry ever points at the wrong file.
std::vector<ChosenFile> DroppedFiles(HDROP drop) {
    std::vector<ChosenFile> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0 || length > UINT(kTextChars - 1)) continue;
        wchar_t path[kTextChars] = L"";
        if (DragQueryFileW(drop, i, path, kTextChars) != length) continue;
        files.push_back(ChosenFile{path, TitleOfPath(path)});
    }
    return files;
}

}  // namespace

void OnFilesDropped(HDROP drop) {
    const std::vector<ChosenFile> files = DroppedFiles(drop);
    if (!files.empty()) AddFilesAndShow(files);
}
