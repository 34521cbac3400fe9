#include "playback/transport.h"

#include <cwchar>

#include "playback/media_device.h"
#include "playback/play_modes.h"
#include "playback/time_text.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/texts.h"
#include "shell/main_window.h"
#include "shell/playback_window.h"
#include "stock/stock_store.h"

namespace {

MCIDEVICEID Device() {
    return g_app.openParms.wDeviceID;
}

// Every command carries a parameter block, even without flags: some devices refuse a null one.
void SendPlain(UINT command, DWORD flags = 0) {
    MCI_GENERIC_PARMS parms = {};
    if (Device()) mciSendCommandW(Device(), command, flags, reinterpret_cast<DWORD_PTR>(&parms));
}

DWORD QueryStatus(DWORD item, bool *ok = nullptr) {
    MCI_STATUS_PARMS status = {};
    status.dwItem = item;
    const bool answered = Device() && mciSendCommandW(Device(), MCI_STATUS, MCI_STATUS_ITEM,
                                                      reinterpret_cast<DWORD_PTR>(&status)) == 0;
    if (ok) *ok = answered;
    return answered ? DWORD(status.dwReturn) : 0;
}

bool IsPlaying() {
    return QueryStatus(MCI_STATUS_MODE) == MCI_MODE_PLAY;
}

void PlayFrom(DWORD ms) {
    MCI_PLAY_PARMS play = {};
    play.dwFrom = ms;
    if (Device()) mciSendCommandW(Device(), MCI_PLAY, MCI_FROM, reinterpret_cast<DWORD_PTR>(&play));
}

void SeekTo(DWORD ms) {
    MCI_SEEK_PARMS seek = {};
    seek.dwTo = ms;
    if (Device()) mciSendCommandW(Device(), MCI_SEEK, MCI_TO, reinterpret_cast<DWORD_PTR>(&seek));
}

void SetPositionText(DWORD ms) {
    lstrcpynW(g_app.positionText, TimeIntervalText(ms).c_str(), ARRAYSIZE(g_app.positionText));
}

void RepaintStatus() {
    if (g_app.hMain) InvalidateRect(g_app.hMain, &kStatusRect, FALSE);
}

void RepaintPlaybackWindow() {
    if (g_app.hPlay && IsWindow(g_app.hPlay)) InvalidateRect(g_app.hPlay, nullptr, TRUE);
}

// Opens the entry's path; with the fall-back, what the device cannot play goes to the shell.
void OpenEntryPath(int index, bool shellFallback) {
    const std::wstring path = ReadStockField(g_app.currentGenre, index, FieldPath);
    lstrcpynW(g_app.currentPath, path.c_str(), ARRAYSIZE(g_app.currentPath));
    OpenMedia(g_app.currentPath);
    if (shellFallback && !MediaIsOpen() && g_app.currentPath[0]) HandToShell(g_app.currentPath);
}

} // namespace

void SetBarRange() {
    g_app.barMax = int(g_app.lengthMs / 1000);
    g_app.barPage = 10;
    if (!g_app.hPositionBar) return;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = g_app.barMax;
    si.nPage = UINT(g_app.barPage);
    SetScrollInfo(g_app.hPositionBar, SB_CTL, &si, TRUE);
}

void SetBarPosition(int seconds) {
    g_app.barPos = seconds;
    if (!g_app.hPositionBar) return;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = seconds;
    SetScrollInfo(g_app.hPositionBar, SB_CTL, &si, TRUE);
}

void SeekToStart() {
    MCI_SEEK_PARMS seek = {};
    if (Device())
        mciSendCommandW(Device(), MCI_SEEK, MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&seek));
}

DWORD QueryPosition() {
    return QueryStatus(MCI_STATUS_POSITION);
}

void ShowDevicePosition() {
    const DWORD position = QueryPosition();
    SetBarPosition(int(position / 1000));
    SetPositionText(position);
}

void SendSpeed() {
    wchar_t command[64];
    wsprintfW(command, L"set music speed %d", g_app.speed);
    mciSendStringW(command, nullptr, 0, nullptr);
}

void StartPlaying() {
    g_app.lastPlayingPositionMs = 0;
    MCI_PLAY_PARMS play = {};
    if (Device()) mciSendCommandW(Device(), MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play));
    SendSpeed();
}

void StartProgressTimer() {
    if (g_app.hMain) SetTimer(g_app.hMain, TIMER_PROGRESS, UINT(g_app.nPlayLimiter), nullptr);
}

void StartupLoad() {
    const int genre = g_app.currentGenre;
    const std::wstring path = ReadStockField(genre, 0, FieldPath);
    if (path.empty()) return;
    lstrcpynW(g_app.currentPath, path.c_str(), ARRAYSIZE(g_app.currentPath));
    OpenMedia(g_app.currentPath);
    SetNumberText(g_app.currentNumberText, 1);
    SetBarRange();
    SetNumberText(g_app.totalNumberText, g_app.counts[genre]);
    SeekToStart();
    PlaceVideoWindow();
}

void LoadEntry(int index, bool shellFallback) {
    OpenEntryPath(index, shellFallback);
    SetBarRange();
    PlaceVideoWindow();
}

void OnPlayPressed() {
    const int genre = g_app.currentGenre;
    if (g_app.counts[genre] == 0) return;
    // The stored path is only a test that the entry exists: what plays is what is loaded.
    if (ReadStockField(genre, g_app.currentItem, FieldPath).empty()) return;
    if (IsPlaying()) return;
    StartPlaying();
    StartProgressTimer();
}

void OnStopPressed() {
    RepaintPlaybackWindow();
}

void OnStopReleased() {
    SeekToStart();
    SeekToStart();
    ShowDevicePosition();
    if (g_app.hMain) KillTimer(g_app.hMain, TIMER_PROGRESS);
    RepaintPlaybackWindow();
    RepaintStatus();
}

void OnPauseToggled(int paused) {
    g_app.paused = paused;
    if (paused) {
        SendPlain(MCI_STOP);
    } else {
        // Resumes from the whole second the bar shows.
        PlayFrom(DWORD(g_app.barPos) * 1000);
        StartPlaying();
    }
    RepaintPlaybackWindow();
}

void OnPreviousReleased() {
    const int genre = g_app.currentGenre;
    const int item =
        PreviousItem(g_app.currentItem, g_app.counts[genre], g_app.random != 0, g_app.rng);
    if (item < 0) return;
    g_app.currentItem = item;
    SeekToStart();
    LoadEntry(item, true);
    StartPlaying();
}

void OnNextReleased() {
    const int genre = g_app.currentGenre;
    const int item = NextItem(g_app.currentItem, g_app.counts[genre], g_app.random != 0, g_app.rng);
    if (item < 0) return;
    g_app.currentItem = item;
    StartProgressTimer();
    SeekToStart();
    LoadEntry(item, true);
    StartPlaying();
}

static void HandleEndOfMedia() {
    SeekToStart();
    SeekToStart();
    ShowDevicePosition();
    const int count = g_app.counts[g_app.currentGenre];
    const EndOfMediaPlan plan =
        PlanEndOfMedia(g_app.repeat != 0, g_app.continuous != 0, g_app.random != 0, count,
                       g_app.currentItem, g_app.rng);
    if (plan.stopTimer) {
        if (g_app.hMain) KillTimer(g_app.hMain, TIMER_PROGRESS);
        if (!VideoDisplayWindow()) RepaintPlaybackWindow();
        return;
    }
    if (plan.replay) StartPlaying();
    g_app.currentItem = plan.item;
    if (plan.load >= 0) {
        LoadEntry(plan.load, true);
        StartPlaying();
    }
    if (HWND video = VideoDisplayWindow()) InvalidateRect(video, nullptr, TRUE);
    PlaceVideoWindow();
}

// Some devices do not rest at the length when they finish: they stop and report their start
// (or where the last play began). A device that stopped by itself within the last ticks of
// the media, while nobody paused it, has reached its end all the same.
static bool StoppedNearTheEnd(DWORD length) {
    if (g_app.paused || QueryStatus(MCI_STATUS_MODE) != MCI_MODE_STOP) return false;
    const DWORD margin = DWORD(g_app.nPlayLimiter) * 2 + 500;
    return g_app.lastPlayingPositionMs + margin >= length;
}

void ProgressTick() {
    // A paused device may report its start; the bar keeps the second it showed.
    if (!g_app.paused) ShowDevicePosition();
    const int count = g_app.counts[g_app.currentGenre];
    SetNumberText(g_app.currentNumberText, count > 0 ? g_app.currentItem + 1 : 0);
    bool lengthOk = false, positionOk = false;
    const DWORD length = QueryStatus(MCI_STATUS_LENGTH, &lengthOk);
    const DWORD position = QueryStatus(MCI_STATUS_POSITION, &positionOk);
    // Without a device nothing has reached an end; the tick goes on.
    if (!lengthOk || !positionOk) return;
    if (length > position && !StoppedNearTheEnd(length)) {
        if (IsPlaying()) g_app.lastPlayingPositionMs = position;
        return;
    }
    HandleEndOfMedia();
}

void OnPositionScroll(int code, unsigned thumb) {
    int target = 0;
    if (ScrollTarget(code, g_app.barPos, g_app.barPage, g_app.barMax, thumb, &target)) {
        // A position before the start means nothing to the device; some devices take it
        // anyway and then report a huge position, so the start is asked for instead.
        const DWORD ms = target > 0 ? DWORD(target) * 1000 : 0;
        if (IsPlaying())
            PlayFrom(ms);
        else
            SeekTo(ms);
        SetBarPosition(target);
    }
    const DWORD position = QueryPosition();
    SetBarPosition(int(position / 1000));
    SetPositionText(position);
    RepaintStatus();
}
