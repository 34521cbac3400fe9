#include "core/command_line.h"

#include "core/settings_record.h"

std::vector<std::wstring> PendingCommandLinePieces(const wchar_t *commandLine) {
    std::vector<std::wstring> pieces;
    if (commandLine == nullptr) return pieces;
    std::wstring current;
    for (const wchar_t *p = commandLine;; ++p) {
        if (*p == L'"' || *p == 0) {
            if (!current.empty()) pieces.push_back(current);
            current.clear();
            if (*p == 0) break;
        } else {
            current.push_back(*p);
        }
    }
    if (!pieces.empty()) pieces.erase(pieces.begin());
    return pieces;
}

bool IsImportablePiece(const std::wstring &piece) {
    return !piece.empty() && piece != L" " && piece.size() <= size_t(kTextChars - 1);
}

std::wstring TitleOfPath(const std::wstring &path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
