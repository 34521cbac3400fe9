#include "services/transport.h"

#include "core/play_modes.h"
#include "core/time_text.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "services/stock_store.h"
#include "services/texts.h"

namespace {

TransportView g_view;

template <class... Args> void Tell(void (*what)(Args...), Args... args) {
    if (what) what(args...);
}

TransportDisplay g_display;

// Where the progress tick last saw the media playing, and which open of the device that was:
// a new open or a close forgets it.
struct LastPlaying {
    unsigned serial;
    DWORD ms;
} g_lastPlaying;

// A stored position this close to the end of the media (or beyond it) means the start.
enum { kResumeTailMs = 5000 };

// The stock entry the loaded media was loaded from. The lists may change under it (a delete,
// a clear, a restore, a file added), so it counts only while that entry names the loaded path.
struct LoadedEntry {
    int genre, index;
} g_loaded = {-1, -1};

// Where the last pause left the media: a paused device may report its start.
DWORD g_pausedAtMs;

// Where the next play of the open media starts, when it is not where the device rests: some
// devices refuse a seek while stopped and play from their start. A new open or a close
// forgets it.
struct ResumeAt {
    unsigned serial;
    DWORD ms;
} g_resumeAt;

DWORD PendingResume() {
    return g_resumeAt.serial == MediaSerial() ? g_resumeAt.ms : 0;
}

DWORD QueryStatus(DWORD item, bool *ok = nullptr) {
    DWORD value = 0;
    const bool answered = DeviceStatus(item, &value);
    if (ok) *ok = answered;
    return answered ? value : 0;
}

bool IsPlaying() {
    return QueryStatus(MCI_STATUS_MODE) == MCI_MODE_PLAY;
}

// Where the media is for the user: where its next play starts when it was loaded (or sought)
// there and has not played since, else where the device is.
DWORD WhereNow(bool *ok = nullptr) {
    if (ok) *ok = true;
    return PendingResume() > 0 ? PendingResume() : QueryStatus(MCI_STATUS_POSITION, ok);
}

void SetPositionText(DWORD ms) {
    lstrcpynW(g_display.positionText, TimeIntervalText(ms).c_str(), ARRAYSIZE(g_display.positionText));
}

void ShowPosition(DWORD ms) {
    g_display.barPos = int(ms / 1000);
    Tell(g_view.barChanged);
    SetPositionText(ms);
}

// A stored path becomes the current one; a path the buffer would cut names another file, so
// none is current then.
const wchar_t *TakeEntryPath(const std::wstring &path) {
    if (path.size() >= size_t(kTextChars)) g_app.currentPath[0] = L'\0';
    else lstrcpynW(g_app.currentPath, path.c_str(), ARRAYSIZE(g_app.currentPath));
    return g_app.currentPath;
}

// Opens the entry's path; with the fall-back, what the device cannot play goes to the shell.
// A stored path too long for the program's buffers is not opened, nor handed on, at all.
void OpenEntryPath(int index, bool shellFallback) {
    OpenMedia(TakeEntryPath(ReadStockField(g_app.currentGenre, index, FieldPath)));
    if (shellFallback && !MediaIsOpen() && g_app.currentPath[0]) HandToShell(g_app.currentPath);
}

void StopProgress() {
    Tell(g_view.progressTimer, false);
}

bool LoadedEntryIsOpen() {
    return g_loaded.index >= 0 && MediaIsOpen() &&
           ReadStockField(g_loaded.genre, g_loaded.index, FieldPath) == MediaPath();
}

DWORD ResumePoint(DWORD ms, DWORD length) {
    return length > kResumeTailMs && ms < length - kResumeTailMs ? ms : 0;
}

// Stores `ms` as where the loaded entry was left (0: from the start).
void KeepPosition(DWORD ms) {
    if (LoadedEntryIsOpen())
        WriteStockPosition(g_loaded.genre, g_loaded.index, ResumePoint(ms, MediaLengthMs()));
}

// The loaded entry starts where it was left; the bar and the text show it at once.
void GoToStoredPosition() {
    DWORD ms = 0;
    if (LoadedEntryIsOpen())
        ms = ResumePoint(ReadStockPosition(g_loaded.genre, g_loaded.index), MediaLengthMs());
    if (ms > 0) DeviceSeekTo(ms);
    g_resumeAt = ResumeAt{MediaSerial(), ms};
    ShowPosition(ms);
    Tell(g_view.statusChanged);
}

} // namespace

TransportDisplay &Display() {
    return g_display;
}

void ResetTransport() {
    g_display = TransportDisplay();
    lstrcpyW(g_display.positionText, L" 0 秒");
    g_display.barPage = 10;
    g_lastPlaying = LastPlaying();
    g_loaded = LoadedEntry{-1, -1};
    g_pausedAtMs = 0;
    g_resumeAt = ResumeAt();
}

void SetTransportView(const TransportView &view) {
    g_view = view;
}

void SetBarRange() {
    g_display.barMax = int(MediaLengthMs() / 1000);
    g_display.barPage = 10;
    Tell(g_view.barChanged);
}

void SetBarPosition(int seconds) {
    g_display.barPos = seconds;
    Tell(g_view.barChanged);
}

void Rewind() {
    // A rewind forgets where the media was last seen playing: it has not reached its end.
    g_lastPlaying.ms = 0;
    g_resumeAt.ms = 0;
    DeviceSeekToStart();
}

DWORD QueryPosition() {
    return QueryStatus(MCI_STATUS_POSITION);
}

void ShowDevicePosition() {
    ShowPosition(WhereNow());
}

void SendSpeed() {
    wchar_t speed[32];
    wsprintfW(speed, L"speed %d", g_app.speed);
    DeviceCommand(L"set", speed);
}

void RememberPosition() {
    if (g_app.paused) {
        KeepPosition(g_pausedAtMs);
        return;
    }
    bool ok = false;
    const DWORD ms = WhereNow(&ok);
    if (ok) KeepPosition(ms);
}

void StartPlaying() {
    g_lastPlaying.ms = 0;
    if (PendingResume() > 0)
        DevicePlayFrom(PendingResume());
    else
        DevicePlay();
    g_resumeAt.ms = 0;
    SendSpeed();
}

void StartProgressTimer() {
    Tell(g_view.progressTimer, true);
}

namespace {

void StartupLoadOpened() {
    SetBarRange();
    Rewind();
    GoToStoredPosition();
    Tell(g_view.videoChanged);
}

}  // namespace

void StartupLoad(HWND notify) {
    const int genre = g_app.currentGenre;
    const std::wstring path = ReadStockField(genre, 0, FieldPath);
    if (path.empty()) return;
    SetNumberText(g_display.currentNumberText, 1);
    SetNumberText(g_display.totalNumberText, EntryCount(genre));
    g_loaded = LoadedEntry{genre, 0};
    const wchar_t *taken = TakeEntryPath(path);
    // The file the command line has just added is open already: not opened a second time.
    if (*taken && MediaIsOpen() && MediaPath() == taken) return StartupLoadOpened();
    OpenMediaAhead(taken, notify, WM_MEDIA_OPENED, StartupLoadOpened);
}

void StartDeviceForStartupLoad() {
    if (!ReadStockField(g_app.currentGenre, 0, FieldPath).empty()) StartMediaDeviceEarly();
}

void LoadEntry(int index, bool shellFallback) {
    g_loaded = LoadedEntry{g_app.currentGenre, index};
    OpenEntryPath(index, shellFallback);
    SetBarRange();
    GoToStoredPosition();
    Tell(g_view.videoChanged);
}

void PlayEntry(int index) {
    RememberPosition();
    LoadEntry(index, true);
    StartProgressTimer();
    StartPlaying();
    g_app.currentItem = index;
    if (g_app.paused) {
        g_app.paused = 0;
        Tell(g_view.pauseCleared);
    }
}

bool TransportPlaying() {
    return IsPlaying();
}

void OnPlayPressed() {
    const int genre = g_app.currentGenre;
    if (EntryCount(genre) == 0) return;
    // The stored path is only a test that the entry exists: what plays is what is loaded.
    if (ReadStockField(genre, g_app.currentItem, FieldPath).empty()) return;
    if (IsPlaying()) return;
    StartPlaying();
    StartProgressTimer();
}

void OnStopReleased() {
    KeepPosition(0);  // a stop means the next play starts from the beginning
    Rewind();
    ShowDevicePosition();
    StopProgress();
    Tell(g_view.playbackChanged);
    Tell(g_view.statusChanged);
}

void OnPauseToggled(int paused) {
    g_app.paused = paused;
    if (paused) {
        // Asked before the pause: a paused device may report its start.
        g_pausedAtMs = WhereNow();
        // A pause, not a stop: the platform's device can wait for good inside a stop that
        // meets the end of a stream, and a pause needs no stop at all.
        DevicePause();
        KeepPosition(g_pausedAtMs);
    } else {
        // Resumes from the whole second the bar shows.
        DevicePlayFrom(DWORD(g_display.barPos) * 1000);
        StartPlaying();
    }
    Tell(g_view.playbackChanged);
}

void OnPreviousReleased() {
    const int genre = g_app.currentGenre;
    const int item =
        PreviousItem(g_app.currentItem, EntryCount(genre), g_app.random != 0, g_app.rng);
    if (item < 0) return;
    RememberPosition();
    g_app.currentItem = item;
    LoadEntry(item, true);
    StartPlaying();
}

void OnNextReleased() {
    const int genre = g_app.currentGenre;
    const int item = NextItem(g_app.currentItem, EntryCount(genre), g_app.random != 0, g_app.rng);
    if (item < 0) return;
    RememberPosition();
    g_app.currentItem = item;
    StartProgressTimer();
    LoadEntry(item, true);
    StartPlaying();
}

static void HandleEndOfMedia() {
    KeepPosition(0);  // played to its end: next time from the start
    Rewind();
    ShowDevicePosition();
    const int count = EntryCount(g_app.currentGenre);
    const EndOfMediaPlan plan =
        PlanEndOfMedia(g_app.repeat != 0, g_app.continuous != 0, g_app.random != 0, count,
                       g_app.currentItem, g_app.rng);
    if (plan.stopTimer) {
        StopProgress();
        if (!MediaVideoWindow()) Tell(g_view.playbackChanged);
        return;
    }
    if (plan.replay) StartPlaying();
    g_app.currentItem = plan.item;
    if (plan.load >= 0) {
        LoadEntry(plan.load, true);
        StartPlaying();
    }
    Tell(g_view.videoChanged);
}

// Some devices do not rest at the length when they finish: they stop and report their start
// (or where the last play began). A device that stopped by itself within the last ticks of
// the media, while nobody paused it, has reached its end all the same. What was last seen
// playing is forgotten at every rewind, open and close, so one end is taken only once.
static bool StoppedNearTheEnd(DWORD length, DWORD mode) {
    if (g_lastPlaying.serial != MediaSerial()) g_lastPlaying = LastPlaying{MediaSerial(), 0};
    if (g_app.paused || g_lastPlaying.ms == 0) return false;
    if (mode != MCI_MODE_STOP) return false;
    const DWORD margin = DWORD(g_app.nPlayLimiter) * 2 + 500;
    return g_lastPlaying.ms + margin >= length;
}

void ProgressTick() {
    // Three questions to the device a tick: position, length and mode.
    bool lengthOk = false, positionOk = false;
    const DWORD position = QueryStatus(MCI_STATUS_POSITION, &positionOk);
    // A paused device may report its start; the bar keeps the second it showed. Media loaded
    // where it was left shows that place until it plays.
    if (!g_app.paused) ShowPosition(PendingResume() > 0 ? PendingResume() : position);
    const int count = EntryCount(g_app.currentGenre);
    SetNumberText(g_display.currentNumberText, count > 0 ? g_app.currentItem + 1 : 0);
    const DWORD length = QueryStatus(MCI_STATUS_LENGTH, &lengthOk);
    // Without a device nothing has reached an end; the tick goes on.
    if (!lengthOk || !positionOk) return;
    if (length > position) {
        const DWORD mode = QueryStatus(MCI_STATUS_MODE);
        if (!StoppedNearTheEnd(length, mode)) {
            if (mode == MCI_MODE_PLAY) g_lastPlaying.ms = position > 0 ? position : 1;
            return;
        }
    }
    HandleEndOfMedia();
}

void OnPositionScroll(int code, unsigned thumb) {
    int target = 0;
    if (ScrollTarget(code, g_display.barPos, g_display.barPage, g_display.barMax, thumb, &target)) {
        // A seek starts the media's way to its end afresh.
        g_lastPlaying.ms = 0;
        // A position before the start means nothing to the device; some devices take it
        // anyway and then report a huge position, so the start is asked for instead.
        const DWORD ms = target > 0 ? DWORD(target) * 1000 : 0;
        // A pause resumes from the bar, and is remembered there.
        if (g_app.paused) g_pausedAtMs = ms;
        if (IsPlaying()) {
            DevicePlayFrom(ms);
        } else {
            DeviceSeekTo(ms);
            g_resumeAt = ResumeAt{MediaSerial(), ms};
        }
        SetBarPosition(target);
    }
    ShowDevicePosition();
    Tell(g_view.statusChanged);
}
