#include "services/reverse_wave.h"

#include <new>

#include "core/toolkit.h"
#include "core/wav_file.h"

namespace {

// WAV files larger than this are not read into memory.
const uint32_t kLargestData = 512 * 1024 * 1024;

// The file read through its own handle: the multimedia file calls take a '+' in a path for
// the start of a compound-file element name, and would not find such a file.
class WaveFile {
  public:
    explicit WaveFile(const wchar_t *path)
        : file_(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        LARGE_INTEGER size = {};
        if (file_ != INVALID_HANDLE_VALUE && GetFileSizeEx(file_, &size)) bytes_ = uint64_t(size.QuadPart);
    }
    ~WaveFile() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    WaveFile(const WaveFile &) = delete;
    WaveFile &operator=(const WaveFile &) = delete;

    uint64_t Bytes() const { return bytes_; }
    // Exactly `count` bytes from `offset`, or false.
    bool Read(uint64_t offset, void *into, uint32_t count) const {
        LARGE_INTEGER at;
        at.QuadPart = LONGLONG(offset);
        DWORD got = 0;
        return file_ != INVALID_HANDLE_VALUE && SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) &&
               (!count || (ReadFile(file_, into, count, &got, nullptr) && got == count));
    }

  private:
    HANDLE file_;
    uint64_t bytes_ = 0;
};

bool ReadFormat(const WaveFile &file, const RiffChunk &chunk, WAVEFORMATEX *format) {
    PCMWAVEFORMAT pcm = {};
    if (chunk.bodyBytes < sizeof(pcm) || !file.Read(chunk.bodyOffset, &pcm, sizeof(pcm))) return false;
    // A format the wave output could not make sense of is refused before it reaches a device.
    const WORD bits = pcm.wBitsPerSample;
    if (pcm.wf.wFormatTag != WAVE_FORMAT_PCM || pcm.wf.nChannels == 0 || pcm.wf.nChannels > 8 ||
        (bits != 8 && bits != 16 && bits != 24 && bits != 32) ||
        pcm.wf.nBlockAlign != pcm.wf.nChannels * bits / 8 || pcm.wf.nSamplesPerSec == 0 ||
        pcm.wf.nSamplesPerSec > 384000)
        return false;
    *format = {};
    format->wFormatTag = WAVE_FORMAT_PCM;
    format->nChannels = pcm.wf.nChannels;
    format->nSamplesPerSec = pcm.wf.nSamplesPerSec;
    format->nAvgBytesPerSec = pcm.wf.nAvgBytesPerSec;
    format->nBlockAlign = pcm.wf.nBlockAlign;
    format->wBitsPerSample = pcm.wBitsPerSample;
    return true;
}

// The chunk's size is already bounded by the file's; a file cut short keeps what it has.
bool ReadData(const WaveFile &file, const RiffChunk &chunk, std::vector<uint8_t> *samples) {
    if (chunk.bodyBytes > kLargestData) return false;
    try {
        samples->resize(chunk.bodyBytes);
    } catch (const std::bad_alloc &) {
        return false; // too large for this process at the moment: the file is not played
    }
    return file.Read(chunk.bodyOffset, samples->data(), chunk.bodyBytes);
}

// The format and samples of a RIFF WAVE file; chunks other than "fmt " and "data" are skipped.
bool ReadWave(const WaveFile &file, WAVEFORMATEX *format, std::vector<uint8_t> *samples) {
    uint8_t head[12];
    if (!file.Read(0, head, sizeof head)) return false;
    RiffChunk riff = {};
    if (!ReadRiffChunk(head, 0, file.Bytes(), &riff) || riff.id != RiffId('R', 'I', 'F', 'F') ||
        head[8] != 'W' || head[9] != 'A' || head[10] != 'V' || head[11] != 'E')
        return false;
    bool haveFormat = false;
    uint8_t header[8];
    RiffChunk chunk = {};
    for (uint64_t at = 12; file.Read(at, header, 8) && ReadRiffChunk(header, at, file.Bytes(), &chunk);
         at = chunk.next) {
        if (chunk.id == RiffId('f', 'm', 't', ' ')) {
            if (!ReadFormat(file, chunk, format)) return false;
            haveFormat = true;
        } else if (chunk.id == RiffId('d', 'a', 't', 'a')) {
            return haveFormat && ReadData(file, chunk, samples);
        }
    }
    return false;
}

}  // namespace

bool ReadWaveReversed(const wchar_t *path, WAVEFORMATEX *format, std::vector<uint8_t> *samples) {
    const WaveFile file(path);
    std::vector<uint8_t> data;
    WAVEFORMATEX f = {};
    if (!ReadWave(file, &f, &data)) return false;
    data.resize(data.size() - data.size() % f.nBlockAlign);
    ReverseSampleFrames(data.data(), data.size(), f.nBlockAlign);
    *format = f;
    samples->swap(data);
    return true;
}

bool ReversePlayer::Start(const wchar_t *path) {
    Stop();
    WAVEFORMATEX format = {};
    if (!ReadWaveReversed(path, &format, &samples_) || samples_.empty()) return false;
    if (waveOutOpen(&out_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        out_ = nullptr;
        return false;
    }
    header_ = {};
    header_.lpData = reinterpret_cast<LPSTR>(samples_.data());
    header_.dwBufferLength = DWORD(samples_.size());
    if (waveOutPrepareHeader(out_, &header_, sizeof(header_)) != MMSYSERR_NOERROR ||
        waveOutWrite(out_, &header_, sizeof(header_)) != MMSYSERR_NOERROR) {
        Stop();
        return false;
    }
    return true;
}

void ReversePlayer::Stop() {
    if (!out_) return;
    waveOutReset(out_);
    if (header_.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(out_, &header_, sizeof(header_));
    waveOutClose(out_);
    out_ = nullptr;
    header_ = {};
}

bool ReversePlayer::Playing() const {
    return out_ && !(header_.dwFlags & WHDR_DONE);
}

DWORD ReversePlayer::PlayedBytes() const {
    if (!out_) return 0;
    MMTIME t = {};
    t.wType = TIME_BYTES;
    if (waveOutGetPosition(out_, &t, sizeof(t)) != MMSYSERR_NOERROR || t.wType != TIME_BYTES) return 0;
    return t.u.cb;
}
