// The open dialog's buffer: one path, or a folder and names, possibly unterminated.
#include "core/file_selection.h"
#include "fuzz/fuzz_input.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring units = in.Units();
    // Exactly as many units as the buffer holds, so any read past it is caught.
    std::vector<wchar_t> buffer(units.begin(), units.end());
    const FileSelection chosen = ReadFileSelection(buffer.data(), buffer.size());
    for (const ChosenFile &file : chosen.files)
        if (file.path.size() > 259 || file.title.size() > file.path.size()) __builtin_trap();
    return 0;
}
