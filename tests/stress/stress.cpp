// A monkey on the real program: from a seed, thousands of random events over short WAV, AVI
// and MPEG files, so that media ends often: commands of both menus, accelerator keys, clicks
// and drags on every window and button, right clicks that open menus, files dropped on the
// main window (good, bad, missing, Japanese names, a 300-character path), genre changes and
// deletes in the stock list, the settings dialog opened, used and closed, and every message
// box answered. After every event the program must take a message posted to its queue (a
// skin command, seen in the registry); the answers slower than the limit are counted.
// At the end: the program still answers within 5 s, every genre's entries are dense in the
// four list keys, every thumbnail file names an entry, and its window and GUI object counts
// stayed bounded. Prints the figures; exits 1 when a check failed or the program stopped
// answering for good (30 s) or ended.
//   stress.exe <seed> <actions> <media folder> [limit ms]
#include <windows.h>

#include <psapi.h>
#include <shlobj.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "core/settings_table.h"
#include "core/stock_names.h"
#include "resources/resource.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

const wchar_t kDate[] = L"Software\\Mirelo\\Setting\\date";
enum { kButtonEnd = 7, kButtonHomePage = 15, kButtonSettings = 21 };

const wchar_t *ListKey(int k) { return kRegKeyPaths[kListKeyFirst + k]; }

void StoreEntry(int index, const std::wstring &path) {
    const std::wstring texts[4] = {path.substr(path.rfind(L'\\') + 1), L" 1 秒", L"MPEGVideo", path};
    for (int k = 0; k < 4; ++k) {
        std::vector<wchar_t> value(500, 0);  // as the program writes them: 1000 bytes
        lstrcpynW(value.data(), texts[k].c_str(), 500);
        driver::WriteRegistryValue(ListKey(k), StockValueName(0, index).c_str(), REG_SZ, value.data(), 1000);
    }
}

struct Random {
    unsigned state;
    int Below(int n) {
        state = state * 1103515245u + 12345u;
        return int((state >> 8) % unsigned(n));
    }
};

std::set<std::wstring> ValueNames(const wchar_t *keyPath) {
    std::set<std::wstring> names;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    wchar_t name[256];
    for (DWORD i = 0, length = 256; RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr,
                                                  nullptr) == ERROR_SUCCESS; ++i, length = 256)
        names.insert(name);
    RegCloseKey(key);
    return names;
}

// Every genre's entries, checked in the four list keys: a genre holds the entries 0 .. n-1
// with a title, and each key holds exactly those values of every genre, no gap and nothing
// beyond. Every thumbnail file names one of them. Returns the problems found.
std::vector<std::string> CheckStore(int *entries, int *thumbnails) {
    std::vector<std::string> problems;
    std::set<std::wstring> values, pictures;
    const std::set<std::wstring> titles = ValueNames(ListKey(0));
    *entries = 0;
    for (int g = 0; g < kGenreCount; ++g)
        for (int i = 0; titles.count(StockValueName(g, i)); ++i, ++*entries) {
            values.insert(StockValueName(g, i));
            pictures.insert(ThumbnailFileName(g, i));
            if (driver::ReadRegistryText(ListKey(0), StockValueName(g, i).c_str()).empty())
                problems.push_back("genre " + std::to_string(g) + ": empty title at " + std::to_string(i));
        }
    for (int k = 0; k < 4; ++k)
        if (ValueNames(ListKey(k)) != values) problems.push_back("not dense under key " + std::to_string(k));
    *thumbnails = 0;
    for (const std::wstring &name : driver::FilesIn(kThumbnailFolder))
        if (IsSweptThumbnailName(name) && ++*thumbnails && !pictures.count(name))
            problems.push_back("thumbnail of no entry: " + std::string(name.begin(), name.end()));
    return problems;
}

// Windows of the process: its top-level windows and all their descendants (the video window
// of the media host among them), the visible ones only or all of them.
struct WindowList {
    DWORD pid;
    bool visibleOnly;
    std::vector<HWND> all;
};
BOOL CALLBACK AddWindow(HWND hwnd, LPARAM list) {
    WindowList *l = reinterpret_cast<WindowList *>(list);
    if (!l->visibleOnly || IsWindowVisible(hwnd)) l->all.push_back(hwnd);
    return TRUE;
}
BOOL CALLBACK AddTopLevel(HWND hwnd, LPARAM list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == reinterpret_cast<WindowList *>(list)->pid) {
        AddWindow(hwnd, list);
        EnumChildWindows(hwnd, AddWindow, list);
    }
    return TRUE;
}
std::vector<HWND> WindowsOfProcess(DWORD pid, bool visibleOnly = true) {
    WindowList list{pid, visibleOnly, {}};
    EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(&list));
    return list.all;
}

// A drop as the shell delivers one, made in the program's own memory: a DROPFILES block
// written there, the message sent, the block freed once the program has handled it (the
// program's own release of the handle fails quietly on memory it did not allocate).
bool DropFiles(const driver::Process &p, HWND target, const std::vector<std::wstring> &paths) {
    std::wstring list;
    for (const std::wstring &path : paths) list += path + L'\0';
    list += L'\0';
    std::vector<BYTE> block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    *reinterpret_cast<DROPFILES *>(block.data()) = DROPFILES{sizeof(DROPFILES), {}, FALSE, TRUE};
    memcpy(block.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    void *remote = VirtualAllocEx(p.handle, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    DWORD_PTR result = 0;
    const bool sent = remote && WriteProcessMemory(p.handle, remote, block.data(), block.size(), nullptr) &&
                      SendMessageTimeoutW(target, WM_DROPFILES, WPARAM(remote), 0, SMTO_NORMAL, 60000, &result);
    if (sent) VirtualFreeEx(p.handle, remote, 0, MEM_RELEASE);
    return sent;
}

struct Figures {
    int boxes = 0, dialogs = 0, menus = 0, drops = 0, dropFailures = 0;
};

// The files a drop picks from.
std::vector<std::wstring> g_dropChoices;

void MakeDropChoices(const std::wstring &media) {
    const std::wstring good = media + L"monkey.wav", japanese = media + L"日本語の曲 %20 'x'.wav",
                       bad = media + L"monkey-bad.mp3", fake = media + L"monkey-wav.avi";
    driver::WriteWav(good, 900);
    driver::WriteWav(japanese, 900);
    driver::WriteRandomBytes(bad);
    driver::WriteWav(fake, 900);
    CreateDirectoryW((media + L"folder.mpg").c_str(), nullptr);
    g_dropChoices = {good, japanese, bad, fake, media + L"folder.mpg", media + L"missing.wav",
                     media + L"tone.mp3", media + L"clip.mpg",
                     L"C:\\" + std::wstring(296, L'l') + L".wav", media + L"noextension"};
}

// An accelerator pressed as the keyboard presses it, with the program's window in front:
// pairs of modifier (Ctrl, Alt, Shift) and key.
void PressAccelerator(Random &rng, HWND main) {
    static const char kKeys[] = "CMCTCBABATSBSTSRACCLALSMAAAOAPAIARAXCRAKAMSF";
    const char *k = kKeys + 2 * rng.Below(int(sizeof kKeys / 2));
    const BYTE modifier = k[0] == 'C' ? VK_CONTROL : k[0] == 'A' ? VK_MENU : VK_SHIFT;
    SetForegroundWindow(main);
    keybd_event(modifier, 0, 0, 0);
    keybd_event(BYTE(k[1]), 0, 0, 0);
    keybd_event(BYTE(k[1]), 0, KEYEVENTF_KEYUP, 0);
    keybd_event(modifier, 0, KEYEVENTF_KEYUP, 0);
}

enum Kind { Command, Seek, MenuCommand, Accelerator, Click, Drag, RightClick, Drop, Genre, StockDelete,
            Settings, TrayIcon };

// Posts one random event to the program's windows; returns its name.
const char *PostRandomEvent(Random &rng, const driver::Process &p, HWND main, Figures &f) {
    static const struct {
        const char *name;
        int weight;
        Kind kind;
        UINT command;
    } kEvents[] = {
        {"play", 8, Command, ID_PLAY}, {"stop", 6, Command, ID_STOP}, {"pause", 6, Command, ID_PAUSE},
        {"next", 6, Command, ID_NEXT}, {"previous", 5, Command, ID_PREVIOUS},
        {"repeat", 3, Command, ID_REPEAT}, {"continuous", 3, Command, ID_CONTINUOUS},
        {"full", 1, Command, ID_FULL}, {"right window", 1, Command, ID_RIGHT_WINDOW},
        {"left window", 1, Command, ID_LEFT_WINDOW}, {"magnify", 1, Command, ID_ZOOM_200},
        {"original size", 1, Command, ID_ZOOM_ORIGINAL}, {"seek", 6, Seek, 0},
        {"menu command", 6, MenuCommand, 0}, {"accelerator", 3, Accelerator, 0}, {"click", 10, Click, 0},
        {"drag", 3, Drag, 0}, {"right click", 2, RightClick, 0}, {"drop", 3, Drop, 0},
        {"genre", 3, Genre, 0}, {"stock delete", 2, StockDelete, 0}, {"settings", 1, Settings, 0},
        {"tray icon", 2, TrayIcon, 0}};
    static const UINT kMenuCommands[] = {
        ID_ZOOM_200, 32932, 32936, ID_ZOOM_2000, ID_ZOOM_3000, ID_ZOOM_ORIGINAL, ID_PLAY,
        ID_STOP, ID_PAUSE, ID_NEXT, ID_PREVIOUS, ID_RECORD, ID_REPEAT, ID_CONTINUOUS,
        ID_LIST_ERASE, ID_MUTE, ID_TRAY_OPEN, ID_TRAY_CLOSE, ID_MAIN_TO_TRAY, ID_MAIN_TO_BAR,
        ID_RIGHT_WINDOW, ID_LEFT_WINDOW, ID_LEFT_WINDOW_2, ID_PLAY_TO_TRAY, ID_PLAY_TO_BAR,
        ID_FULL, ID_ALL_TO_TRAY, ID_SKIN_CUTE, ID_SKIN_COOL, ID_SKIN_USER, ID_BACKUP_SAVE,
        ID_BACKUP_RESTORE, ID_STOCK_TO_TRAY, ID_STOCK_TO_BAR, ID_FILE, ID_UNUSED_SHIFT_R,
        ID_UNUSED_ALT_K, ID_DRIVE_FIRST + 2, ID_DRIVE_FIRST + 25};
    int total = 0;
    for (const auto &event : kEvents) total += event.weight;
    int pick = rng.Below(total);
    size_t e = 0;
    while (pick >= kEvents[e].weight) pick -= kEvents[e++].weight;
    HWND play = FindWindowExW(nullptr, nullptr, L"PWClassName", nullptr);
    HWND stock = play ? FindWindowExW(play, nullptr, L"LWClassName", nullptr) : nullptr;
    const std::vector<HWND> windows = WindowsOfProcess(p.id);
    HWND any = windows.empty() ? main : windows[size_t(rng.Below(int(windows.size())))];
    // Not the End or home page buttons (they end the program and start a browser), nor the
    // settings dialog's address test.
    const int anyId = GetDlgCtrlID(any);
    const bool clickable = !(GetParent(any) == main && (anyId == kButtonEnd || anyId == kButtonHomePage)) &&
                           anyId != IDC_URL_TEST;
    RECT r = {};
    GetClientRect(any, &r);
    const LPARAM at = MAKELPARAM(rng.Below(r.right > 0 ? r.right : 1), rng.Below(r.bottom > 0 ? r.bottom : 1));
    switch (kEvents[e].kind) {
    case Command:
        PostMessageW(main, WM_COMMAND, kEvents[e].command, 0);
        break;
    case Seek: {
        static const int kCodes[] = {SB_THUMBTRACK, SB_LINELEFT, SB_LINERIGHT, SB_LEFT};
        PostMessageW(main, WM_HSCROLL, MAKEWPARAM(kCodes[rng.Below(4)], rng.Below(3)), 0);
        break;
    }
    case MenuCommand:  // the main window's menu, or the playback window's (its tray items act on itself)
        PostMessageW(play && rng.Below(4) == 0 ? play : main, WM_COMMAND,
                     kMenuCommands[rng.Below(int(sizeof kMenuCommands / sizeof(UINT)))], 0);
        break;
    case Accelerator:
        PressAccelerator(rng, main);
        break;
    case RightClick:
        if (clickable) {
            PostMessageW(any, WM_RBUTTONDOWN, MK_RBUTTON, at);
            PostMessageW(any, WM_RBUTTONUP, 0, at);
        }
        break;
    case Click:
    case Drag:
        if (!clickable) break;
        PostMessageW(any, WM_LBUTTONDOWN, MK_LBUTTON, at);
        for (int i = 1; kEvents[e].kind == Drag && i <= 3; ++i)
            PostMessageW(any, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(LOWORD(at) + 8 * i, HIWORD(at) + 5 * i));
        PostMessageW(any, WM_LBUTTONUP, 0, at);
        break;
    case Drop: {
        std::vector<std::wstring> paths;
        for (int i = 0, n = 1 + rng.Below(3); i < n; ++i)
            paths.push_back(g_dropChoices[size_t(rng.Below(int(g_dropChoices.size())))]);
        ++f.drops;
        f.dropFailures += !DropFiles(p, main, paths);
        break;
    }
    case Genre:
        if (stock) PostMessageW(stock, WM_COMMAND, StockMenuCommand(rng.Below(kGenreCount)), 0);
        break;
    case StockDelete:  // a row of the list chosen with a click, then the menu's delete
        if (HWND list = stock ? FindWindowExW(stock, nullptr, L"SysListView32", nullptr) : nullptr) {
            const LPARAM row = MAKELPARAM(40, 8 + 18 * rng.Below(5));
            PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, row);
            PostMessageW(list, WM_LBUTTONUP, 0, row);
            PostMessageW(stock, WM_COMMAND, ID_STOCK_DELETE, 0);
        }
        break;
    case Settings:
        if (HWND button = GetDlgItem(main, kButtonSettings)) {
            PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        }
        break;
    case TrayIcon: {  // a double click brings its window back, a right click opens the pop-up menu
        const int icon = rng.Below(3);
        const UINT messages[] = {WM_TRAY_MAIN, WM_TRAY_PLAY, WM_TRAY_STOCK};
        const UINT ids[] = {IDI_TRAY_MAIN, IDI_TRAY_PLAY, IDI_TRAY_STOCK};
        const HWND owners[] = {main, play, stock};
        if (owners[icon])
            PostMessageW(owners[icon], messages[icon], ids[icon], rng.Below(3) ? WM_LBUTTONDBLCLK : WM_RBUTTONDOWN);
        break;
    }
    }
    return kEvents[e].name;
}

// Closes open menus, answers message boxes (any of their buttons), cancels the file dialog,
// and now and then sends the settings dialog OK (Enter) or Cancel (Esc, which closes it).
void AnswerWhatIsOpen(Random &rng, DWORD pid, Figures &f) {
    for (HWND menu : driver::WindowsOf(pid, L"#32768"))
        if (IsWindowVisible(menu)) {
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
            PostMessageW(menu, WM_KEYUP, VK_ESCAPE, 0xC0000001);
            ++f.menus;
        }
    for (HWND dialog : driver::WindowsOf(pid, L"#32770")) {
        if (!IsWindowVisible(dialog)) continue;
        if (GetDlgItem(dialog, 0xFFFF)) {  // a message box
            static const int kAnswers[] = {IDOK, IDCANCEL, IDYES, IDNO};
            int answer = kAnswers[rng.Below(4)];
            if (!GetDlgItem(dialog, answer)) answer = GetDlgItem(dialog, IDOK) ? IDOK : IDCANCEL;
            driver::PressDialogButton(dialog, answer);
            ++f.boxes;
        } else if (!GetDlgItem(dialog, IDC_SETTINGS_TABS) || rng.Below(4) == 0) {
            const bool settings = GetDlgItem(dialog, IDC_SETTINGS_TABS) != nullptr;
            driver::PressDialogButton(dialog, settings && rng.Below(2) ? IDOK : IDCANCEL);
            ++f.dialogs;
        }
    }
}

// Posts a skin change and waits until the program has stored it: its message loop took a
// message from its queue. Returns the milliseconds it took, or -1 after `limitMs`.
long ProbeAnswer(HWND main, int skin, DWORD limitMs) {
    const DWORD start = GetTickCount();
    PostMessageW(main, WM_COMMAND, skin ? ID_SKIN_COOL : ID_SKIN_CUTE, 0);
    for (; driver::ReadRegistryDword(kDate, L"Skin", 9) != DWORD(skin); Sleep(5))
        if (GetTickCount() - start > limitMs) return -1;
    return long(GetTickCount() - start);
}

// What the process holds: its GDI and user objects where the platform counts them (-1 where
// it does not), its handles, its windows and its committed memory in KiB.
struct Held {
    long gdi = -1, user = -1, handles = 0, windows = 0, memoryKb = 0;
};

Held HeldBy(const driver::Process &p) {
    Held h;
    SetLastError(0);
    const DWORD g = GetGuiResources(p.handle, GR_GDIOBJECTS), u = GetGuiResources(p.handle, GR_USEROBJECTS);
    if (g || u || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) h.gdi = long(g), h.user = long(u);
    DWORD handles = 0;
    if (GetProcessHandleCount(p.handle, &handles)) h.handles = long(handles);
    h.windows = long(WindowsOfProcess(p.id, false).size());
    PROCESS_MEMORY_COUNTERS memory = {};
    if (GetProcessMemoryInfo(p.handle, &memory, sizeof memory)) h.memoryKb = long(memory.PagefileUsage / 1024);
    return h;
}

int Refuse(const char *why) {
    std::fprintf(stderr, "%s\n", why);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc < 4) return Refuse("usage: stress <seed> <actions> <media folder> [limit ms]");
    Random rng{unsigned(_wtoi(argv[1]))};
    const int actions = _wtoi(argv[2]);
    std::wstring media = argv[3];
    if (media.back() != L'\\') media += L'\\';
    const DWORD limit = argc > 4 ? DWORD(_wtoi(argv[4])) : 2000;

    // Three short entries of every kind: each ends within seconds.
    const std::wstring wav = media + L"stress.wav", avi = media + L"stress.avi";
    if (!driver::WriteWav(wav, 1200) || !driver::WriteAvi(avi, 15)) return Refuse("cannot write the media files");
    MakeDropChoices(media);
    driver::CompleteFirstRun();
    // Left by earlier programs or tests: with the registry made anew they belong to no entry.
    for (const std::wstring &name : driver::FilesIn(kThumbnailFolder))
        if (IsSweptThumbnailName(name)) DeleteFileW((std::wstring(kThumbnailFolder) + L"\\" + name).c_str());
    StoreEntry(0, wav);
    StoreEntry(1, avi);
    StoreEntry(2, media + L"clip.mpg");

    driver::Process p = driver::Launch(driver::MireloExePath());
    HWND main = driver::WaitForMainWindow(p, 20000);
    if (!main) return Refuse("the program did not start");
    // A video dropped first loads what the thumbnails need once (tens of MiB), so that the
    // memory measured from the middle of even a short run is what the events add.
    DropFiles(p, main, {media + L"clip.mpg"});
    Held start, end;
    long worst = 0, total = 0;
    int slow = 0, done = 0;
    Figures f;
    const char *last = "";
    bool frozen = false;
    const DWORD started = GetTickCount();
    for (int i = 0; i < actions && !frozen; ++i) {
        last = PostRandomEvent(rng, p, main, f);
        Sleep(DWORD(rng.Below(80)));
        AnswerWhatIsOpen(rng, p.id, f);
        long took = ProbeAnswer(main, i % 2, limit);
        if (took < 0) {
            // Not within the limit: frozen for good, or only slow? (A box may be holding it.)
            ++slow;
            std::printf("stress: no answer within %lu ms after event %d: %s\n", limit, i, last);
            AnswerWhatIsOpen(rng, p.id, f);
            frozen = ProbeAnswer(main, i % 2, 30000) < 0;
            took = long(limit) + 1;
        }
        worst = took > worst ? took : worst;
        total += took;
        done += !frozen;
        // The first media, dialogs and thumbnails load what stays loaded: a leak shows as
        // growth over the second half of the run.
        if (i == actions / 2) start = HeldBy(p);
    }
    // Whatever is still open is closed (Cancel: OK leaves the settings open), then the program
    // must answer within 5 s.
    for (int round = 0; round < 5 && !frozen && !driver::WindowsOf(p.id, L"#32770").empty(); ++round, Sleep(200))
        for (HWND d : driver::WindowsOf(p.id, L"#32770"))
            driver::PressDialogButton(d, GetDlgItem(d, IDCANCEL) || GetDlgItem(d, IDC_SETTINGS_TABS) ? IDCANCEL : IDOK);
    const bool answering = !frozen && ProbeAnswer(main, 0, 5000) >= 0;
    const bool alive = WaitForSingleObject(p.handle, 0) == WAIT_TIMEOUT;
    if (alive) end = HeldBy(p);
    std::printf("stress: seed %u, %d of %d events in %lu s; answer after each: mean %ld ms, worst %ld ms, "
                "%d over %lu ms; %d message boxes, %d dialogs and %d menus closed, %d drops (%d not "
                "delivered); %s\n",
                unsigned(_wtoi(argv[1])), done, actions, (GetTickCount() - started) / 1000,
                done ? total / done : 0, worst, slow, limit, f.boxes, f.dialogs, f.menus, f.drops,
                f.dropFailures, frozen ? "FROZE" : !alive ? "the program ended" : answering ? "answering"
                                                                                          : "NOT ANSWERING");
    if (!alive || frozen) {
        std::printf("stress: last event before the end: %s (process %lu)\n", last, p.id);
        driver::Kill(p);
        return 1;
    }
    PostMessageW(main, WM_COMMAND, ID_END, 0);
    driver::WaitForExit(p, 20000);
    int entries = 0, thumbnails = 0;
    std::vector<std::string> problems = CheckStore(&entries, &thumbnails);
    // Bounds a leak would cross: objects and handles that grow with the events, windows left
    // open, memory that keeps growing.
    if (end.windows > start.windows + 20) problems.push_back("windows left open");
    if (end.gdi > start.gdi + 300 || end.user > start.user + 150) problems.push_back("GUI objects grew");
    if (end.handles > start.handles + 300) problems.push_back("handles grew");
    if (end.memoryKb > start.memoryKb + 32768) problems.push_back("memory grew by 32 MiB");
    std::printf("stress: %d entries stored, %d thumbnails; at half-way / end: windows %ld / %ld, handles "
                "%ld / %ld, memory %ld / %ld KiB, GDI objects %ld / %ld, user objects %ld / %ld (-1: "
                "not counted here)\n",
                entries, thumbnails, start.windows, end.windows, start.handles, end.handles,
                start.memoryKb, end.memoryKb, start.gdi, end.gdi, start.user, end.user);
    for (const std::string &s : problems) std::printf("stress: FAULT %s\n", s.c_str());
    // Answers slower than the limit are counted and shown; what fails the run is a program
    // that stopped answering, ended, or left its lists or thumbnails inconsistent.
    return !answering || !problems.empty() ? 1 : 0;
}
