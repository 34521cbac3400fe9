#include <gtest/gtest.h>

#include "core/volume.h"
#include "core/wav_file.h"

namespace {

const VolumeRange kFull16 = {0, 65535};

TEST(Volume, MixerValuesAndPercentsRoundTrip) {
    uint32_t value = 1;
    ASSERT_TRUE(MixerValueFromPercent(50, kFull16, &value));
    EXPECT_EQ(value, 32767u);
    EXPECT_EQ(PercentFromMixerValue(32767, kFull16), 50);
    // Every written percent reads back as itself, on an offset range and a 32-bit one too.
    for (VolumeRange range : {kFull16, VolumeRange{100, 355}, VolumeRange{0, 0xFFFFFFFFu}})
        for (int percent = 0; percent <= 100; ++percent) {
            ASSERT_TRUE(MixerValueFromPercent(percent, range, &value));
            EXPECT_EQ(PercentFromMixerValue(value, range), percent) << range.maximum;
        }
}

TEST(Volume, EmptyRangesReadZeroAndWriteNothingAndOutOfRangeInputIsHeld) {
    for (VolumeRange range : {VolumeRange{0, 0}, VolumeRange{500, 500}, VolumeRange{9, 3}}) {
        uint32_t value = 77;
        EXPECT_EQ(PercentFromMixerValue(500, range), 0);
        EXPECT_FALSE(MixerValueFromPercent(60, range, &value));
        EXPECT_EQ(value, 77u);
    }
    uint32_t value = 0;
    // A drag that wraps the unsigned pointer position gives a huge percent.
    ASSERT_TRUE(MixerValueFromPercent(PercentFromBar(65535), kFull16, &value));
    EXPECT_EQ(value, 65535u);
    EXPECT_EQ(PercentFromMixerValue(3, VolumeRange{10, 20}), 0);
    EXPECT_EQ(PercentFromMixerValue(30, VolumeRange{10, 20}), 100);
}

TEST(Volume, BarPixelsAndPercents) {
    EXPECT_EQ(PercentFromBar(149), 99);
    EXPECT_EQ(PercentFromBar(0), 0);
    EXPECT_EQ(PercentFromBar(75), 50);
    EXPECT_EQ(BarFromPercent(100), 149);
    EXPECT_EQ(BarFromPercent(50), 74);
}

TEST(WavFile, SizesOfEvenAndOddTakes) {
    const WavLayout even = WavLayoutFor(27000), odd = WavLayoutFor(27001);
    EXPECT_EQ(even.fileSize, 44u + 27000);
    EXPECT_EQ(even.riffSize, even.fileSize - 8);
    EXPECT_EQ(odd.fileSize, 45u + 27001);
    EXPECT_EQ(odd.riffSize, odd.fileSize - 8);
    EXPECT_EQ(odd.dataSize, 27001u);
}

TEST(WavFile, AChunkKeepsOnlyWhatTheFileHolds) {
    const uint8_t huge[8] = {'d', 'a', 't', 'a', 0x00, 0x00, 0x00, 0x20}; // claims 512 MB
    RiffChunk chunk = {};
    ASSERT_TRUE(ReadRiffChunk(huge, 36, 100, &chunk));
    EXPECT_EQ(chunk.id, RiffId('d', 'a', 't', 'a'));
    EXPECT_EQ(chunk.bodyOffset, 44u);
    EXPECT_EQ(chunk.bodyBytes, 56u);
    EXPECT_EQ(chunk.next, 44u + 0x20000000);
    const uint8_t odd[8] = {'L', 'I', 'S', 'T', 3, 0, 0, 0};
    ASSERT_TRUE(ReadRiffChunk(odd, 12, 100, &chunk));
    EXPECT_EQ(chunk.next, 24u) << "padded to even";
    EXPECT_FALSE(ReadRiffChunk(odd, 93, 100, &chunk)) << "no room for the header";
    EXPECT_FALSE(ReadRiffChunk(odd, 200, 100, &chunk));
}

TEST(WavFile, TakeFormatsAndTheBytesATakeKeeps) {
    const TakeFormat stereo = TakeFormatFor(13500, 2);
    EXPECT_EQ(stereo.blockAlign, 2);
    EXPECT_EQ(stereo.avgBytesPerSec, 27000u);
    EXPECT_TRUE(UsableTakeFormat(27000, 1) && UsableTakeFormat(100000, 2));
    EXPECT_FALSE(UsableTakeFormat(27000, 0) || UsableTakeFormat(27000, 3) ||
                 UsableTakeFormat(0, 1) || UsableTakeFormat(100001, 1));
    EXPECT_EQ(KeptTakeBytes(1001, kCaptureBufferBytes, 1), 1001u);
    EXPECT_EQ(KeptTakeBytes(1001, kCaptureBufferBytes, 2), 1000u) << "whole stereo frames";
    EXPECT_EQ(KeptTakeBytes(0xFFFFFFFFu, kCaptureBufferBytes, 2), kCaptureBufferBytes);
}

}  // namespace
