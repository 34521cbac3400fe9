// The AVI editor without windows: the preview's frames of a chosen AVI file and the save of
// a marked stretch as a new AVI (video) and WAV (audio).
#pragma once

#include <windows.h>
#include <vfw.h>

// The first video and audio streams of one AVI file, made editable, with a frame decoder
// for the video (24-bit RGB frames).
class AviPreview {
  public:
    AviPreview() = default;
    AviPreview(const AviPreview &) = delete;
    AviPreview &operator=(const AviPreview &) = delete;
    ~AviPreview() { Close(); }

    // False when the file cannot be read as AVI or its video cannot be decoded; the preview
    // is then empty.
    bool Open(const wchar_t *path);
    void Close();

    // Frames of the video stream (0 without one).
    long Frames() const { return frames_; }
    // Frame k (0-based) as a packed 24-bit DIB, or null; valid until the next call.
    const BITMAPINFOHEADER *Frame(long k);

  private:
    bool library_ = false;
    PAVISTREAM video_ = nullptr, audio_ = nullptr;
    PGETFRAME decoder_ = nullptr;
    long frames_ = 0;
};

struct CutMarks {
    bool haveStart = false, haveEnd = false;
    long start = 0, end = 0;
};

enum class CutResult {
    Saved,             // the video and, when the source has sound, the audio were written
    SourceUnreadable,  // the source is no AVI file, has no video stream or cannot be read
                       // (it declares more data than its file holds)
    VideoNotWritten,
    AudioNotWritten,   // the video was written, the sound was not
};

// Copies the marked frames (or the first 1001) of the source's first video stream into a new
// AVI file, from the key frame at or before the first one, and the sound that plays with them
// into a new WAV file. A source without sound, or no `wavPath` (null or empty), gives only the
// AVI; `wroteWav` says whether the WAV was written. Each file replaces its target only once it
// is complete; neither may be the source itself.
CutResult SaveAviCut(const wchar_t *source, const CutMarks &marks, const wchar_t *aviPath,
                     const wchar_t *wavPath, bool *wroteWav);
