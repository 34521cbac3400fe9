// The multimedia file calls and the AVI library take file names through the system's ANSI
// code page on some systems, so a name outside it (a Japanese name on a Western system) is
// not found. Such a file is reached through its short (8.3) name instead.
#pragma once

#include <string>

// The short form of an existing path; empty when the system gives none.
std::wstring ShortPathOf(const std::wstring &path);

// Makes an empty file at `path` (so that it has a short name) and returns that short form;
// empty when it cannot be made.
std::wstring CreateForShortPath(const std::wstring &path);
