// What the calculator and the desk clock share: a borderless tool window at the screen's
// top-left corner, dragged by its face, whose handle is kept while it exists.
#pragma once

#include <windows.h>

// Registers the class (hollow background: the window paints all of itself), creates the
// window at the screen's top-left corner and shows it; null when it cannot be created.
HWND OpenAccessory(const wchar_t *className, WNDPROC proc, const wchar_t *title, int width,
                   int height);

// Destroys *handle's window, if there is one, and forgets it.
void CloseAccessory(HWND *handle);

struct Accessory {
    HWND *handle;              // kept from creation until destruction
    void (*create)(HWND hwnd); // shape, children and timers, once the handle is kept
    void (*draw)(HDC dc);      // the window's paint
};

// Creates and paints; a press on the face drags the window; its destruction forgets the
// handle; anything else goes to the default procedure.
LRESULT AccessoryProc(const Accessory &accessory, HWND hwnd, UINT msg, WPARAM wParam,
                      LPARAM lParam);
