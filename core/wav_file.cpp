#include "core/wav_file.h"

#include <cstring>

namespace {

void Put32(uint8_t *p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

uint32_t Get32(const uint8_t *p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

WavLayout WavLayoutFor(uint32_t dataBytes) {
    WavLayout layout;
    layout.dataSize = dataBytes;
    layout.padBytes = dataBytes & 1;
    layout.riffSize = kWavHeaderBytes - 8 + dataBytes + layout.padBytes;
    layout.fileSize = layout.riffSize + 8;
    return layout;
}

void BuildWavHeader(const uint8_t format[kPcmFormatBytes], uint32_t dataBytes,
                    uint8_t out[kWavHeaderBytes]) {
    const WavLayout layout = WavLayoutFor(dataBytes);
    std::memcpy(out, "RIFF", 4);
    Put32(out + 4, layout.riffSize);
    std::memcpy(out + 8, "WAVEfmt ", 8);
    Put32(out + 16, kPcmFormatBytes);
    std::memcpy(out + 20, format, kPcmFormatBytes);
    std::memcpy(out + 36, "data", 4);
    Put32(out + 40, dataBytes);
}

bool ReadRiffChunk(const uint8_t header[8], uint64_t offset, uint64_t fileBytes, RiffChunk *chunk) {
    if (offset > fileBytes || fileBytes - offset < 8) return false;
    const uint32_t declared = Get32(header + 4);
    chunk->id = Get32(header);
    chunk->bodyOffset = offset + 8;
    const uint64_t there = fileBytes - chunk->bodyOffset;
    chunk->bodyBytes = declared < there ? declared : uint32_t(there);
    chunk->next = chunk->bodyOffset + declared + (declared & 1);
    return true;
}

TakeFormat TakeFormatFor(uint32_t samplesPerSec, uint16_t channels) {
    TakeFormat format;
    format.channels = channels;
    format.samplesPerSec = samplesPerSec;
    format.bitsPerSample = 8;
    format.blockAlign = uint16_t(channels * 1);
    format.avgBytesPerSec = samplesPerSec * format.blockAlign;
    return format;
}

bool UsableTakeFormat(uint32_t samplesPerSec, uint16_t channels) {
    return (channels == 1 || channels == 2) && samplesPerSec >= 1 && samplesPerSec <= 100000;
}

uint32_t KeptTakeBytes(uint32_t reportedBytes, uint32_t bufferBytes, uint16_t blockAlign) {
    uint32_t kept = reportedBytes < bufferBytes ? reportedBytes : bufferBytes;
    if (blockAlign > 1) kept -= kept % blockAlign;
    return kept;
}
