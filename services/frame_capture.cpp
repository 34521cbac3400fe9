#include "services/frame_capture.h"

#include "services/app_state.h"
#include "services/media_device.h"
#include "services/thumbnail.h"

namespace {

// The device's position in frames; the device is back in milliseconds afterwards whatever
// happened. -1 when the device does not count in frames.
LONG DevicePositionInFrames() {
    DWORD frames = 0;
    const bool counted =
        DeviceCommand(L"set", L"time format frames") && DeviceStatus(MCI_STATUS_POSITION, &frames);
    DeviceCommand(L"set", L"time format milliseconds");
    return counted ? LONG(frames) : -1;
}

DWORD DevicePositionMs() {
    DWORD ms = 0;
    return DeviceStatus(MCI_STATUS_POSITION, &ms) ? ms : 0;
}

// The frame on screen: the device's position in frames, as long as it agrees with its
// position in milliseconds (some devices accept the frame format but go on answering in
// milliseconds); otherwise the frame the stream shows at that millisecond.
LONG FrameOnScreen(AviFrameReader &reader) {
    const LONG byTime = reader.FrameAt(DevicePositionMs());
    const LONG byDevice = DevicePositionInFrames();
    return (byDevice >= 0 && byDevice - byTime <= 2 && byTime - byDevice <= 2) ? byDevice : byTime;
}

// The AVI route; false when the AVI library cannot read the file's frames.
bool GrabAviFrame(AviFrameReader &reader, std::vector<uint8_t> *picture) {
    if (!reader.OpenDecoder()) return false;
    const LONG index = FrameOnScreen(reader);
    size_t bytes = 0;
    const uint8_t *frame = static_cast<const uint8_t *>(reader.Frame(index, &bytes));
    // At the very end the position is one past the last frame.
    if (!frame && index > 0) frame = static_cast<const uint8_t *>(reader.Frame(index - 1, &bytes));
    if (!frame || !bytes) return false;
    picture->assign(frame, frame + bytes);
    return true;
}

} // namespace

GrabResult GrabCurrentFrame(const wchar_t *mediaPath, std::vector<uint8_t> *picture) {
    picture->clear();
    if (!mediaPath || !mediaPath[0]) return GrabResult::NoVideo;
    bool aviStream = false;
    {
        AviFrameReader reader;
        aviStream = reader.OpenStream(mediaPath);
        if (aviStream && GrabAviFrame(reader, picture)) return GrabResult::Grabbed;
    }
    // MPEG files, and AVI files whose frames the AVI library cannot decode, have a picture
    // only when the device made a video window for them.
    if (MediaVideoWindow() && DecodeVideoFrame(mediaPath, DevicePositionMs(), picture))
        return GrabResult::Grabbed;
    return aviStream ? GrabResult::DecoderFailed : GrabResult::NoVideo;
}

std::wstring SeriesShotPath(const wchar_t *folder, int counter) {
    wchar_t name[32];
    wsprintfW(name, L"\\Syasin%d.bmp", counter);
    return std::wstring(folder) + name;
}
