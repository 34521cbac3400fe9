// The WAV files the recorder writes: a RIFF form of type "WAVE" holding a 16-byte "fmt "
// chunk and a "data" chunk of 8-bit samples, padded to an even length. Builds natively.
#pragma once

#include <cstdint>

enum : uint32_t {
    kWavHeaderBytes = 44, // RIFF header, "fmt " chunk and the "data" chunk's header
    kPcmFormatBytes = 16, // the "fmt " chunk's body: no extra-size field
    // One capture buffer of 2400 seconds at 27000 bytes a second, whatever the take's format:
    // the longest take follows from its byte rate.
    kCaptureBufferBytes = 2400u * 27000u,
};

// The sizes a take of `dataBytes` sample bytes gives.
struct WavLayout {
    uint32_t riffSize; // everything after the RIFF size field
    uint32_t dataSize;
    uint32_t padBytes; // 1 when the data has an odd length
    uint32_t fileSize;
};
WavLayout WavLayoutFor(uint32_t dataBytes);

// The 44 bytes in front of a take's samples: the RIFF header, the "fmt " chunk holding the
// format's first 16 bytes, and the header of a "data" chunk of `dataBytes` bytes.
void BuildWavHeader(const uint8_t format[kPcmFormatBytes], uint32_t dataBytes,
                    uint8_t out[kWavHeaderBytes]);

// One chunk of a RIFF file, as far as the file really holds it: a size field claiming more
// than the file has keeps only the bytes that are there, so no size read from a file can
// make the reader reserve more than the file's own length.
struct RiffChunk {
    uint32_t id;         // the four characters as a little-endian number
    uint64_t bodyOffset; // where the chunk's body starts in the file
    uint32_t bodyBytes;  // what the file holds of the body
    uint64_t next;       // where the following chunk starts (bodies are padded to even)
};
// Reads the 8-byte chunk header found at `offset` of a file of `fileBytes` bytes; false when
// the header does not fit in the file.
bool ReadRiffChunk(const uint8_t header[8], uint64_t offset, uint64_t fileBytes, RiffChunk *chunk);
constexpr uint32_t RiffId(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

// A take's format from the recording rate and channel count: 8-bit samples, so one byte per
// channel in each block.
struct TakeFormat {
    uint16_t channels;
    uint32_t samplesPerSec;
    uint16_t blockAlign;
    uint32_t avgBytesPerSec;
    uint16_t bitsPerSample;
};
TakeFormat TakeFormatFor(uint32_t samplesPerSec, uint16_t channels);

// Mono or stereo at 1 to 100000 samples a second. Anything else is refused before it reaches
// the device: a format without channels or rate can crash a converter behind the device.
bool UsableTakeFormat(uint32_t samplesPerSec, uint16_t channels);

// The sample bytes a take keeps: what the device reports, never more than the buffer holds,
// and whole blocks only, so no sample frame is cut in two.
uint32_t KeptTakeBytes(uint32_t reportedBytes, uint32_t bufferBytes, uint16_t blockAlign);
