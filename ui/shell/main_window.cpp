#include "ui/shell/startup_trace.h"
#include "ui/stock/stock_window.h"
#include "ui/shell/media_keys.h"
#include "ui/shell/main_window.h"

#include <windowsx.h>

#include "ui/shell/button_actions.h"
#include "ui/shell/file_drop.h"
#include "ui/playback/speed_bar.h"
#include "ui/shell/volume_bar.h"
#include "services/mixer.h"
#include "services/media_device.h"
#include "services/texts.h"
#include "services/transport.h"
#include "ui/playback/video_window.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/draw_bitmap.h"
#include "ui/shell/program_font.h"
#include "ui/shell/window_commands.h"
#include "ui/shell/side_windows.h"
#include "services/skin.h"
#include "services/stock_store.h"
#include "ui/shell/skinned_button.h"
#include "ui/shell/startup.h"
#include "ui/shell/window_class.h"

const wchar_t kMainWindowClass[] = L"MWClassName";
const RECT kStatusRect = {130, 56, 258, 100};

namespace {

enum { kMainWidth = 400, kMainHeight = 366 };

const wchar_t *const kFixedLabels[] = {L"再生位置", L"Track", L"All", L"Sp:", L"Vol:", L":Mute:"};

// The position time text is drawn without its blanks.
std::wstring WithoutBlanks(const wchar_t *text) {
    std::wstring out;
    for (const wchar_t *p = text; *p; ++p)
        if (*p != L' ') out.push_back(*p);
    return out;
}

void DrawStatusText(HDC dc, int n, const std::wstring &text) {
    const SettingsRecord &s = g_app.settings;
    const int i = n - 1;
    SetTextColor(dc, RGB(s.rgb[i][0], s.rgb[i][1], s.rgb[i][2]));
    TextOutW(dc, s.nMWText_X[i], s.nMWText_Y[i], text.c_str(), int(text.size()));
}

// The main window's own buttons, in the order they are created.
const int kMainButtonOrder[] = {
    SlotPlay,      SlotStop,     SlotPause,     SlotTrayOpen,   SlotTrayClose,
    SlotFile,      SlotMute,     SlotEnd,       SlotPrevious,   SlotNext,
    SlotRecord,    SlotLeftTab,  SlotListErase, SlotHomePage,   SlotRightTab,
    SlotClock,     SlotCalculator, SlotPhoto,   SlotSettings,   SlotFull,
};

// The transport's view: the position bar, the status texts, the playback and video windows,
// timer 600 and the Pause face.
void ShowBar() {
    if (!g_ui.hPositionBar) return;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = Display().barMax;
    si.nPage = UINT(Display().barPage);
    si.nPos = Display().barPos;
    SetScrollInfo(g_ui.hPositionBar, SB_CTL, &si, TRUE);
}

void RepaintPlayback() {
    if (g_ui.hPlay && IsWindow(g_ui.hPlay)) InvalidateRect(g_ui.hPlay, nullptr, TRUE);
}

void RunProgressTimer(bool run) {
    SetVideoPlaying(run);
    if (!g_ui.hMain) return;
    if (run)
        SetTimer(g_ui.hMain, TIMER_PROGRESS, UINT(g_app.nPlayLimiter), nullptr);
    else
        KillTimer(g_ui.hMain, TIMER_PROGRESS);
}

void ReleasePauseFace() {
    SetButtonFace(SlotPause, 0);
}

// The device that stopped answering is gone. Once the command that found it has returned,
// the user is told and the entry is loaded again on a device of its own.
void OnDeviceStuck() {
    if (g_ui.hMain) PostMessageW(g_ui.hMain, WM_DEVICE_STUCK, 0, 0);
}

void ReloadAfterStuckDevice(HWND hwnd) {
    // A device found stuck again while the box is up is reloaded by this same call: one box.
    static bool telling = false;
    if (telling) return;
    RunProgressTimer(false);
    g_app.paused = 0;
    ReleasePauseFace();
    telling = true;
    MessageBoxW(hwnd, LoadProgramText(IDS_DEVICE_STUCK).c_str(),
                LoadProgramText(IDS_ERROR_CAPTION).c_str(), MB_OK | MB_ICONWARNING);
    telling = false;
    if (EntryCount(g_app.currentGenre) > 0) LoadEntry(g_app.currentItem, false);
    Rewind();
    ShowDevicePosition();
    RepaintStatus();
}

const TransportView kTransportView = {ShowBar,          RepaintStatus,   RepaintPlayback,
                                      PlaceVideoWindow, RunProgressTimer, ReleasePauseFace};

void CreatePositionBar(HWND hwnd) {
    g_ui.hPositionBar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ,
                                         152, 101, 120, 15, hwnd,
                                         reinterpret_cast<HMENU>(IDC_POSITION_BAR), g_app.hInst,
                                         nullptr);
}

BOOL OnCreate(HWND hwnd) {
    TraceStartupStep("main window WM_CREATE");
    g_ui.hMain = hwnd;
    StartMixerSetUp();  // under way since the program started, unless a test makes the window
    SetTransportView(kTransportView);
    SetStuckDeviceListener(OnDeviceStuck);
    RunStartupInitialisation(hwnd);
    TraceStartupStep("settings, playback and stock windows, list");
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    DragAcceptFiles(hwnd, TRUE);
    for (int slot : kMainButtonOrder) CreateSkinnedButton(hwnd, slot);
    TraceStartupStep("skinned buttons");
    ApplyMainWindowShapes(hwnd);
    CreatePositionBar(hwnd);
    SetTimer(hwnd, TIMER_STATUS, 1000, nullptr);
    CreateVolumeBar(hwnd);
    CreateSpeedBar(hwnd);
    TraceStartupStep("shapes, position and level bars");
    g_ui.buttonFace[SlotMute] = Muted();
    TraceStartupStep("mixer");
    return TRUE;
}

void OnBodyPressed(HWND hwnd, LPARAM lParam) {
    // The whole body acts as a caption: the platform moves the window.
    PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
    // A short click from the user's sound scheme, played once; silence when it has none.
    PlaySoundW(L"MenuCommand", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT);
    HideSidePanels();
}

void OnRightButton(HWND hwnd, LPARAM lParam) {
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &at);
    ShowBodyMenu(hwnd, at);
}

// The main window's notification-area icon.
void OnTrayIcon(HWND hwnd, LPARAM mouse) {
    if (mouse == WM_LBUTTONDBLCLK) {
        DeleteTrayIcon(TrayMain, hwnd);
        ShowWindow(hwnd, SW_SHOW);  // the side windows wait for their tabs
    } else if (mouse == WM_RBUTTONDOWN) {
        ShowTrayIconMenu(hwnd);
    }
}

void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintMainWindow(dc);
    EndPaint(hwnd, &ps);
    static bool painted = false;
    if (!painted) TraceStartupStep("first paint of the main window");
    painted = true;
}

// Alt+F4 or the task bar ends the program as the End button does: the media is closed too,
// so the device's process has nothing left playing and goes with the program.
void OnClose() {
    if (g_ui.hLeftPanel) DestroyWindow(g_ui.hLeftPanel);
    g_ui.hLeftPanel = nullptr;
    ShutDown();
}

}  // namespace

void RepaintStatus() {
    HWND hwnd = g_ui.hMain;
    if (!hwnd) return;
    // Only the lines of the three texts that change, inside the status area: a button beside
    // them is not repainted with them. One that lies under such a line is (the window does not
    // clip its children), so it is drawn again over the new text.
    static int lineHeight = 0;
    if (!lineHeight) {
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, StatusFont());
        TEXTMETRICW tm = {};
        lineHeight = GetTextMetricsW(dc, &tm) ? int(tm.tmHeight) : kStatusRect.bottom;
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
    }
    const SettingsRecord &s = g_app.settings;
    for (int i = 0; i < 3; ++i) {
        const RECT line = {s.nMWText_X[i] - 2, s.nMWText_Y[i], kStatusRect.right,
                           s.nMWText_Y[i] + lineHeight};
        RECT repaint;
        if (IntersectRect(&repaint, &line, &kStatusRect)) InvalidateRect(hwnd, &repaint, FALSE);
    }
}

HFONT StatusFont() {
    static int height = 0, weight = 0;
    if (!height) {
        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, GetStockObject(SYSTEM_FONT));
        TEXTMETRICW tm = {};
        GetTextMetricsW(screen, &tm);
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
        height = tm.tmHeight > 0 ? int(tm.tmHeight) : 16;
        weight = int(tm.tmWeight);
    }
    return JapaneseFont(height, weight);
}

void PaintMainWindow(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    HBITMAP background = MainBackground();  // kept loaded until the skin changes
    DrawBitmap(dc, background);
    HGDIOBJ oldFont = SelectObject(dc, StatusFont());
    DrawStatusText(dc, 1, WithoutBlanks(Display().positionText));
    DrawStatusText(dc, 2, Display().totalNumberText);
    DrawStatusText(dc, 3, Display().currentNumberText);
    for (int n = 4; n <= kStatusTextCount; ++n) DrawStatusText(dc, n, kFixedLabels[n - 4]);
    SelectObject(dc, oldFont);
}

HWND CreateMainWindow() {
    RegisterProgramClass(kMainWindowClass, MainWindowProc, L"MYICON", nullptr);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kMainWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kMainHeight) / 2;
    return CreateWindowExW(0, kMainWindowClass, L"Mirelo", WS_POPUP, x, y, kMainWidth,
                           kMainHeight, nullptr, nullptr, g_app.hInst, nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate(hwnd) ? 0 : -1;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_TIMER:
        if (wParam == TIMER_STATUS) RepaintStatus();
        if (wParam == TIMER_PROGRESS) ProgressTick();
        if (wParam == TIMER_VIDEO_REPAINT) OnVideoRepaintTimer();
        return 0;
    case WM_HSCROLL:
        OnPositionScroll(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnBodyPressed(hwnd, lParam);
        return 0;
    case WM_EXITSIZEMOVE:
        ReattachSidePanels();
        return 0;
    case WM_MOUSEMOVE:
        g_ui.barDrag = 0;
        return 0;
    case WM_COMMAND:
        PerformMainCommand(LOWORD(wParam));
        return 0;
    case WM_RBUTTONDOWN:
        OnRightButton(hwnd, lParam);
        return 0;
    case WM_TRAY_MAIN:
        OnTrayIcon(hwnd, lParam);
        return 0;
    case WM_DROPFILES:
        OnFilesDropped(reinterpret_cast<HDROP>(wParam));
        DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DEVICE_STUCK:
        ReloadAfterStuckDevice(hwnd);
        return 0;
    case WM_MEDIA_OPENED:
        FinishOpeningAhead();
        return 0;
    case WM_FOLDER_NO_MEDIA:
        SayFolderHasNoMedia();
        return 0;
    case WM_APPCOMMAND:
        if (PerformAppCommand(GET_APPCOMMAND_LPARAM(lParam))) return TRUE;
        break;
    case WM_HOTKEY:
        PerformMediaHotKey(int(wParam));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
