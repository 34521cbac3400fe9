// Registers a window class the way every window of the program wants it.
#pragma once

#include <windows.h>

// Redraw on size changes, the program's cursor, no menu, the given icon resource and
// background (null: the window paints all of itself). Registering twice fails silently.
void RegisterProgramClass(const wchar_t *className, WNDPROC proc, const wchar_t *iconName,
                          HBRUSH background);
