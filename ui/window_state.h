// The windows' own state: their handles, the skinned buttons' faces, the side panels'
// slides, the notification-area icons, and what the accessories keep between openings.
// Only ui/ reads and writes it; a service is given the window it needs.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "core/button_table.h"
#include "core/calculator.h"
#include "core/clock_texts.h"
#include "core/settings_record.h"

enum SlideDirection { SlideOpening = 0, SlideClosing = 1 };

struct SidePanel {
    int open;       // bLeftPanelOpen / bRightPanelOpen
    int direction;  // SlideDirection
    int slide;      // nLeftSlide / nRightSlide
    RECT lastMainRect;
};

enum { kSettingsPageCount = 6 };

// The photo button's series and the names its dialogs last gave.
struct CaptureState {
    int shotCounter;  // number of the next series file; 1 at start
    wchar_t shotFolder[kTextChars];
    wchar_t fileName[kTextChars], fileTitle[kTextChars];  // the single shot's save dialog
};

enum TrayIconIndex { TrayMain, TrayStock, TrayPlay, kTrayIconCount };

struct WindowState {
    HWND hMain, hLeftPanel, hRightPanel, hPlay, hStock, hList;
    HWND hPositionBar, hVolumeBar, hSpeedBar;
    HWND hCalculator, hClock, hAviEdit;

    HWND buttons[kButtonCount];
    int buttonFace[kButtonCount];  // 0 normal face, 1 pushed face

    int barDrag;   // the position bar's thumb is held
    int fullSize;  // the video fills the playback window
    int zoom;

    SidePanel left, right;

    std::vector<NOTIFYICONDATAW> trayIcons;  // one record per (window, icon) shown

    // The settings dialog and its six pages (main, two without a tab, genres, skin editor,
    // toolkit), while the dialog exists. The Setting button's face says it is open.
    HWND hSettings;
    HWND settingsPages[kSettingsPageCount];
    // The skin editor's colour slot (0..8) and the last position item applied (0..31).
    int nColorSlot, nPlaceItem;

    int volumeBarPos;  // right edge of the volume bar's level, in pixels

    // Options of the main settings page, kept for this run only: the recording rate's slider
    // (the rate in Hz is ten times it), the series interval in ms and its number of shots.
    int nRecRate, nShotInterval, nShotCount;
    HIMAGELIST thumbnails;

    // The accessories' program-wide state: it outlives their windows.
    CalculatorState calculator;
    ClockTexts clockTexts;
    CaptureState capture;
};

extern WindowState g_ui;

// Puts every field at its starting value.
void ResetWindowState();
