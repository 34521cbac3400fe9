#include "services/avi_edit.h"

#include <algorithm>
#include <vector>

#include "core/toolkit.h"
#include "services/draft_file.h"
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

// How a copy ended: a source that cannot be read (or declares more than its file holds) is
// told apart from a target that cannot be written.
enum class Copy { Done, BadSource, NotWritten };

// The size of a file, 0 when it cannot be read: every size a file declares is held to it, so
// a header that claims gigabytes never makes the program allocate them.
LONGLONG FileSizeOf(const wchar_t *path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return 0;
    return LONGLONG(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// The format of `source` at `at`, no larger than `limit` bytes; empty when there is none.
std::vector<BYTE> ReadFormat(PAVISTREAM source, long at, LONGLONG limit) {
    LONG size = 0;
    if (AVIStreamReadFormat(source, at, nullptr, &size) != AVIERR_OK || size <= 0 || size > limit)
        return {};
    std::vector<BYTE> format(static_cast<size_t>(size));
    if (AVIStreamReadFormat(source, at, format.data(), &size) != AVIERR_OK) return {};
    format.resize(static_cast<size_t>(size));
    return format;
}

// Copies samples first..last of `source` into a new stream of `file` that starts at 0. Video
// frames keep the source's key-frame flags, so frames that depend on earlier ones stay marked.
Copy CopySegment(PAVIFILE file, PAVISTREAM source, long first, long last, LONGLONG limit) {
    AVISTREAMINFOW info = {};
    if (AVIStreamInfoW(source, &info, sizeof(info)) != AVIERR_OK) return Copy::BadSource;
    const bool video = info.fccType == streamtypeVIDEO;
    info.dwStart = 0;
    info.dwLength = 0;
    const std::vector<BYTE> format = ReadFormat(source, first, limit);
    if (format.empty()) return Copy::BadSource;
    PAVISTREAM target = nullptr;
    if (AVIFileCreateStreamW(file, &target, &info) != AVIERR_OK || !target) return Copy::NotWritten;

    Copy result = AVIStreamSetFormat(target, 0, const_cast<BYTE *>(format.data()),
                                     LONG(format.size())) == AVIERR_OK
                      ? Copy::Done
                      : Copy::NotWritten;
    std::vector<BYTE> buffer;
    for (long p = first; result == Copy::Done && p <= last;) {
        LONG bytes = 0, samples = 1;  // one frame at a time: each has its own flag
        if (!video) {
            AVIStreamRead(source, p, AVISTREAMREAD_CONVENIENT, nullptr, 0, &bytes, &samples);
            if (bytes <= 0 || samples <= 0) samples = 4096;
            samples = std::min<LONG>(samples, last - p + 1);
        }
        // A stream that gives nothing would never reach its end.
        if (AVIStreamRead(source, p, samples, nullptr, 0, &bytes, &samples) != AVIERR_OK ||
            samples <= 0 || bytes < 0 || bytes > limit) {
            result = Copy::BadSource;
            break;
        }
        buffer.resize(std::max<size_t>(buffer.size(), size_t(bytes) + 1));
        LONG read = 0, got = 0;
        if (AVIStreamRead(source, p, samples, buffer.data(), bytes, &read, &got) != AVIERR_OK ||
            got <= 0) {
            result = Copy::BadSource;
            break;
        }
        const bool key = !video || AVIStreamFindSample(source, p, FIND_PREV | FIND_KEY) == p;
        if (AVIStreamWrite(target, p - first, got, buffer.data(), read, key ? AVIIF_KEYFRAME : 0,
                           nullptr, nullptr) != AVIERR_OK)
            result = Copy::NotWritten;
        p += got;
    }
    AVIStreamRelease(target);
    return result;
}

// The AVI library picks its writer by the name's extension, which a draft's name does not have.
const CLSID kAviFileWriter = {0x00020000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Writes samples first..last of `source` as an AVI file into `draft`, an existing empty file.
Copy WriteAviSegment(const std::wstring &draft, PAVISTREAM source, long first, long last,
                     LONGLONG limit) {
    if (last < first) return Copy::BadSource;
    PAVIFILE file = nullptr;
    const UINT mode = OF_CREATE | OF_WRITE | OF_SHARE_DENY_NONE;
    // The library reads a name through the ANSI code page and its '+' as a compound-file
    // separator; the draft's short name has neither problem.
    if (AVIFileOpenW(&file, draft.c_str(), mode, const_cast<CLSID *>(&kAviFileWriter)) != AVIERR_OK) {
        const std::wstring alias = ShortPathOf(draft);
        if (alias.empty() ||
            AVIFileOpenW(&file, alias.c_str(), mode, const_cast<CLSID *>(&kAviFileWriter)) != AVIERR_OK)
            return Copy::NotWritten;
    }
    const Copy result = CopySegment(file, source, first, last, limit);
    AVIFileRelease(file);
    return result;
}

// Writes samples first..last of an audio stream as a RIFF WAVE file. The file is written
// directly: the multimedia file calls read a '+' in a path as a compound-file separator.
Copy WriteWaveSegment(const std::wstring &draft, PAVISTREAM source, long first, long last,
                      LONGLONG limit) {
    if (last < first) return Copy::BadSource;
    std::vector<BYTE> format = ReadFormat(source, first, limit);
    if (format.size() < sizeof(PCMWAVEFORMAT)) return Copy::BadSource;
    if (format.size() % 2) format.push_back(0);  // chunks are padded to even sizes
    HANDLE file = CreateFileW(draft.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Copy::NotWritten;
    auto put = [file](const void *data, DWORD size) {
        DWORD written = 0;
        return WriteFile(file, data, size, &written, nullptr) && written == size;
    };
    auto putTag = [&](const char *tag, DWORD size) { return put(tag, 4) && put(&size, 4); };
    const DWORD head = 4 + 8 + DWORD(format.size()) + 8;  // "WAVE", fmt chunk, data header
    Copy result = putTag("RIFF", 0) && put("WAVE", 4) && putTag("fmt ", DWORD(format.size())) &&
                          put(format.data(), DWORD(format.size())) && putTag("data", 0)
                      ? Copy::Done
                      : Copy::NotWritten;
    std::vector<BYTE> buffer;
    DWORD data = 0;
    for (long p = first; result == Copy::Done && p <= last;) {
        LONG bytes = 0, samples = 0;
        if (AVIStreamRead(source, p, std::min<LONG>(4096, last - p + 1), nullptr, 0, &bytes,
                          &samples) != AVIERR_OK ||
            samples <= 0 || bytes <= 0 || bytes > limit || data + LONGLONG(bytes) > limit) {
            result = Copy::BadSource;
            break;
        }
        buffer.resize(size_t(bytes));
        if (AVIStreamRead(source, p, samples, buffer.data(), bytes, &bytes, &samples) != AVIERR_OK ||
            samples <= 0) {
            result = Copy::BadSource;
            break;
        }
        if (!put(buffer.data(), DWORD(bytes))) result = Copy::NotWritten;
        data += DWORD(bytes);
        p += samples;
    }
    if (result == Copy::Done) {
        const DWORD riff = head + data + data % 2;
        const BYTE pad = 0;
        if (!(data % 2 == 0 || put(&pad, 1)) || SetFilePointer(file, 4, nullptr, FILE_BEGIN) != 4 ||
            !put(&riff, 4) || SetFilePointer(file, LONG(head) + 4, nullptr, FILE_BEGIN) != head + 4 ||
            !put(&data, 4))
            result = Copy::NotWritten;
    }
    CloseHandle(file);
    return result;
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

// The volume and index that name an existing file, whatever the path's spelling.
bool FileIdentity(const wchar_t *path, BY_HANDLE_FILE_INFORMATION *info) {
    HANDLE file = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, info) != 0;
    CloseHandle(file);
    return known;
}

// True when both paths reach one file (a short name, another case or a link of the source
// would otherwise let the save replace the file it reads).
bool SameFile(const wchar_t *a, const wchar_t *b) {
    BY_HANDLE_FILE_INFORMATION x = {}, y = {};
    return FileIdentity(a, &x) && FileIdentity(b, &y) &&
           x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
           x.nFileIndexLow == y.nFileIndexLow;
}

CutResult ResultOf(Copy copy, CutResult notWritten) {
    return copy == Copy::BadSource ? CutResult::SourceUnreadable : notWritten;
}

// Writes both files under draft names beside their targets; each is moved over its target
// only once it is complete, so a failure leaves the user's files as they were.
CutResult WriteCut(PAVISTREAM video, PAVISTREAM audio, FrameRange frames, const wchar_t *aviPath,
                   const wchar_t *wavPath, LONGLONG limit, bool *wroteWav) {
    const std::wstring aviDraft = NewDraftBeside(aviPath);
    if (aviDraft.empty()) return CutResult::VideoNotWritten;
    const Copy copy = WriteAviSegment(aviDraft, video, frames.first, frames.last, limit);
    if (copy != Copy::Done) {
        DropDraft(aviDraft);
        return ResultOf(copy, CutResult::VideoNotWritten);
    }
    std::wstring wavDraft;
    CutResult result = CutResult::Saved;
    if (audio && wavPath && *wavPath) {
        const FrameRange sound = AudioOfFrames(video, audio, frames);
        wavDraft = NewDraftBeside(wavPath);
        const Copy wav = wavDraft.empty() ? Copy::NotWritten
                                          : WriteWaveSegment(wavDraft, audio, sound.first,
                                                             sound.last, limit);
        if (wav != Copy::Done) {
            DropDraft(wavDraft);
            wavDraft.clear();
            result = CutResult::AudioNotWritten;
        }
    }
    if (!PutDraftInPlace(aviDraft, aviPath)) {
        DropDraft(wavDraft);
        return CutResult::VideoNotWritten;
    }
    if (!wavDraft.empty()) {
        *wroteWav = PutDraftInPlace(wavDraft, wavPath);
        if (!*wroteWav) result = CutResult::AudioNotWritten;
    }
    return result;
}

}  // namespace

CutResult SaveAviCut(const wchar_t *source, const CutMarks &marks, const wchar_t *aviPath,
                     const wchar_t *wavPath, bool *wroteWav) {
    *wroteWav = false;
    if (SameFile(source, aviPath) || (wavPath && SameFile(source, wavPath)))
        return CutResult::VideoNotWritten;
    const LONGLONG limit = FileSizeOf(source);
    if (limit <= 0) return CutResult::SourceUnreadable;
    AVIFileInit();
    PAVISTREAM video = nullptr, audio = nullptr;
    CutResult result = CutResult::SourceUnreadable;
    if (OpenStreams(source, &video, &audio)) {
        const long start = AVIStreamStart(video);
        FrameRange frames = PlanCut(marks.haveStart, marks.start + start, marks.haveEnd,
                                    marks.end + start, start, AVIStreamLength(video));
        // Frames after a key frame are stored as changes to it: the copy starts at the key
        // frame at or before the cut start, or its first frames cannot be decoded.
        const long key = AVIStreamFindSample(video, frames.first, FIND_PREV | FIND_KEY);
        if (key >= start && key < frames.first) frames.first = key;
        result = WriteCut(video, audio, frames, aviPath, wavPath, limit, wroteWav);
    }
    ReleaseStream(&video);
    ReleaseStream(&audio);
    AVIFileExit();
    return result;
}
