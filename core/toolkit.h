// The toolkit page's decisions that need no window or device: the device name behind a
// device-type label, the reverse tool's dialog filter, sample-frame reversal, the pinpoint
// device-type label, the reverse process's command line, the reverse tool's dialog filter, sample-frame reversal, the pinpoint
// watch, the AVI preview's slider and the range a cut copies. Builds natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The five device-type labels of the reverse tool, in the combo box's order.
enum { kDeviceLabelCount = 5 };
const wchar_t *DeviceLabel(int index);  // null outside 0..4

// The device name a label stands for: the text after its closing parenthesis
// ("(wav)waveaudio" -> "waveaudio"); a text without one is taken as a device name already.
std::wstring DeviceNameOfLabel(const std::wstring &label);

// The command line of the copy of the program that plays a file backwards through a media
// window: "<program>" /reverse <program id> "<device>" "<path>". Empty when a text is empty or
// holds a double quote, which no file or device name does.
std::wstring ReverseCommandLine(const std::wstring &program, unsigned long programId,
                                const std::wstring &device, const std::wstring &path);

struct ReverseRequest {
    unsigned long programId = 0;
    std::wstring device, path;
};

// Reads such a command line; false for any other, a file name holding the switch among them.
bool ReadReverseCommandLine(const std::wstring &commandLine, ReverseRequest *request);

// The reverse tool's open-dialog filter: the first 22 pairs of the File button's list.
std::wstring ReverseDialogFilter();

// Reverses the order of the sample frames (blockAlign bytes each) in place; bytes after the
// last whole frame stay where they are. Nothing happens for a block size of 0.
void ReverseSampleFrames(uint8_t *data, size_t bytes, size_t blockAlign);

// What the pinpoint watch does on a tick, given where the device is.
enum class PinpointStep { Wait, Replay, Stop };
PinpointStep NextPinpointStep(uint32_t positionMs, uint32_t endMs, bool repeat);

// The slider's highest position for a video of `frames` frames: its last frame, since the
// cut marks taken from the slider choose what is saved; never below 0.
long PreviewSliderMax(long frames);
// The frame the preview shows for a slider position: within the stream, or -1 for a video
// without frames.
long PreviewFrame(long sliderPosition, long frames);

// The leading decimal number of an edit's text with an optional sign; false without one.
bool LeadingNumber(const std::wstring &text, long *value);

// The frames a save copies: from the cut start to the cut end when both are given and
// start <= end, otherwise the first 1001 frames from the stream's start; always clipped to
// the stream [streamStart, streamStart + streamLength). Empty (last < first) when nothing
// of the stream is left.
struct FrameRange {
    long first, last;
};
FrameRange PlanCut(bool haveStart, long start, bool haveEnd, long end, long streamStart,
                   long streamLength);

// The sample of a second stream (rate / scale samples a second) that plays at the same time
// as `frame` of a video of videoRate / videoScale frames a second, rounded down.
long SampleAtFrame(long frame, uint32_t videoRate, uint32_t videoScale, uint32_t rate,
                   uint32_t scale);
