#include "services/recorder.h"

#include "core/wav_file.h"
#include "services/app_state.h"
#include "services/user_file.h"

namespace {

WAVEFORMATEX SnapshotFormat() {
    const WAVEFORMATEX &shared = g_app.recordFormat;
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
    if (!g_app.waveIn) return;
    waveInReset(g_app.waveIn);
    waveInUnprepareHeader(g_app.waveIn, &g_app.captureHeader, sizeof g_app.captureHeader);
    waveInClose(g_app.waveIn);
    g_app.waveIn = nullptr;
}

} // namespace

TakeStart StartTake(DWORD bufferBytes) {
    if (g_app.recording) return TakeStarted;
    g_app.takeFormat = SnapshotFormat();
    if (!UsableTakeFormat(g_app.takeFormat.nSamplesPerSec, g_app.takeFormat.nChannels))
        return TakeBadFormat;
    if (waveInOpen(&g_app.waveIn, WAVE_MAPPER, &g_app.takeFormat, 0, 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        g_app.waveIn = nullptr;
        return TakeNoDevice;
    }
    g_app.captureBuffer = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), 0, bufferBytes));
    if (!g_app.captureBuffer) {
        waveInClose(g_app.waveIn);
        g_app.waveIn = nullptr;
        return TakeNoMemory;
    }
    WAVEHDR &header = g_app.captureHeader;
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(g_app.captureBuffer);
    header.dwBufferLength = bufferBytes;
    // Failures of the queue and the start show as an empty take, not as an error: the take
    // keeps only the bytes the device put in the buffer.
    waveInPrepareHeader(g_app.waveIn, &header, sizeof header);
    waveInAddBuffer(g_app.waveIn, &header, sizeof header);
    waveInStart(g_app.waveIn);
    g_app.recording = 1;
    return TakeStarted;
}

DWORD StopTake(bool *full) {
    *full = false;
    if (!g_app.waveIn) return 0;
    CloseDevice(); // the reset hands the buffer back with the count of bytes it received
    const WAVEHDR &header = g_app.captureHeader;
    const DWORD received = (header.dwFlags & WHDR_DONE) ? header.dwBytesRecorded : 0;
    *full = received >= header.dwBufferLength;
    return KeptTakeBytes(received, header.dwBufferLength, g_app.takeFormat.nBlockAlign);
}

bool WriteTake(const wchar_t *path, DWORD bytes) {
    if (!g_app.captureBuffer) return false;
    return WriteWav(path, g_app.takeFormat, g_app.captureBuffer,
                    KeptTakeBytes(bytes, g_app.captureHeader.dwBufferLength,
                                  g_app.takeFormat.nBlockAlign));
}

void DiscardTake() {
    CloseDevice();
    if (g_app.captureBuffer) HeapFree(GetProcessHeap(), 0, g_app.captureBuffer);
    g_app.captureBuffer = nullptr;
    g_app.recording = 0;
}

bool WriteWav(const wchar_t *path, const WAVEFORMATEX &format, const BYTE *samples, DWORD bytes) {
    uint8_t header[kWavHeaderBytes];
    BuildWavHeader(reinterpret_cast<const uint8_t *>(&format), bytes, header);
    const uint8_t pad = 0;
    // Written without the multimedia file calls, which take a '+' in the path for the start
    // of a compound-file element name.
    return WriteUserFile(path, {{header, sizeof header}, {samples, bytes}, {&pad, bytes & 1}});
}
