// The recorder's arithmetic for any rate, channel count and byte count: a usable format's
// header always agrees with the samples kept.
#include "core/wav_file.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const uint32_t rate = in.Number<uint32_t>();
    const uint16_t channels = in.Number<uint16_t>();
    const uint32_t reported = in.Number<uint32_t>();
    if (!UsableTakeFormat(rate, channels)) return 0;
    const TakeFormat format = TakeFormatFor(rate, channels);
    if (format.blockAlign != channels || format.avgBytesPerSec != rate * channels) __builtin_trap();
    const uint32_t kept = KeptTakeBytes(reported, kCaptureBufferBytes, format.blockAlign);
    if (kept > reported || kept > kCaptureBufferBytes || kept % format.blockAlign) __builtin_trap();
    const WavLayout layout = WavLayoutFor(kept);
    if (layout.fileSize != layout.riffSize + 8 || layout.dataSize != kept ||
        layout.fileSize != kWavHeaderBytes + kept + layout.padBytes)
        __builtin_trap();
    return 0;
}
