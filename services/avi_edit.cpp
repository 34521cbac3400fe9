#include "services/avi_edit.h"

#include <algorithm>
#include <vector>

#include "core/toolkit.h"
#include "services/short_path.h"

namespace {

// The first video and audio streams of a file; the file itself is released at once.
bool OpenStreams(const wchar_t *path, PAVISTREAM *video, PAVISTREAM *audio) {
    *video = *audio = nullptr;
    PAVIFILE file = nullptr;
    const UINT mode = OF_READ | OF_SHARE_DENY_NONE;
    if (AVIFileOpenW(&file, path, mode, nullptr) != AVIERR_OK) {
        const std::wstring alias = ShortPathOf(path);
        if (alias.empty() || AVIFileOpenW(&file, alias.c_str(), mode, nullptr) != AVIERR_OK)
            return false;
    }
    if (AVIFileGetStream(file, video, streamtypeVIDEO, 0) != AVIERR_OK) *video = nullptr;
    if (AVIFileGetStream(file, audio, streamtypeAUDIO, 0) != AVIERR_OK) *audio = nullptr;
    AVIFileRelease(file);
    return *video != nullptr;
}

void ReleaseStream(PAVISTREAM *stream) {
    if (*stream) AVIStreamRelease(*stream);
    *stream = nullptr;
}

// Replaces a stream by an editable copy of it; keeps the original when none can be made.
void MakeEditable(PAVISTREAM *stream) {
    PAVISTREAM editable = nullptr;
    if (!*stream || CreateEditableStream(&editable, *stream) != AVIERR_OK || !editable) return;
    AVIStreamRelease(*stream);
    *stream = editable;
}

// Copies samples first..last of `source` into a new stream of `file` that starts at 0.
bool CopySegment(PAVIFILE file, PAVISTREAM source, long first, long last) {
    AVISTREAMINFOW info = {};
    if (AVIStreamInfoW(source, &info, sizeof(info)) != AVIERR_OK) return false;
    info.dwStart = 0;
    info.dwLength = 0;
    PAVISTREAM target = nullptr;
    if (AVIFileCreateStreamW(file, &target, &info) != AVIERR_OK || !target) return false;

    bool ok = false;
    LONG formatSize = 0;
    std::vector<BYTE> format, buffer;
    if (AVIStreamReadFormat(source, first, nullptr, &formatSize) == AVIERR_OK && formatSize > 0) {
        format.resize(size_t(formatSize));
        ok = AVIStreamReadFormat(source, first, format.data(), &formatSize) == AVIERR_OK &&
             AVIStreamSetFormat(target, 0, format.data(), formatSize) == AVIERR_OK;
    }
    for (long p = first; ok && p <= last;) {
        LONG bytes = 0, samples = 0;
        AVIStreamRead(source, p, AVISTREAMREAD_CONVENIENT, nullptr, 0, &bytes, &samples);
        if (bytes <= 0 || samples <= 0) samples = 4096;
        samples = std::min<LONG>(samples, last - p + 1);
        if (AVIStreamRead(source, p, samples, nullptr, 0, &bytes, &samples) != AVIERR_OK ||
            samples <= 0 || bytes < 0) {
            ok = false;  // a stream that gives nothing would never reach its end
            break;
        }
        buffer.resize(std::max<size_t>(buffer.size(), size_t(bytes) + 1));
        LONG read = 0, got = 0;
        ok = AVIStreamRead(source, p, samples, buffer.data(), bytes, &read, &got) == AVIERR_OK &&
             got > 0 &&
             AVIStreamWrite(target, p - first, got, buffer.data(), read, AVIIF_KEYFRAME, nullptr,
                            nullptr) == AVIERR_OK;
        p += got;
    }
    AVIStreamRelease(target);
    return ok;
}

// Writes a new file of the extension's kind holding samples first..last of `source`.
bool WriteSegment(const wchar_t *path, PAVISTREAM source, long first, long last) {
    if (last < first) return false;
    DeleteFileW(path);  // a shorter cut must not keep the tail of an older file
    PAVIFILE file = nullptr;
    const UINT mode = OF_CREATE | OF_WRITE | OF_SHARE_DENY_NONE;
    if (AVIFileOpenW(&file, path, mode, nullptr) != AVIERR_OK) {
        const std::wstring alias = CreateForShortPath(path);
        if (alias.empty() || AVIFileOpenW(&file, alias.c_str(), mode, nullptr) != AVIERR_OK) {
            DeleteFileW(path);
            return false;
        }
    }
    const bool ok = CopySegment(file, source, first, last);
    AVIFileRelease(file);
    if (!ok) DeleteFileW(path);
    return ok;
}

// Writes samples first..last of an audio stream as a RIFF WAVE file through the multimedia
// file calls, for where the AVI library's own WAV writer refuses the data.
bool WriteWaveFile(const wchar_t *path, PAVISTREAM source, long first, long last) {
    LONG formatSize = 0;
    if (AVIStreamReadFormat(source, first, nullptr, &formatSize) != AVIERR_OK ||
        formatSize < LONG(sizeof(PCMWAVEFORMAT)))
        return false;
    std::vector<BYTE> format(static_cast<size_t>(formatSize));
    if (AVIStreamReadFormat(source, first, format.data(), &formatSize) != AVIERR_OK) return false;

    HMMIO file = mmioOpenW(const_cast<wchar_t *>(path), nullptr, MMIO_CREATE | MMIO_WRITE);
    std::wstring alias;
    if (!file && !(alias = CreateForShortPath(path)).empty())
        file = mmioOpenW(&alias[0], nullptr, MMIO_CREATE | MMIO_WRITE);
    if (!file) {
        DeleteFileW(path);
        return false;
    }
    MMCKINFO riff = {}, chunk = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    bool ok = mmioCreateChunk(file, &riff, MMIO_CREATERIFF) == MMSYSERR_NOERROR;
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    ok = ok && mmioCreateChunk(file, &chunk, 0) == MMSYSERR_NOERROR &&
         mmioWrite(file, reinterpret_cast<const char *>(format.data()), formatSize) == formatSize &&
         mmioAscend(file, &chunk, 0) == MMSYSERR_NOERROR;
    chunk = {};
    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    ok = ok && mmioCreateChunk(file, &chunk, 0) == MMSYSERR_NOERROR;
    std::vector<BYTE> buffer;
    for (long p = first; ok && p <= last;) {
        const LONG want = std::min<LONG>(4096, last - p + 1);
        LONG bytes = 0, samples = 0;
        ok = AVIStreamRead(source, p, want, nullptr, 0, &bytes, &samples) == AVIERR_OK &&
             samples > 0 && bytes > 0;
        if (!ok) break;
        buffer.resize(size_t(bytes));
        ok = AVIStreamRead(source, p, samples, buffer.data(), bytes, &bytes, &samples) == AVIERR_OK &&
             samples > 0 &&
             mmioWrite(file, reinterpret_cast<const char *>(buffer.data()), bytes) == bytes;
        p += samples;
    }
    ok = ok && mmioAscend(file, &chunk, 0) == MMSYSERR_NOERROR &&
         mmioAscend(file, &riff, 0) == MMSYSERR_NOERROR;
    mmioClose(file, 0);
    if (!ok) DeleteFileW(path);
    return ok;
}

// The audio samples that play with video frames first..last, clipped to the audio stream.
FrameRange AudioOfFrames(PAVISTREAM video, PAVISTREAM audio, FrameRange frames) {
    AVISTREAMINFOW v = {}, a = {};
    AVIStreamInfoW(video, &v, sizeof(v));
    AVIStreamInfoW(audio, &a, sizeof(a));
    FrameRange r = {SampleAtFrame(frames.first, v.dwRate, v.dwScale, a.dwRate, a.dwScale),
                    SampleAtFrame(frames.last + 1, v.dwRate, v.dwScale, a.dwRate, a.dwScale) - 1};
    const long start = AVIStreamStart(audio), end = start + AVIStreamLength(audio) - 1;
    r.first = std::max(r.first, start);
    r.last = std::min(r.last, end);
    return r;
}

}  // namespace

bool AviPreview::Open(const wchar_t *path) {
    Close();
    AVIFileInit();
    library_ = true;
    if (!OpenStreams(path, &video_, &audio_)) {
        Close();
        return false;
    }
    MakeEditable(&video_);
    MakeEditable(&audio_);
    BITMAPINFOHEADER request = {};
    request.biSize = sizeof(request);
    request.biPlanes = 1;
    request.biBitCount = 24;
    request.biCompression = BI_RGB;
    decoder_ = AVIStreamGetFrameOpen(video_, &request);
    if (!decoder_) {
        Close();
        return false;
    }
    frames_ = std::max(0L, AVIStreamLength(video_));
    return true;
}

void AviPreview::Close() {
    if (decoder_) AVIStreamGetFrameClose(decoder_);
    decoder_ = nullptr;
    ReleaseStream(&video_);
    ReleaseStream(&audio_);
    frames_ = 0;
    if (library_) AVIFileExit();
    library_ = false;
}

const BITMAPINFOHEADER *AviPreview::Frame(long k) {
    if (!decoder_ || k < 0 || k >= frames_) return nullptr;
    return static_cast<const BITMAPINFOHEADER *>(
        AVIStreamGetFrame(decoder_, AVIStreamStart(video_) + k));
}

namespace {

// True when both name the same file (written over while it is read).
bool SamePath(const wchar_t *a, const wchar_t *b) {
    wchar_t fa[MAX_PATH * 2] = L"", fb[MAX_PATH * 2] = L"";
    if (!GetFullPathNameW(a, MAX_PATH * 2, fa, nullptr) || !GetFullPathNameW(b, MAX_PATH * 2, fb, nullptr))
        return lstrcmpiW(a, b) == 0;
    return lstrcmpiW(fa, fb) == 0;
}

}  // namespace

CutResult SaveAviCut(const wchar_t *source, const CutMarks &marks, const wchar_t *aviPath,
                     const wchar_t *wavPath, bool *wroteWav) {
    *wroteWav = false;
    if (SamePath(source, aviPath) || SamePath(source, wavPath)) return CutResult::VideoNotWritten;
    AVIFileInit();
    PAVISTREAM video = nullptr, audio = nullptr;
    CutResult result = CutResult::SourceUnreadable;
    if (OpenStreams(source, &video, &audio)) {
        const long start = AVIStreamStart(video);
        const FrameRange frames = PlanCut(marks.haveStart, marks.start + start, marks.haveEnd,
                                          marks.end + start, start, AVIStreamLength(video));
        result = CutResult::VideoNotWritten;
        if (WriteSegment(aviPath, video, frames.first, frames.last)) {
            result = CutResult::Saved;
            if (audio) {
                const FrameRange sound = AudioOfFrames(video, audio, frames);
                *wroteWav = WriteSegment(wavPath, audio, sound.first, sound.last) ||
                            (sound.first <= sound.last &&
                             WriteWaveFile(wavPath, audio, sound.first, sound.last));
                if (!*wroteWav) result = CutResult::AudioNotWritten;
            }
        }
    }
    ReleaseStream(&video);
    ReleaseStream(&audio);
    AVIFileExit();
    return result;
}
