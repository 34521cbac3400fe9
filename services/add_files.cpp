#include "services/add_files.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "core/command_line.h"
#include "core/device_type.h"
#include "core/stock_names.h"
#include "core/time_text.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "services/stock_store.h"
#include "services/transport.h"

void AddOneFile(const wchar_t *path, const wchar_t *title) {
    if (!path || wcsnlen(path, kTextChars) >= size_t(kTextChars)) return;
    // The file takes the loaded entry's place in the device.
    RememberPosition();
    // What is loaded is what the current path names.
    lstrcpynW(g_app.currentPath, path, kTextChars);
    OpenMedia(g_app.currentPath);
    AppendStockEntry(title ? title : L"", TimeIntervalText(MediaLengthMs()), MediaTypeText(),
                     g_app.currentPath);
}

namespace {

bool IsFolder(const std::wstring &path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool GenreFull() {
    return EntryCount(g_app.currentGenre) >= kStockEntryLimit;
}

}  // namespace

std::vector<ChosenFile> MediaFilesIn(const std::wstring &folder) {
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\') base += L'\\';
    std::vector<ChosenFile> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((base + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        const std::wstring path = base + found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !MediaTableEntry(path).empty())
            files.push_back(ChosenFile{path, found.cFileName});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end(), [](const ChosenFile &a, const ChosenFile &b) {
        return lstrcmpiW(a.title.c_str(), b.title.c_str()) < 0;
    });
    return files;
}

bool AddFiles(const std::vector<ChosenFile> &files) {
    bool emptyFolder = false;
    for (const ChosenFile &file : files) {
        if (!IsFolder(file.path)) {
            AddOneFile(file.path.c_str(), file.title.c_str());
            continue;
        }
        // A folder is its media files, never an entry of its own.
        const std::vector<ChosenFile> inside = MediaFilesIn(file.path);
        emptyFolder = emptyFolder || inside.empty();
        for (const ChosenFile &media : inside) {
            if (GenreFull()) break;
            AddOneFile(media.path.c_str(), media.title.c_str());
        }
    }
    return !emptyFolder;
}

std::vector<ChosenFile> TakeCommandLineFiles() {
    std::vector<std::wstring> pieces;
    pieces.swap(g_app.pendingPieces);
    std::vector<ChosenFile> files;
    for (const std::wstring &piece : pieces)
        if (IsImportablePiece(piece)) files.push_back(ChosenFile{piece, TitleOfPath(piece)});
    return files;
}
