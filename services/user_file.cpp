#include "services/user_file.h"

#include <windows.h>

#include "services/draft_file.h"

namespace {

bool WriteAll(HANDLE file, const void *data, size_t bytes) {
    if (bytes > MAXDWORD) return false;
    DWORD written = 0;
    return !bytes || (WriteFile(file, data, DWORD(bytes), &written, nullptr) && written == bytes);
}

} // namespace

bool WriteUserFile(const wchar_t *target, std::initializer_list<FilePiece> pieces) {
    const std::wstring draft = NewDraftBeside(target);
    if (draft.empty()) return false;
    HANDLE file = CreateFileW(draft.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE;
    for (const FilePiece &piece : pieces)
        ok = ok && WriteAll(file, piece.data, piece.bytes);
    if (file != INVALID_HANDLE_VALUE && !CloseHandle(file)) ok = false;
    if (!ok) {
        DropDraft(draft);
        return false;
    }
    return PutDraftInPlace(draft, target);
}
