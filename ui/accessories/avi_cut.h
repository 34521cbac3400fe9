// The AVI cut on the toolkit page: the AVI edit window opened on a file, its frame slider,
// the cut's two marks and the save of the cut as an AVI and a WAV file.
#pragma once

#include <windows.h>

// The slider's range follows the edit window's video.
void ShowAviFrameRange(HWND page);
void OnFrameSlider(HWND page);
void OnOpenAviEditor(HWND page);
// Shows the slider's frame and marks it into the page's field.
void OnCutMark(HWND page, int field);
void OnSaveCut(HWND page);
