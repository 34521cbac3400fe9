// Media files the tests write themselves, so no test depends on what a machine happens to have.
#pragma once

#include <string>

namespace driver {

// 16-bit mono PCM at 22050 Hz, a saw tone of the given length.
bool WriteWav(const std::wstring &path, int ms);

// Uncompressed bottom-up 24-bit frames at 10 frames a second, with an index. Byte i of frame
// f is (i * 7 + f * 40) mod 256. With sound, a second stream of 16-bit mono PCM at 22050 Hz
// runs beside them, sample n being (n * 7) mod 65536.
bool WriteAvi(const std::wstring &path, int frames, int width = 64, int height = 48,
              bool withSound = false);
enum { kAviSoundRate = 22050, kAviFramesPerSecond = 10 };

// Bytes that no decoder takes for media.
bool WriteRandomBytes(const std::wstring &path);

}  // namespace driver
