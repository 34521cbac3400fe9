// Paths from the list, the command line or a drop: table entry, device text and what the
// shell may be asked to do with them.
#include "core/device_type.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const PathKind kind = PathKind(in.Number<uint8_t>() % 3);
    const std::wstring path = in.Units();
    FileNameOf(path);
    MediaTableEntry(path);
    DeviceTypeText(path);
    if (ShellHandOffFor(path, kind) != ShellVerb::Refuse && !IsPlainFullPath(path))
        __builtin_trap();  // only plain full paths go to the shell
    return 0;
}
