#include "services/recorder.h"

#include "core/wav_file.h"
#include "services/user_file.h"

namespace {

// The format the settings page edits: 8-bit mono at 27000 Hz until it says otherwise.
const WAVEFORMATEX kStartFormat = {WAVE_FORMAT_PCM, 1, 27000, 27000, 1, 8, 0};
WAVEFORMATEX g_recordFormat = kStartFormat;

// One take at a time, kept in memory until it is saved or discarded.
struct Take {
    bool recording;
    HWAVEIN device;
    WAVEFORMATEX format;  // the recording format as it was when the take started
    BYTE *buffer;
    WAVEHDR header;
} g_take;

WAVEFORMATEX SnapshotFormat() {
    const WAVEFORMATEX &shared = g_recordFormat;
    const TakeFormat take = TakeFormatFor(shared.nSamplesPerSec, shared.nChannels);
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = take.channels;
    format.nSamplesPerSec = take.samplesPerSec;
    format.nAvgBytesPerSec = take.avgBytesPerSec;
    format.nBlockAlign = take.blockAlign;
    format.wBitsPerSample = take.bitsPerSample;
    return format;
}

void CloseDevice() {
    if (!g_take.device) return;
    waveInReset(g_take.device);
    waveInUnprepareHeader(g_take.device, &g_take.header, sizeof g_take.header);
    waveInClose(g_take.device);
    g_take.device = nullptr;
}

} // namespace

TakeStart StartTake(DWORD bufferBytes) {
    if (g_take.recording) return TakeStarted;
    g_take.format = SnapshotFormat();
    if (!UsableTakeFormat(g_take.format.nSamplesPerSec, g_take.format.nChannels))
        return TakeBadFormat;
    if (waveInOpen(&g_take.device, WAVE_MAPPER, &g_take.format, 0, 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        g_take.device = nullptr;
        return TakeNoDevice;
    }
    g_take.buffer = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), 0, bufferBytes));
    if (!g_take.buffer) {
        waveInClose(g_take.device);
        g_take.device = nullptr;
        return TakeNoMemory;
    }
    WAVEHDR &header = g_take.header;
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(g_take.buffer);
    header.dwBufferLength = bufferBytes;
    // Failures of the queue and the start show as an empty take, not as an error: the take
    // keeps only the bytes the device put in the buffer.
    waveInPrepareHeader(g_take.device, &header, sizeof header);
    waveInAddBuffer(g_take.device, &header, sizeof header);
    waveInStart(g_take.device);
    g_take.recording = true;
    return TakeStarted;
}

DWORD StopTake(bool *full) {
    *full = false;
    if (!g_take.device) return 0;
    CloseDevice(); // the reset hands the buffer back with the count of bytes it received
    const WAVEHDR &header = g_take.header;
    const DWORD received = (header.dwFlags & WHDR_DONE) ? header.dwBytesRecorded : 0;
    *full = received >= header.dwBufferLength;
    return KeptTakeBytes(received, header.dwBufferLength, g_take.format.nBlockAlign);
}

bool WriteTake(const wchar_t *path, DWORD bytes) {
    if (!g_take.buffer) return false;
    return WriteWav(path, g_take.format, g_take.buffer,
                    KeptTakeBytes(bytes, g_take.header.dwBufferLength,
                                  g_take.format.nBlockAlign));
}

void DiscardTake() {
    CloseDevice();
    if (g_take.buffer) HeapFree(GetProcessHeap(), 0, g_take.buffer);
    g_take.buffer = nullptr;
    g_take.recording = false;
}

void ResetRecorder() {
    DiscardTake();
    g_recordFormat = kStartFormat;
}

WAVEFORMATEX &RecordingFormat() {
    return g_recordFormat;
}

bool TakeRunning() {
    return g_take.recording;
}

bool TakeHoldsNothing() {
    return !g_take.recording && !g_take.device && !g_take.buffer;
}

HWAVEIN TakeDevice() {
    return g_take.device;
}

bool WriteWav(const wchar_t *path, const WAVEFORMATEX &format, const BYTE *samples, DWORD bytes) {
    uint8_t header[kWavHeaderBytes];
    BuildWavHeader(reinterpret_cast<const uint8_t *>(&format), bytes, header);
    const uint8_t pad = 0;
    // Written without the multimedia file calls, which take a '+' in the path for the start
    // of a compound-file element name.
    return WriteUserFile(path, {{header, sizeof header}, {samples, bytes}, {&pad, bytes & 1}});
}
