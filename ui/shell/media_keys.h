// The keyboard's media keys and other application commands (play/pause, play, pause, stop,
// next, previous, volume up and down, mute): they act through the same commands as the
// buttons, from any window of the program and, for the four transport keys, while another
// program has the focus too.
#pragma once

#include <windows.h>

// Registers the transport keys as hot keys of the main window; a key another program holds
// is simply left to it.
void RegisterMediaKeys(HWND main);
void UnregisterMediaKeys(HWND main);

// WM_APPCOMMAND's command (GET_APPCOMMAND_LPARAM); false when it is none of the program's.
bool PerformAppCommand(int command);

// WM_HOTKEY's id from RegisterMediaKeys.
void PerformMediaHotKey(int id);
