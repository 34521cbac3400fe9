#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/toolkit.h"

namespace {

TEST(Toolkit, ReversedSamplesAreTheOriginalFramesInReverseOrder) {
    // Three 4-byte frames (16-bit stereo) and a stray byte that is no whole frame.
    std::vector<uint8_t> data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 99};
    ReverseSampleFrames(data.data(), data.size(), 4);
    EXPECT_EQ(data, (std::vector<uint8_t>{9, 10, 11, 12, 5, 6, 7, 8, 1, 2, 3, 4, 99}));

    std::vector<uint8_t> mono = {1, 2, 3, 4, 5};  // 8-bit mono, an odd count
    ReverseSampleFrames(mono.data(), mono.size(), 1);
    EXPECT_EQ(mono, (std::vector<uint8_t>{5, 4, 3, 2, 1}));
    ReverseSampleFrames(mono.data(), mono.size(), 0);  // no frame size: left alone
    ReverseSampleFrames(nullptr, 0, 2);
    EXPECT_EQ(mono.front(), 5);
}

TEST(Toolkit, TheMediaWindowIsGivenTheDeviceNameNotTheLabel) {
    EXPECT_EQ(DeviceNameOfLabel(DeviceLabel(0)), L"waveaudio");
    EXPECT_EQ(DeviceNameOfLabel(DeviceLabel(2)), L"CDAudio");
    EXPECT_EQ(DeviceNameOfLabel(DeviceLabel(3)), L"mpegvideo");
    EXPECT_EQ(DeviceNameOfLabel(L"sequencer"), L"sequencer");
    EXPECT_EQ(DeviceLabel(5), nullptr);
}

TEST(Toolkit, TheReverseProcessReadsBackTheDeviceAndAPathWithBlanksAndPluses) {
    const std::wstring path = L"C:\\tk v1.0+b\\逆再生 1.wav";
    ReverseRequest r;
    ASSERT_TRUE(ReadReverseCommandLine(
        ReverseCommandLine(L"C:\\a b\\Mirelo.exe", 4294967295ul, L"waveaudio", path), &r));
    EXPECT_EQ(r.programId, 4294967295ul);
    EXPECT_EQ(r.device, L"waveaudio");
    EXPECT_EQ(r.path, path);
    EXPECT_EQ(ReverseCommandLine(L"M.exe", 1, L"waveaudio", L"a\"b"), L"");
    // A file given to the program whose name looks like the switch is no reverse process.
    EXPECT_FALSE(ReadReverseCommandLine(L"\"M.exe\" \"C:\\ /reverse 1 \"x\" \"y\"", &r));
    EXPECT_FALSE(ReadReverseCommandLine(L"\"M.exe\" /reverse 1 \"x\" \"y\" \"z\"", &r));
}

TEST(Toolkit, ReverseFilterEndsAfterItsTwentySecondPair) {
    const std::wstring f = ReverseDialogFilter();
    const std::wstring tail(L"mpe(*.mpe)\0*.mpe\0\0", 18);
    ASSERT_GE(f.size(), tail.size());
    EXPECT_EQ(f.substr(f.size() - tail.size()), tail);
    EXPECT_EQ(std::count(f.begin(), f.end(), L'\0'), 45);
}

TEST(Toolkit, PreviewStaysInsideTheStream) {
    EXPECT_EQ(PreviewSliderMax(300), 299) << "every frame can be marked";
    EXPECT_EQ(PreviewSliderMax(1), 0);
    EXPECT_EQ(PreviewSliderMax(0), 0);
    EXPECT_EQ(PreviewFrame(14, 30), 14);
    EXPECT_EQ(PreviewFrame(40, 30), 29);
    EXPECT_EQ(PreviewFrame(-3, 30), 0);
    EXPECT_EQ(PreviewFrame(0, 0), -1);
}

TEST(Toolkit, CutCopiesTheMarkedFramesOrTheFirst1001) {
    struct Case { const char *what; bool haveStart; long start; bool haveEnd;
                  long end, streamStart, length, first, last; };
    const Case cases[] = {
        {"both marks", true, 5, true, 9, 0, 30, 5, 9},
        {"one frame", true, 7, true, 7, 0, 30, 7, 7},
        {"end before start: the default", true, 9, true, 5, 0, 3000, 0, 1000},
        {"no end mark: the default", true, 5, false, 0, 0, 3000, 0, 1000},
        {"default in a short stream", false, 0, false, 0, 0, 30, 0, 29},
        {"marks past the end", true, 20, true, 90, 0, 30, 20, 29},
        {"negative start", true, -4, true, 3, 0, 30, 0, 3},
        {"stream not at 0", false, 0, false, 0, 10, 2000, 10, 1010},
        {"wholly past the end", true, 40, true, 50, 0, 30, 40, 29},
    };
    for (const Case &c : cases) {
        const FrameRange r = PlanCut(c.haveStart, c.start, c.haveEnd, c.end, c.streamStart, c.length);
        EXPECT_EQ(r.first, c.first) << c.what;
        EXPECT_EQ(r.last, c.last) << c.what;
    }
}

TEST(Toolkit, NumbersAndSamplesOfATypedMark) {
    // 42 marks a text that holds no number.
    const std::pair<const wchar_t *, long> numbers[] = {
        {L" 1500ms", 1500}, {L"-3", -3}, {L"99999999999", 0x7FFFFFFF}, {L"", 42}, {L"abc", 42}};
    for (const auto &n : numbers) {
        long v = 42;
        EXPECT_EQ(LeadingNumber(n.first, &v), n.second != 42) << n.first;
        if (n.second != 42) {
            EXPECT_EQ(v, n.second) << n.first;
        }
    }
    // 10 frames a second against 22050 samples a second; 29.97 frames against 44100.
    EXPECT_EQ(SampleAtFrame(5, 10, 1, 22050, 1), 11025);
    EXPECT_EQ(SampleAtFrame(30000, 30000, 1001, 44100, 1), 44144100);
    EXPECT_EQ(SampleAtFrame(5, 0, 1, 22050, 1), 0);
}

}  // namespace
