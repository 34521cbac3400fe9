// Still frames of the media being played, read from its file at the device's position.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

enum class GrabResult {
    Grabbed,
    NoVideo,       // the file has no video stream anything here can read
    DecoderFailed, // its video stream opened but no frame could be decoded
};

// The frame on screen for the loaded media, as a packed 24-bit picture (40-byte header then
// pixels). An AVI file the AVI library decodes gives the frame at the device's position in
// frames; any other media with a picture gives the frame at its position in milliseconds,
// decoded by the filter graph the thumbnails use. Playback is neither stopped nor moved, and
// the device counts in milliseconds again afterwards, also when the grab fails.
GrabResult GrabCurrentFrame(const wchar_t *mediaPath, std::vector<uint8_t> *picture);

// The file of a continuous shot: folder + "\Syasin<counter>.bmp".
std::wstring SeriesShotPath(const wchar_t *folder, int counter);
