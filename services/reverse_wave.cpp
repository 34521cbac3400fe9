#include "services/reverse_wave.h"

#include "core/toolkit.h"
#include "services/short_path.h"

namespace {

// WAV files larger than this are not read into memory.
const LONG kLargestData = 512 * 1024 * 1024;

bool ReadFormat(HMMIO file, MMCKINFO *riff, WAVEFORMATEX *format) {
    MMCKINFO chunk = {};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(file, &chunk, riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return false;
    PCMWAVEFORMAT pcm = {};
    if (chunk.cksize < sizeof(pcm)) return false;
    if (mmioRead(file, reinterpret_cast<HPSTR>(&pcm), sizeof(pcm)) != LONG(sizeof(pcm))) return false;
    mmioAscend(file, &chunk, 0);
    if (pcm.wf.wFormatTag != WAVE_FORMAT_PCM || pcm.wf.nBlockAlign == 0 || pcm.wf.nChannels == 0)
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

bool ReadData(HMMIO file, MMCKINFO *riff, std::vector<uint8_t> *samples) {
    MMCKINFO chunk = {};
    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &chunk, riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return false;
    if (chunk.cksize > DWORD(kLargestData)) return false;
    samples->resize(chunk.cksize);
    const LONG got = chunk.cksize ? mmioRead(file, reinterpret_cast<HPSTR>(samples->data()),
                                             LONG(chunk.cksize))
                                  : 0;
    if (got < 0) return false;
    samples->resize(size_t(got));  // a file cut short keeps what it has
    return true;
}

}  // namespace

bool ReadWaveReversed(const wchar_t *path, WAVEFORMATEX *format, std::vector<uint8_t> *samples) {
    HMMIO file = mmioOpenW(const_cast<wchar_t *>(path), nullptr, MMIO_READ | MMIO_DENYNONE);
    std::wstring alias;
    if (!file && !(alias = ShortPathOf(path)).empty())
        file = mmioOpenW(&alias[0], nullptr, MMIO_READ | MMIO_DENYNONE);
    if (!file) return false;
    MMCKINFO riff = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    std::vector<uint8_t> data;
    WAVEFORMATEX f = {};
    const bool ok = mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) == MMSYSERR_NOERROR &&
                    ReadFormat(file, &riff, &f) && ReadData(file, &riff, &data);
    mmioClose(file, 0);
    if (!ok) return false;
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
