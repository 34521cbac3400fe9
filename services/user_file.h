// Writing a file the user named (a recording, a captured picture): whole or not at all.
#pragma once

#include <cstddef>
#include <initializer_list>

struct FilePiece {
    const void *data;
    size_t bytes;
};

// Writes the pieces one after another into a draft beside `target`, then moves the draft over
// the target. False when any step fails; the target is then left as it was and no draft stays.
bool WriteUserFile(const wchar_t *target, std::initializer_list<FilePiece> pieces);
