#include "core/volume.h"

namespace {

const double kPercentPerPixel = 0.667;

bool Empty(VolumeRange range) {
    return range.maximum <= range.minimum;
}

} // namespace

int PercentFromMixerValue(uint32_t value, VolumeRange range) {
    if (Empty(range)) return 0;
    if (value < range.minimum) value = range.minimum;
    if (value > range.maximum) value = range.maximum;
    // 64-bit: a control spanning the whole 32-bit range must not wrap when scaled by 100.
    const uint64_t span = range.maximum - range.minimum;
    return int(((uint64_t(value - range.minimum) * 100) + span / 2) / span);
}

bool MixerValueFromPercent(int percent, VolumeRange range, uint32_t *value) {
    if (Empty(range)) return false;
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    const uint64_t span = range.maximum - range.minimum;
    *value = range.minimum + uint32_t(span * uint64_t(percent) / 100);
    return true;
}

int BarFromPercent(int percent) {
    return int(percent / kPercentPerPixel);
}

int PercentFromBar(int x) {
    return int(x * kPercentPerPixel);
}
