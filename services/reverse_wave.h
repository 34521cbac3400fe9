// Plays a WAV file backwards without the media window: its PCM samples are read through the
// file with its own handle, their frames put in reverse order and handed to wave output.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <vector>

// The PCM samples of a WAV file with their format, the frames in reverse order. False (and
// nothing kept) for a file that is no PCM WAV or cannot be read.
bool ReadWaveReversed(const wchar_t *path, WAVEFORMATEX *format, std::vector<uint8_t> *samples);

// One backwards playback on the default wave output; ends with Stop or when destroyed.
class ReversePlayer {
  public:
    ReversePlayer() = default;
    ReversePlayer(const ReversePlayer &) = delete;
    ReversePlayer &operator=(const ReversePlayer &) = delete;
    ~ReversePlayer() { Stop(); }

    // Reads the file and starts playing it backwards; false when it could not start.
    bool Start(const wchar_t *path);
    void Stop();
    // True from Start until the last sample has been played or Stop.
    bool Playing() const;
    // Bytes of the reversed samples played so far.
    DWORD PlayedBytes() const;

  private:
    HWAVEOUT out_ = nullptr;
    WAVEHDR header_ = {};
    std::vector<uint8_t> samples_;
};
