// Media files the tests write themselves, byte by byte.
#include "tests/driver/media_files.h"

#include "tests/driver/driver.h"


#include <cstdint>
#include <cstdlib>
#include <vector>

namespace driver {

namespace {

// Little-endian RIFF writing, with the chunk sizes filled in when a chunk ends.
class Riff {
  public:
    void U16(uint32_t v) { Bytes(&v, 2); }
    void U32(uint32_t v) { Bytes(&v, 4); }
    void U32s(std::initializer_list<uint32_t> values) { for (uint32_t v : values) U32(v); }
    void Four(const char *fourcc) { Bytes(fourcc, 4); }
    void Bytes(const void *p, size_t n) {
        const uint8_t *b = static_cast<const uint8_t *>(p);
        data.insert(data.end(), b, b + n);
    }
    void Begin(const char *id, const char *listType = nullptr) {
        Four(id);
        open.push_back(data.size());
        U32(0);
        if (listType) Four(listType);
    }
    void End() {
        const size_t at = open.back();
        open.pop_back();
        const uint32_t size = uint32_t(data.size() - at - 4);
        for (int i = 0; i < 4; ++i) data[at + i] = uint8_t(size >> (8 * i));
        if (size % 2) data.push_back(0);
    }
    bool Save(const std::wstring &path) const {
        return WriteBytes(path, std::string(data.begin(), data.end()));
    }
    std::vector<uint8_t> data;
    std::vector<size_t> open;
};

}  // namespace

// 16-bit mono PCM at 22050 Hz.
bool WriteWav(const std::wstring &path, int ms) {
    const uint32_t rate = 22050, samples = rate * ms / 1000;
    Riff r;
    r.Begin("RIFF", "WAVE");
    r.Begin("fmt "), r.U16(1), r.U16(1), r.U32(rate), r.U32(rate * 2), r.U16(2), r.U16(16), r.End();
    r.Begin("data");
    for (uint32_t i = 0; i < samples; ++i) r.U16(uint16_t((i % 50) * 400));
    r.End(), r.End();
    return r.Save(path);
}

// Uncompressed bottom-up 24-bit frames at 10 frames a second, with an index; optionally a
// PCM sound stream interleaved with them.
bool WriteAvi(const std::wstring &path, int frames, int width, int height, bool withSound) {
    const uint32_t w = uint32_t(width), h = uint32_t(height), fps = kAviFramesPerSecond;
    const uint32_t frameBytes = ((w * 3 + 3) & ~3u) * h;
    const uint32_t samplesPerFrame = kAviSoundRate / fps, soundBytes = samplesPerFrame * 2;
    Riff r;
    r.Begin("RIFF", "AVI ");
    r.Begin("LIST", "hdrl");
    r.Begin("avih");  // the flag 0x10: has an index
    r.U32s({1000000 / fps, frameBytes * fps, 0, 0x10, uint32_t(frames), 0, withSound ? 2u : 1u, frameBytes, w, h});
    r.U32s({0, 0, 0, 0});
    r.End(), r.Begin("LIST", "strl"), r.Begin("strh"), r.Four("vids"), r.Four("DIB ");
    r.U32s({0, 0, 0, 1, fps, 0, uint32_t(frames), frameBytes, 0xFFFFFFFF, 0}), r.U16(0), r.U16(0), r.U16(w), r.U16(h);
    r.End(), r.Begin("strf"), r.U32s({40, w, h}), r.U16(1), r.U16(24), r.U32s({0, frameBytes, 0, 0, 0, 0});
    r.End(), r.End();
    if (withSound) {
        r.Begin("LIST", "strl"), r.Begin("strh"), r.Four("auds");
        r.U32s({0, 0, 0, 0, 2, kAviSoundRate * 2, 0, samplesPerFrame * frames, soundBytes, 0xFFFFFFFF, 2, 0, 0});
        r.End(), r.Begin("strf"), r.U16(1), r.U16(1), r.U32s({kAviSoundRate, kAviSoundRate * 2});
        r.U16(2), r.U16(16), r.U16(0), r.End(), r.End();
    }
    r.End();
    r.Begin("LIST", "movi");
    const size_t movi = r.data.size() - 4;
    struct Entry { const char *id; uint32_t offset, size; };
    std::vector<Entry> index;
    std::vector<uint8_t> pixels(frameBytes);
    for (int f = 0; f < frames; ++f) {
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 7 + f * 40);
        index.push_back({"00db", uint32_t(r.data.size() - movi), frameBytes});
        r.Begin("00db"), r.Bytes(pixels.data(), pixels.size()), r.End();
        if (!withSound) continue;
        index.push_back({"01wb", uint32_t(r.data.size() - movi), soundBytes});
        r.Begin("01wb");
        for (uint32_t n = f * samplesPerFrame; n < (f + 1) * samplesPerFrame; ++n)
            r.U16(uint16_t(n * 7));
        r.End();
    }
    r.End(), r.Begin("idx1");
    for (const Entry &e : index) r.Four(e.id), r.U32s({0x10, e.offset, e.size});
    r.End(), r.End();
    return r.Save(path);
}

// Random bytes below 0x80, so that no decoder finds an MPEG frame marker by chance.
bool WriteRandomBytes(const std::wstring &path) {
    Riff r;
    srand(7);
    for (int i = 0; i < 20000; ++i) r.data.push_back(uint8_t(rand() & 0x7F));
    return r.Save(path);
}

}  // namespace driver
