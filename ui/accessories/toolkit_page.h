// The toolkit page of the settings dialog (dialog 212): it hands its controls to the tools,
// pinpoint playback (pinpoint_playback.cpp), reverse playback (reverse_playback.cpp) and the
// AVI cut (avi_cut.cpp).
#pragma once

#include <windows.h>

INT_PTR CALLBACK ToolkitPageProc(HWND, UINT, WPARAM, LPARAM);

// The repeat button toggled the repeat flag: the page's "繰り返し" box follows it.
void OnRepeatToggled();

// The page's number fields, as the tools read and write them: the leading number of the
// field's text (false when there is none).
bool PageNumber(HWND page, int id, long *value);
void SetPageNumber(HWND page, int id, long value);
