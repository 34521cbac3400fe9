// Thumbnails: the picture grabbed from a media file when its entry is appended, the BMP file
// it is written to, and the scaling of a thumbnail to the list's image size.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Writes a packed picture (40-byte header followed by its pixels, `bytes` in all) as a BMP
// file. False when the writer refuses the header or the file cannot be written whole; an
// earlier file at `path` is then left as it was.
bool WriteBmpFile(const wchar_t *path, const void *picture, size_t bytes);

struct IAVIStream;
struct IGetFrame;

// The first video stream of a file, read through the AVI library, and its 24-bit decoder.
class AviFrameReader {
  public:
    AviFrameReader() = default;
    AviFrameReader(const AviFrameReader &) = delete;
    AviFrameReader &operator=(const AviFrameReader &) = delete;
    ~AviFrameReader();
    // False when the file has no video stream the library opens.
    bool OpenStream(const wchar_t *path);
    // False when the library cannot decode the stream's frames to 24 bits.
    bool OpenDecoder();
    // Frame `index` as a packed picture owned by the reader (valid until the next call), and
    // the bytes the BMP writer may take from it; null when there is no such frame.
    const void *Frame(LONG index, size_t *bytes);
    // The frame shown at `ms` from the start; -1 without a stream.
    LONG FrameAt(DWORD ms);

  private:
    IAVIStream *stream_ = nullptr;
    IGetFrame *decoder_ = nullptr;
    bool initialised_ = false;
};

// Decodes the video frame of a media file at positionMs (the first frame for 0) through the
// filter graph, as a packed 24-bit picture: its 40-byte header followed by the pixels. False,
// with the picture empty, when the media has no picture the graph can deliver in time. The
// decode runs on a thread of its own and the caller waits at most 5 s for it; a decode that
// hangs is left behind, and while two are, every decode fails at once.
bool DecodeVideoFrame(const wchar_t *mediaPath, DWORD positionMs, std::vector<uint8_t> *picture);

// Tests only: `stall` is called on the decoding thread before each decode (null: nothing),
// and the caller waits `limitMs` for a decode (0: the program's 5 s).
void SetDecodeStallForTests(void (*stall)(), DWORD limitMs = 0);

// Decodes given up on that are still running.
long AbandonedDecodesRunning();

// Writes the thumbnail of a media file to bitmapPath, when capture is on: frame `Capture` of
// an AVI file (frame 0, with `Capture` reset to 0 for good, when the file has no such frame),
// or the first frame of any other media that has a picture. Otherwise nothing is written.
void GrabThumbnail(const wchar_t *mediaPath, const wchar_t *bitmapPath);

// Told when a thumbnail's picture could not be written (the windows say so).
void SetThumbnailNotWrittenListener(void (*notWritten)());

// Whether added files get thumbnails at all (on until the settings page turns it off).
void SetThumbnailsOn(bool on);
bool ThumbnailsOn();

// A new 32-bit bottom-up bitmap of width x height, scaled from `bitmap` bilinearly; null when
// the bitmap cannot be read or a size is out of range.
HBITMAP ScaleBitmap(HBITMAP bitmap, int width, int height);
