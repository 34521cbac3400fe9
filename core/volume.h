// Volume arithmetic of the master volume and its bar: mixer values, percents and bar pixels.
// Builds natively.
#pragma once

#include <cstdint>

// The range of a volume control as the mixer reports it.
struct VolumeRange {
    uint32_t minimum, maximum;
};

// The nearest whole percent (0..100) of a mixer value. An empty range (no control, or a
// maximum not above the minimum) reads as 0 %; values outside the range are held to its ends.
int PercentFromMixerValue(uint32_t value, VolumeRange range);

// The mixer value of a percent (held to 0..100), truncated toward the minimum. False, with
// nothing to write, for an empty range.
bool MixerValueFromPercent(int percent, VolumeRange range, uint32_t *value);

// Bar pixels and percents convert with the factor 0.667: 100 % is pixel 149, pixel 149 is
// 99 %. Both truncate toward zero.
int BarFromPercent(int percent);
int PercentFromBar(int x);
