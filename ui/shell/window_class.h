// Registers a window class the way every window of the program wants it.
#pragma once

#include <windows.h>

// Redraw on size changes, the program's cursor, no menu, the given icon resource and
// background (null: the window paints all of itself). Registering twice fails silently.
void RegisterProgramClass(const wchar_t *className, WNDPROC proc, const wchar_t *iconName,
                          HBRUSH background);

// A window that owns a state object from WM_NCCREATE to WM_NCDESTROY: its creator passes the
// address of its pointer as the creation parameter. The window takes the state over even when
// its creation fails later, and clears the creator's pointer so it is not freed twice.
template <class State> void AdoptWindowState(HWND hwnd, LPARAM createLParam) {
    const CREATESTRUCTW *cs = reinterpret_cast<const CREATESTRUCTW *>(createLParam);
    State **owner = static_cast<State **>(cs->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(*owner));
    *owner = nullptr;
}

template <class State> void FreeWindowState(HWND hwnd) {
    delete reinterpret_cast<State *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
}
