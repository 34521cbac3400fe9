// Which entry plays next: previous, next and the end of an entry under the repeat,
// continuous and random modes; and the arithmetic of the position and speed bars.
// Builds natively.
#pragma once

#include <cstdint>

// The C runtime's generator as the program has always drawn from it: a state starting at 1,
// never reseeded, so every run draws the same sequence.
class CrtRand {
  public:
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return int((state_ >> 16) & 0x7FFF);
    }
    uint32_t state() const { return state_; }

  private:
    uint32_t state_ = 1;
};

// The item Previous moves to, or -1 when Previous does nothing (at the first entry, or random
// over an empty genre, where there is nothing to draw from).
int PreviousItem(int item, int count, bool random, CrtRand &rng);

// The item Next moves to, or -1 when Next does nothing (at or past the last entry).
int NextItem(int item, int count, bool random, CrtRand &rng);

struct EndOfMediaPlan {
    bool stopTimer;  // the progress timer stops; the media rests at its start
    bool replay;     // the same media plays again from its start
    int load;        // the entry to load and play, or -1
    int item;        // the current item afterwards
    bool placeVideo; // the video window is repainted and placed again
};

// What happens when the current entry has played to its end.
EndOfMediaPlan PlanEndOfMedia(bool repeat, bool continuous, bool random, int count, int item,
                              CrtRand &rng);

// The position bar's new position in seconds for a scroll code; false when the code does not
// move it. The result is not clamped: the device refuses what it cannot seek to.
bool ScrollTarget(int code, int position, int page, int maximum, unsigned thumb, int *target);

// The speed set by a press or drag at x in the speed bar, in thousandths of normal speed.
inline int SpeedFromX(unsigned x) {
    return int(x * 20);
}
