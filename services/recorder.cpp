#include "services/recorder.h"

#include "core/wav_file.h"
#include "services/app_state.h"

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

bool WriteChunk(HMMIO file, const wchar_t *id, const void *data, DWORD bytes) {
    MMCKINFO chunk = {};
    chunk.ckid = mmioStringToFOURCCW(id, 0);
    if (mmioCreateChunk(file, &chunk, 0) != MMSYSERR_NOERROR) return false;
    if (bytes && mmioWrite(file, static_cast<const char *>(data), LONG(bytes)) != LONG(bytes))
        return false;
    return mmioAscend(file, &chunk, 0) == MMSYSERR_NOERROR; // sizes the chunk, pads it even
}

} // namespace

TakeStart StartTake() {
    if (g_app.recording) return TakeStarted;
    g_app.takeFormat = SnapshotFormat();
    if (!UsableTakeFormat(g_app.takeFormat.nSamplesPerSec, g_app.takeFormat.nChannels))
        return TakeBadFormat;
    if (waveInOpen(&g_app.waveIn, WAVE_MAPPER, &g_app.takeFormat, 0, 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        g_app.waveIn = nullptr;
        return TakeNoDevice;
    }
    g_app.captureBuffer = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), 0, kCaptureBufferBytes));
    if (!g_app.captureBuffer) {
        waveInClose(g_app.waveIn);
        g_app.waveIn = nullptr;
        return TakeNoMemory;
    }
    WAVEHDR &header = g_app.captureHeader;
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(g_app.captureBuffer);
    header.dwBufferLength = kCaptureBufferBytes;
    // Failures of the queue and the start show as an empty take, not as an error.
    waveInPrepareHeader(g_app.waveIn, &header, sizeof header);
    waveInAddBuffer(g_app.waveIn, &header, sizeof header);
    waveInStart(g_app.waveIn);
    g_app.recording = 1;
    return TakeStarted;
}

DWORD StopTake() {
    if (!g_app.waveIn) return 0;
    MMTIME position = {};
    position.wType = TIME_BYTES;
    DWORD captured = 0;
    if (waveInGetPosition(g_app.waveIn, &position, sizeof position) == MMSYSERR_NOERROR &&
        position.wType == TIME_BYTES)
        captured = position.u.cb;
    CloseDevice();
    return KeptTakeBytes(captured, kCaptureBufferBytes, g_app.takeFormat.nBlockAlign);
}

bool WriteTake(const wchar_t *path, DWORD bytes) {
    if (!g_app.captureBuffer) return false;
    return WriteWav(path, g_app.takeFormat, g_app.captureBuffer,
                    KeptTakeBytes(bytes, kCaptureBufferBytes, g_app.takeFormat.nBlockAlign));
}

void DiscardTake() {
    CloseDevice();
    if (g_app.captureBuffer) HeapFree(GetProcessHeap(), 0, g_app.captureBuffer);
    g_app.captureBuffer = nullptr;
    g_app.recording = 0;
}

bool WriteWav(const wchar_t *path, const WAVEFORMATEX &format, const BYTE *samples, DWORD bytes) {
    wchar_t name[MAX_PATH]; // the open call wants a writable name
    if (lstrlenW(path) >= MAX_PATH) return false;
    lstrcpynW(name, path, MAX_PATH);
    HMMIO file = mmioOpenW(name, nullptr, MMIO_CREATE | MMIO_WRITE);
    if (!file) return false;
    MMCKINFO form = {};
    form.fccType = mmioStringToFOURCCW(L"WAVE", 0);
    bool ok = mmioCreateChunk(file, &form, MMIO_CREATERIFF) == MMSYSERR_NOERROR &&
              WriteChunk(file, L"fmt ", &format, kPcmFormatBytes) &&
              WriteChunk(file, L"data", samples, bytes) &&
              mmioAscend(file, &form, 0) == MMSYSERR_NOERROR;
    if (mmioClose(file, 0) != MMSYSERR_NOERROR) ok = false;
    if (!ok) DeleteFileW(name);
    return ok;
}
