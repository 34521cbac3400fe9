// The bilinear scaler that turns thumbnails into list images: 32-bit pixels (alpha << 24 |
// red << 16 | green << 8 | blue), bottom-up rows, steps in 8.8 fixed point. Builds natively.
#pragma once

#include <cstddef>
#include <cstdint>

// Neither side of a source or a target may exceed this: the work buffers stay bounded.
enum { kMaxScaledSide = 8192 };

// The list images are CapWidth x CapHight; a stored side outside 1..kMaxListImageSide is
// taken as the default instead, so no setting can ask for a giant image list.
enum { kMaxListImageSide = 1024 };
int ListImageSide(int32_t stored, int fallback);

// Scales the w x h source into the W x H target. Without a source alpha channel every
// target alpha is 255. False (target untouched) when a side is not positive or too large.
bool ScaleBilinear(const uint32_t *source, int w, int h, bool sourceHasAlpha, uint32_t *target,
                   int W, int H);
