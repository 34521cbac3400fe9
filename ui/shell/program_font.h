// Fonts that have the program's Japanese glyphs in any locale, whether or not the system's
// interface font links to a Japanese font. Each is made at its first use and kept.
#pragma once

#include <windows.h>

// The first installed face, in the order of a list of Japanese interface faces, found once.
const wchar_t *JapaneseFace();

// The Japanese font of a height (as LOGFONT's lfHeight) and weight, made at the first call
// with them and kept for the process: callers ask for a few fixed sizes.
HFONT JapaneseFont(int height, int weight);

// The controls' font, at the dialogs' size (9 points).
HFONT ControlFont();

// The Japanese font at the size of the system's interface font (DEFAULT_GUI_FONT), for a
// control that had that font before.
HFONT InterfaceSizedFont();

// Gives every control inside a window the controls' font. A dialog template can name
// only one face, which a system without it replaces by a font without Japanese glyphs.
void UseControlFont(HWND window);
