// The stock window (class LWClassName) and its list of the current genre's entries.
#pragma once

#include <windows.h>

#include <vector>

#include "core/file_selection.h"

extern const wchar_t kStockWindowClass[];

HWND CreateStockWindow();
LRESULT CALLBACK StockWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Holds back the list view's drawing while its rows and pictures are replaced: Wine's list
// view sets its scroll bars again after every change (about 5 ms each under Wine, with the
// long path column's horizontal bar); held, it does so once, when the outermost hold ends.
class ListDrawingHeld {
public:
    ListDrawingHeld();
    ~ListDrawingHeld();
    ListDrawingHeld(const ListDrawingHeld &) = delete;
    ListDrawingHeld &operator=(const ListDrawingHeld &) = delete;
};

// Gives the list view a new, empty thumbnail list of CapWidth x CapHight images (60 x 40 when
// a stored size is out of range). The list never shows more than five pictures, so no more
// room than that is reserved, whatever the capacity asked for.
void ReplaceThumbnailList(int initialCapacity);

// Rebuilds the rows of the list view from the store (at most five rows), each with its
// thumbnail, or the "no image" picture when the thumbnail file is missing or unreadable.
void RefillStockList();

// Adds the files to the current genre (the File button, dropped files) and shows the result:
// the list refilled, the last file loaded, rewound and current, nothing playing.
void AddFilesAndShow(const std::vector<ChosenFile> &files);

// Says once that a folder given to add held no media file: Tell asks the main window to say
// it when the add has returned; Say (for WM_FOLDER_NO_MEDIA) shows the box.
void TellFolderHasNoMedia();
void SayFolderHasNoMedia();
