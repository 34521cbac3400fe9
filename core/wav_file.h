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
