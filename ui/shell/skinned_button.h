// The bitmap buttons: one child window per slot that draws itself from a mask and two faces
// and performs its command when pressed.
#pragma once

#include <windows.h>

// Creates the button of `slot` as a child of `parent` at its stored position and gives it
// the skinned procedure. Slot 7 also gives every button the program's cursor.
HWND CreateSkinnedButton(HWND parent, int slot);

// Clips the main window and its shaped buttons to their ellipses.
void ApplyMainWindowShapes(HWND mainWindow);

// Presses a button exactly as a click would. An empty slot does nothing.
void PressButton(int slot);

// Sets the face state and repaints the face.
void SetButtonFace(int slot, int face);

// Draws the button of `slot` into dc at (0, 0) as its paint does.
void DrawButton(HDC dc, int slot);

LRESULT CALLBACK SkinnedButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
