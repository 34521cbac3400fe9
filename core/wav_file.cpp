#include "core/wav_file.h"

WavLayout WavLayoutFor(uint32_t dataBytes) {
    WavLayout layout;
    layout.dataSize = dataBytes;
    layout.padBytes = dataBytes & 1;
    layout.riffSize = kWavHeaderBytes - 8 + dataBytes + layout.padBytes;
    layout.fileSize = layout.riffSize + 8;
    return layout;
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
