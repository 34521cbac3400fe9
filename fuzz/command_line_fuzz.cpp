// The command line after the program's path: split, filtered and titled.
#include "core/command_line.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring line = in.Units();
    for (const std::wstring &piece : PendingCommandLinePieces(line.c_str())) {
        if (piece.find(L'\0') != std::wstring::npos) __builtin_trap();
        if (IsImportablePiece(piece)) TitleOfPath(piece);
    }
    return 0;
}
