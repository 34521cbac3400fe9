// Files dropped on the main window are appended to the current genre; the last one stays
// loaded and current, and nothing starts playing.
#pragma once

#include <windows.h>
#include <shellapi.h>

void OnFilesDropped(HDROP drop);
