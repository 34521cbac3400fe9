// A decoded picture as a decoder hands it over: its header is checked before the BMP
// headers are built for it.
#include "core/bmp_file.h"
#include "fuzz/fuzz_input.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<uint8_t> picture(data, data + size);  // exactly sized
    PictureHeader header;
    if (ReadPictureHeader(picture.data(), picture.size(), &header)) PicturePixelBytes(header);
    uint8_t headers[kBmpPixelOffset];
    uint32_t pixelBytes = 0;
    if (BuildBmpHeaders(picture.data(), picture.size(), headers, &pixelBytes) &&
        pixelBytes > picture.size())
        __builtin_trap();  // the file would be written past the picture
    return 0;
}
