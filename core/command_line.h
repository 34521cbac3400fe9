// The command line is split at double quotes; the first piece is the program itself and the
// others are files to add at start.
#pragma once

#include <string>
#include <vector>

// The pieces after the program path, in order. Empty pieces (two quotes in a row) are dropped,
// as the platform tokenizer drops them; blanks around a piece are kept.
std::vector<std::wstring> PendingCommandLinePieces(const wchar_t *commandLine);

// A piece is imported unless it is the single blank between two quoted paths, or too long
// to be a path the program can hold (259 characters at most).
bool IsImportablePiece(const std::wstring &piece);

// The text after the last backslash, or the whole path when it has none.
std::wstring TitleOfPath(const std::wstring &path);
