#include "core/toolkit.h"

#include <algorithm>

#include "core/file_selection.h"

namespace {

const wchar_t *const kDeviceLabels[kDeviceLabelCount] = {
    L"(wav)waveaudio", L"(mid.midi.rmi)sequencer", L"(cda)CDAudio", L"(mpg系)mpegvideo",
    L"(avi)avivideo",
};

// The reverse tool offers the formats up to "*.mpe".
const int kReverseFilterPairs = 22;

// A save without both cut marks copies this many frames after the stream's start.
const long kDefaultCutFrames = 1000;

}  // namespace

const wchar_t *DeviceLabel(int index) {
    return index >= 0 && index < kDeviceLabelCount ? kDeviceLabels[index] : nullptr;
}

std::wstring DeviceNameOfLabel(const std::wstring &label) {
    const size_t close = label.find(L')');
    return close == std::wstring::npos ? label : label.substr(close + 1);
}

namespace {

const wchar_t kReverseSwitch[] = L" /reverse ";

bool Quotable(const std::wstring &text) {
    return !text.empty() && text.find(L'"') == std::wstring::npos;
}

// The quoted text at `at` preceded by `lead`; `at` moves past its closing quote.
bool ReadQuoted(const std::wstring &line, const std::wstring &lead, size_t *at,
                std::wstring *text) {
    if (line.compare(*at, lead.size(), lead) != 0) return false;
    const size_t start = *at + lead.size();
    const size_t close = line.find(L'"', start);
    if (close == std::wstring::npos || close == start) return false;
    *text = line.substr(start, close - start);
    *at = close + 1;
    return true;
}

}  // namespace

std::wstring ReverseCommandLine(const std::wstring &program, unsigned long programId,
                                const std::wstring &device, const std::wstring &path) {
    if (!Quotable(program) || !Quotable(device) || !Quotable(path)) return std::wstring();
    return L"\"" + program + L"\"" + kReverseSwitch + std::to_wstring(programId) + L" \"" +
           device + L"\" \"" + path + L"\"";
}

bool ReadReverseCommandLine(const std::wstring &line, ReverseRequest *request) {
    size_t at = 0;
    std::wstring program;
    if (!ReadQuoted(line, L"\"", &at, &program)) return false;
    const std::wstring flag = kReverseSwitch;
    if (line.compare(at, flag.size(), flag) != 0) return false;
    at += flag.size();
    const size_t digits = at;
    unsigned long id = 0;
    for (; at < line.size() && line[at] >= L'0' && line[at] <= L'9' && at - digits < 10; ++at)
        id = id * 10 + unsigned(line[at] - L'0');
    if (at == digits) return false;
    ReverseRequest got;
    got.programId = id;
    if (!ReadQuoted(line, L" \"", &at, &got.device) ||
        !ReadQuoted(line, L" \"", &at, &got.path) || at != line.size())
        return false;
    *request = got;
    return true;
}

std::wstring ReverseDialogFilter() {
    const std::wstring all = OpenDialogFilter();
    int texts = 0;
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == L'\0' && ++texts == 2 * kReverseFilterPairs) return all.substr(0, i + 1) + L'\0';
    return all;
}

void ReverseSampleFrames(uint8_t *data, size_t bytes, size_t blockAlign) {
    if (blockAlign == 0 || data == nullptr) return;
    const size_t frames = bytes / blockAlign;
    for (size_t a = 0, b = frames; a + 1 < b; ++a, --b)
        std::swap_ranges(data + a * blockAlign, data + (a + 1) * blockAlign,
                         data + (b - 1) * blockAlign);
}

PinpointStep NextPinpointStep(uint32_t positionMs, uint32_t endMs, bool repeat) {
    if (positionMs < endMs) return PinpointStep::Wait;
    return repeat ? PinpointStep::Replay : PinpointStep::Stop;
}

long PreviewSliderMax(long frames) {
    return std::max(0L, frames - 1);
}

long PreviewFrame(long sliderPosition, long frames) {
    if (frames <= 0) return -1;
    return std::min(std::max(0L, sliderPosition), frames - 1);
}

bool LeadingNumber(const std::wstring &text, long *value) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    if (i >= text.size() || text[i] < L'0' || text[i] > L'9') return false;
    long long n = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        n = std::min(n * 10 + (text[i] - L'0'), 0x7FFFFFFFLL);
    *value = long(negative ? -n : n);
    return true;
}

FrameRange PlanCut(bool haveStart, long start, bool haveEnd, long end, long streamStart,
                   long streamLength) {
    FrameRange r{streamStart, streamStart + kDefaultCutFrames};
    if (haveStart && haveEnd && start <= end) r = {start, end};
    const long streamLast = streamStart + std::max(0L, streamLength) - 1;
    r.first = std::max(r.first, streamStart);
    r.last = std::min(r.last, streamLast);
    return r;
}

long SampleAtFrame(long frame, uint32_t videoRate, uint32_t videoScale, uint32_t rate,
                   uint32_t scale) {
    if (videoRate == 0 || scale == 0) return 0;
    const long long num = (long long)frame * videoScale * rate;
    const long long den = (long long)videoRate * scale;
    return long(num / den);
}
