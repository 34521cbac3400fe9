// The settings the program keeps in the registry, in memory.
// Plain data only: this header builds natively as well as for Windows.
#pragma once

#include <cstdint>

enum : int {
    kGenreCount = 22,
    kButtonCount = 23,
    kStatusTextCount = 9,
    kTextChars = 260,  // fixed text buffers: 259 characters and the terminator
    kUrlChars = 2048,
};

enum SkinKind : int32_t { SkinCute = 0, SkinCool = 1, SkinUser = 2 };

struct ButtonPos {
    int32_t x;
    int32_t y;
};

struct SettingsRecord {
    int32_t Skin;
    int32_t Capture;
    int32_t CapWidth;
    int32_t CapHight;
    int32_t rgb[kStatusTextCount][3];  // RGB<n>_<c>: text n+1, component c (red, green, blue)
    ButtonPos buttons[kButtonCount];    // indexed by button slot
    int32_t nMWText_X[kStatusTextCount];
    int32_t nMWText_Y[kStatusTextCount];
    wchar_t URL[kUrlChars];
    wchar_t Genre[kGenreCount][kTextChars];
};

// The skin actually used for drawing: a stored value outside 0..2 draws as the cute skin,
// so no table of the three skins is ever indexed past its end.
inline int EffectiveSkin(int32_t stored) { return stored >= 0 && stored <= 2 ? stored : SkinCute; }
