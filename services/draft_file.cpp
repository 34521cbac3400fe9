#include "services/draft_file.h"

#include <windows.h>

std::wstring NewDraftBeside(const std::wstring &target) {
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
    wchar_t draft[MAX_PATH];
    // The prefix plus four hex digits and ".tmp" fit where the target's own name may not.
    if (folder.size() >= MAX_PATH - 14 || !GetTempFileNameW(folder.c_str(), L"mir", 0, draft))
        return std::wstring();
    return draft;
}

bool PutDraftInPlace(const std::wstring &draft, const std::wstring &target) {
    if (MoveFileExW(draft.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DropDraft(draft);
    return false;
}

void DropDraft(const std::wstring &draft) {
    if (!draft.empty()) DeleteFileW(draft.c_str());
}
