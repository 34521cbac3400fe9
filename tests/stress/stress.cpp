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
#include <cstdlib>
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

const wchar_t kDate[] = L"Software\\Mirelo\\Setting\\date";
const wchar_t *const kListKeys[4] = {
    L"Software\\Mirelo\\Setting\\FileTitle", L"Software\\Mirelo\\Setting\\FileTime",
    L"Software\\Mirelo\\Setting\\FileTipe", L"Software\\Mirelo\\Setting\\FilePath"};
const wchar_t kCapFolder[] = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Cap";
enum { kGenres = 22, kButtonEnd = 7, kButtonHomePage = 15, kButtonSettings = 21 };

void StoreEntry(int index, const std::wstring &path) {
    const std::wstring name = L"Stock" + std::to_wstring(index);
    const std::wstring texts[4] = {path.substr(path.rfind(L'\\') + 1), L" 1 秒", L"MPEGVideo", path};
    for (int k = 0; k < 4; ++k) {
        std::vector<wchar_t> value(500, 0);
        lstrcpynW(value.data(), texts[k].c_str(), 500);
        driver::WriteRegistryValue(kListKeys[k], name.c_str(), REG_SZ, value.data(), 1000);
    }
}

struct Random {
    unsigned state;
    int Below(int n) {
        state = state * 1103515245u + 12345u;
        return int((state >> 8) % unsigned(n));
    }
};

// The genre and index a stored name stands for: "<prefix><n><suffix>" with no number before
// the prefix for genre 0 and 2..22 for genres 1..21. False for any other name.
bool ParseStockName(const std::wstring &name, const wchar_t *marker, const wchar_t *suffix,
                    int *genre, int *index) {
    const size_t at = name.find(marker);
    if (at == std::wstring::npos) return false;
    const std::wstring before = name.substr(0, at);
    std::wstring digits = name.substr(at + wcslen(marker));
    const size_t tail = wcslen(suffix);
    if (digits.size() <= tail || _wcsicmp(digits.c_str() + digits.size() - tail, suffix) != 0)
        return false;
    digits.resize(digits.size() - tail);
    if (digits.empty() || digits.find_first_not_of(L"0123456789") != std::wstring::npos ||
        (before.size() && before.find_first_not_of(L"0123456789") != std::wstring::npos))
        return false;
    const int g = before.empty() ? 0 : _wtoi(before.c_str()) - 1;
    if (g < 0 || g >= kGenres || (before.size() && g == 0)) return false;
    *genre = g;
    *index = _wtoi(digits.c_str());
    return true;
}

// Every genre's entries, checked in the four list keys: the indices stored under each key are
// 0 .. n-1 with the same n under all four, and every title among them is non-empty (the
// program counts a genre up to its first empty title). Returns the problems found.
std::vector<std::string> CheckDenseLists(int counts[kGenres]) {
    std::vector<std::string> problems;
    std::set<int> indices[4][kGenres];
    std::map<int, std::wstring> titles[kGenres];
    for (int k = 0; k < 4; ++k) {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kListKeys[k], 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLength = 256, type = 0;
            BYTE data[2048];
            DWORD size = sizeof data;
            const LONG rc = RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size);
            if (rc == ERROR_NO_MORE_ITEMS) break;
            int genre, index;
            if (rc != ERROR_SUCCESS || !ParseStockName(name, L"Stock", L"", &genre, &index))
                continue;
            indices[k][genre].insert(index);
            if (k == 0 && type == REG_SZ)
                titles[genre][index] = std::wstring(reinterpret_cast<wchar_t *>(data),
                                                    wcsnlen(reinterpret_cast<wchar_t *>(data), size / 2));
        }
        RegCloseKey(key);
    }
    for (int g = 0; g < kGenres; ++g) {
        const int n = int(indices[0][g].size());
        counts[g] = n;
        for (int k = 0; k < 4; ++k) {
            const std::set<int> &s = indices[k][g];
            if (int(s.size()) != n || (n && (*s.begin() != 0 || *s.rbegin() != n - 1)))
                problems.push_back("genre " + std::to_string(g) + ": not dense under key " +
                                   std::to_string(k));
        }
        for (int i = 0; i < n; ++i)
            if (titles[g][i].empty())
                problems.push_back("genre " + std::to_string(g) + ": empty title at " + std::to_string(i));
    }
    return problems;
}

// Calls `each` with the name, genre and index of every file in the thumbnail folder that
// has a thumbnail's name.
template <class Each> void ForEachThumbnail(Each each) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((std::wstring(kCapFolder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        int genre, index;
        if (ParseStockName(found.cFileName, L"No[", L"].bmp", &genre, &index))
            each(std::wstring(kCapFolder) + L"\\" + found.cFileName, genre, index);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Windows of the process: its top-level windows and all their descendants, the visible ones
// only or all of them.
struct WindowList {
    DWORD pid;
    bool visibleOnly;
    std::vector<HWND> all;
};
BOOL CALLBACK AddChild(HWND hwnd, LPARAM list) {
    WindowList *l = reinterpret_cast<WindowList *>(list);
    if (!l->visibleOnly || IsWindowVisible(hwnd)) l->all.push_back(hwnd);
    return TRUE;
}
BOOL CALLBACK AddTopLevel(HWND hwnd, LPARAM list) {
    WindowList *l = reinterpret_cast<WindowList *>(list);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != l->pid) return TRUE;
    AddChild(hwnd, list);
    EnumChildWindows(hwnd, AddChild, list);
    return TRUE;
}
std::vector<HWND> WindowsOfProcess(DWORD pid, bool visibleOnly = true) {
    WindowList list{pid, visibleOnly, {}};
    EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(&list));
    return list.all;
}

HWND ChildOfClass(HWND parent, const wchar_t *className) {
    return parent ? FindWindowExW(parent, nullptr, className, nullptr) : nullptr;
}

// A window a click may land on: not the End or home page buttons of the main window (they end
// the program and start a browser) and not the settings dialog's address test button.
bool Clickable(HWND w, HWND main) {
    const int id = GetDlgCtrlID(w);
    if (GetParent(w) == main && (id == kButtonEnd || id == kButtonHomePage)) return false;
    if (id == IDC_URL_TEST) return false;
    return true;
}

LPARAM RandomPoint(Random &rng, HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return MAKELPARAM(rng.Below(r.right > 0 ? r.right : 1), rng.Below(r.bottom > 0 ? r.bottom : 1));
}

// A drop as the shell delivers one, made in the program's own memory: a DROPFILES block
// written there, the message sent, the block freed once the program has handled it (the
// program's own release of the handle fails quietly on memory it did not allocate).
bool DropFiles(const driver::Process &p, HWND target, const std::vector<std::wstring> &paths) {
    std::vector<BYTE> block(sizeof(DROPFILES));
    DROPFILES *header = reinterpret_cast<DROPFILES *>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    for (const std::wstring &path : paths) {
        const BYTE *b = reinterpret_cast<const BYTE *>(path.c_str());
        block.insert(block.end(), b, b + (path.size() + 1) * sizeof(wchar_t));
    }
    block.insert(block.end(), 2, 0);
    void *remote = VirtualAllocEx(p.handle, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    if (!remote) return false;
    bool sent = false;
    if (WriteProcessMemory(p.handle, remote, block.data(), block.size(), nullptr)) {
        DWORD_PTR result = 0;
        sent = SendMessageTimeoutW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0,
                                   SMTO_NORMAL, 60000, &result) != 0;
    }
    if (sent) VirtualFreeEx(p.handle, remote, 0, MEM_RELEASE);
    return sent;
}

struct Figures {
    int events = 0, boxes = 0, dialogs = 0, menus = 0, drops = 0, dropFailures = 0;
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

void PostKey(HWND w, UINT key) {
    PostMessageW(w, WM_KEYDOWN, key, 1);
    PostMessageW(w, WM_KEYUP, key, 0xC0000001);
}

// An accelerator pressed as the keyboard presses it, with the program's window in front.
void PressAccelerator(Random &rng, HWND main) {
    static const struct {
        BYTE modifier, key;
    } kKeys[] = {{VK_CONTROL, 'M'}, {VK_CONTROL, 'T'}, {VK_CONTROL, 'B'}, {VK_MENU, 'B'},
                 {VK_MENU, 'T'},    {VK_SHIFT, 'B'},   {VK_SHIFT, 'T'},   {VK_SHIFT, 'R'},
                 {VK_MENU, 'C'},    {VK_CONTROL, 'L'}, {VK_MENU, 'L'},    {VK_SHIFT, 'M'},
                 {VK_MENU, 'A'},    {VK_MENU, 'O'},    {VK_MENU, 'P'},    {VK_MENU, 'I'},
                 {VK_MENU, 'R'},    {VK_MENU, 'X'},    {VK_CONTROL, 'R'}, {VK_MENU, 'K'},
                 {VK_MENU, 'M'},    {VK_SHIFT, 'F'}};
    const auto &k = kKeys[rng.Below(int(sizeof kKeys / sizeof kKeys[0]))];
    SetForegroundWindow(main);
    keybd_event(k.modifier, 0, 0, 0);
    keybd_event(k.key, 0, 0, 0);
    keybd_event(k.key, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(k.modifier, 0, KEYEVENTF_KEYUP, 0);
}

// Posts one random event to the program's windows.
const char *PostRandomEvent(Random &rng, const driver::Process &p, HWND main, Figures &f) {
    static const struct {
        const char *name;
        int weight;
        UINT command;
    } kCommands[] = {
        {"play", 8, ID_PLAY}, {"stop", 6, ID_STOP}, {"pause", 6, ID_PAUSE}, {"next", 6, ID_NEXT},
        {"previous", 5, ID_PREVIOUS}, {"repeat", 3, ID_REPEAT}, {"continuous", 3, ID_CONTINUOUS},
        {"full", 1, ID_FULL}, {"right window", 1, ID_RIGHT_WINDOW},
        {"left window", 1, ID_LEFT_WINDOW}, {"magnify", 1, ID_ZOOM_200},
        {"original size", 1, ID_ZOOM_ORIGINAL}, {"seek", 6, 0},
        // The monkey's own events (commands 1..10 stand for them).
        {"menu command", 6, 1}, {"accelerator", 3, 2}, {"click", 10, 3}, {"drag", 3, 4},
        {"right click", 2, 5}, {"drop", 3, 6}, {"genre", 3, 7}, {"stock delete", 2, 8},
        {"settings", 1, 9}, {"tray icon", 2, 10},
    };
    static const UINT kMenuCommands[] = {
        ID_ZOOM_200, 32932, 32936, ID_ZOOM_2000, ID_ZOOM_3000, ID_ZOOM_ORIGINAL, ID_PLAY,
        ID_STOP, ID_PAUSE, ID_NEXT, ID_PREVIOUS, ID_RECORD, ID_REPEAT, ID_CONTINUOUS,
        ID_LIST_ERASE, ID_MUTE, ID_TRAY_OPEN, ID_TRAY_CLOSE, ID_MAIN_TO_TRAY, ID_MAIN_TO_BAR,
        ID_RIGHT_WINDOW, ID_LEFT_WINDOW, ID_LEFT_WINDOW_2, ID_PLAY_TO_TRAY, ID_PLAY_TO_BAR,
        ID_FULL, ID_ALL_TO_TRAY, ID_SKIN_CUTE, ID_SKIN_COOL, ID_SKIN_USER, ID_BACKUP_SAVE,
        ID_BACKUP_RESTORE, ID_STOCK_TO_TRAY, ID_STOCK_TO_BAR, ID_FILE, ID_UNUSED_SHIFT_R,
        ID_UNUSED_ALT_K, ID_DRIVE_FIRST + 2, ID_DRIVE_FIRST + 25};
    int total = 0;
    for (const auto &c : kCommands) total += c.weight;
    int pick = rng.Below(total);
    const auto *chosen = &kCommands[0];
    for (const auto &c : kCommands) {
        if (pick < c.weight) {
            chosen = &c;
            break;
        }
        pick -= c.weight;
    }
    HWND play = FindWindowExW(nullptr, nullptr, L"PWClassName", nullptr);
    HWND stock = ChildOfClass(play, L"LWClassName");
    const std::vector<HWND> windows = WindowsOfProcess(p.id);
    HWND any = windows.empty() ? main : windows[size_t(rng.Below(int(windows.size())))];
    switch (chosen->command) {
    case 0: {
        static const int kCodes[] = {SB_THUMBTRACK, SB_LINELEFT, SB_LINERIGHT, SB_LEFT};
        const int code = kCodes[rng.Below(4)];
        PostMessageW(main, WM_HSCROLL, MAKEWPARAM(code, rng.Below(3)), 0);
        break;
    }
    case 1: {
        // The main window's menu, or the playback window's (its tray items act on itself).
        const UINT command = kMenuCommands[rng.Below(int(sizeof kMenuCommands / sizeof(UINT)))];
        PostMessageW(play && rng.Below(4) == 0 ? play : main, WM_COMMAND, command, 0);
        break;
    }
    case 2:
        PressAccelerator(rng, main);
        break;
    case 3:
    case 4:
    case 5: {
        if (!Clickable(any, main)) break;
        const LPARAM at = RandomPoint(rng, any);
        if (chosen->command == 5) {
            PostMessageW(any, WM_RBUTTONDOWN, MK_RBUTTON, at);
            PostMessageW(any, WM_RBUTTONUP, 0, at);
            break;
        }
        PostMessageW(any, WM_LBUTTONDOWN, MK_LBUTTON, at);
        if (chosen->command == 4)
            for (int i = 0; i < 3; ++i)
                PostMessageW(any, WM_MOUSEMOVE, MK_LBUTTON,
                             MAKELPARAM(LOWORD(at) + 8 * (i + 1), HIWORD(at) + 5 * (i + 1)));
        PostMessageW(any, WM_LBUTTONUP, 0, at);
        break;
    }
    case 6: {
        std::vector<std::wstring> paths;
        const int n = 1 + rng.Below(3);
        for (int i = 0; i < n; ++i)
            paths.push_back(g_dropChoices[size_t(rng.Below(int(g_dropChoices.size())))]);
        ++f.drops;
        if (!DropFiles(p, main, paths)) ++f.dropFailures;
        break;
    }
    case 7:
        if (stock) {
            const int genre = rng.Below(kGenres);
            const UINT command = genre < 10 ? ID_STOCK_GENRE_0 + genre
                                 : genre == 10 ? ID_STOCK_GENRE_10
                                               : ID_STOCK_GENRE_11 + genre - 11;
            PostMessageW(stock, WM_COMMAND, command, 0);
        }
        break;
    case 8:
        // A row of the list chosen with a click, then the menu's delete.
        if (HWND list = ChildOfClass(stock, L"SysListView32")) {
            const LPARAM at = MAKELPARAM(40, 8 + 18 * rng.Below(5));
            PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageW(list, WM_LBUTTONUP, 0, at);
            PostMessageW(stock, WM_COMMAND, ID_STOCK_DELETE, 0);
        }
        break;
    case 9:
        if (HWND button = GetDlgItem(main, kButtonSettings)) {
            PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        }
        break;
    case 10: {
        // A notification-area icon: a double click brings its window back, a right click
        // opens the pop-up menu.
        static const UINT kIcons[] = {WM_TRAY_MAIN, WM_TRAY_PLAY, WM_TRAY_STOCK};
        const UINT icon = kIcons[rng.Below(3)];
        HWND owner = icon == WM_TRAY_MAIN ? main : icon == WM_TRAY_PLAY ? play : stock;
        if (owner)
            PostMessageW(owner, icon, icon == WM_TRAY_MAIN ? IDI_TRAY_MAIN
                                      : icon == WM_TRAY_PLAY ? IDI_TRAY_PLAY : IDI_TRAY_STOCK,
                         rng.Below(3) ? WM_LBUTTONDBLCLK : WM_RBUTTONDOWN);
        break;
    }
    default:
        PostMessageW(main, WM_COMMAND, chosen->command, 0);
    }
    return chosen->name;
}

// Closes open menus, answers message boxes (any of their buttons), cancels the file dialog,
// and now and then sends the settings dialog OK (Enter) or Cancel (Esc, which closes it).
void AnswerWhatIsOpen(Random &rng, DWORD pid, Figures &f) {
    for (HWND menu : driver::WindowsOf(pid, L"#32768")) {
        if (!IsWindowVisible(menu)) continue;
        PostKey(menu, VK_ESCAPE);
        ++f.menus;
    }
    for (HWND dialog : driver::WindowsOf(pid, L"#32770")) {
        if (!IsWindowVisible(dialog)) continue;
        if (GetDlgItem(dialog, 0xFFFF)) {
            static const int kAnswers[] = {IDOK, IDCANCEL, IDYES, IDNO};
            int answer = kAnswers[rng.Below(4)];
            if (!GetDlgItem(dialog, answer)) answer = GetDlgItem(dialog, IDOK) ? IDOK : IDCANCEL;
            driver::PressDialogButton(dialog, answer);
            ++f.boxes;
        } else if (GetDlgItem(dialog, IDC_SETTINGS_TABS)) {
            if (rng.Below(4) == 0) {
                driver::PressDialogButton(dialog, rng.Below(2) ? IDOK : IDCANCEL);
                ++f.dialogs;
            }
        } else {
            driver::PressDialogButton(dialog, IDCANCEL);
            ++f.dialogs;
        }
    }
}

// Posts a skin change and waits until the program has stored it: its message loop took a
// message from its queue. Returns the milliseconds it took, or -1 after `limitMs`.
long ProbeAnswer(HWND main, int skin, DWORD limitMs) {
    const DWORD start = GetTickCount();
    PostMessageW(main, WM_COMMAND, skin ? ID_SKIN_COOL : ID_SKIN_CUTE, 0);
    for (;;) {
        if (driver::ReadRegistryDword(kDate, L"Skin", 9) == DWORD(skin))
            return long(GetTickCount() - start);
        if (GetTickCount() - start > limitMs) return -1;
        Sleep(5);
    }
}

// What the process holds: its GDI and user objects where the platform counts them (-1 where
// it does not), its handles, its windows and its committed memory in KiB.
struct Held {
    long gdi = -1, user = -1, handles = 0, windows = 0, memoryKb = 0;
};

Held HeldBy(const driver::Process &p) {
    Held h;
    SetLastError(0);
    const DWORD g = GetGuiResources(p.handle, GR_GDIOBJECTS);
    const DWORD u = GetGuiResources(p.handle, GR_USEROBJECTS);
    if (g || u || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        h.gdi = long(g);
        h.user = long(u);
    }
    DWORD handles = 0;
    if (GetProcessHandleCount(p.handle, &handles)) h.handles = long(handles);
    h.windows = long(WindowsOfProcess(p.id, false).size());
    PROCESS_MEMORY_COUNTERS memory = {};
    if (GetProcessMemoryInfo(p.handle, &memory, sizeof memory))
        h.memoryKb = long(memory.PagefileUsage / 1024);
    return h;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: stress <seed> <actions> <media folder> [limit ms]\n");
        return 2;
    }
    Random rng{unsigned(_wtoi(argv[1]))};
    const int actions = _wtoi(argv[2]);
    std::wstring media = argv[3];
    if (media.back() != L'\\') media += L'\\';
    const DWORD limit = argc > 4 ? DWORD(_wtoi(argv[4])) : 2000;

    // Three short entries of every kind: each ends within seconds.
    const std::wstring wav = media + L"stress.wav", avi = media + L"stress.avi";
    if (!driver::WriteWav(wav, 1200) || !driver::WriteAvi(avi, 15)) {
        std::fprintf(stderr, "cannot write the media files\n");
        return 2;
    }
    MakeDropChoices(media);
    driver::CompleteFirstRun();
    // Left by earlier programs or tests: with the registry made anew they belong to no entry.
    ForEachThumbnail([](const std::wstring &path, int, int) { DeleteFileW(path.c_str()); });
    StoreEntry(0, wav);
    StoreEntry(1, avi);
    StoreEntry(2, media + L"clip.mpg");

    driver::Process p = driver::Launch(driver::MireloExePath());
    HWND main = driver::WaitForMainWindow(p, 20000);
    if (!main) {
        std::fprintf(stderr, "the program did not start\n");
        return 2;
    }
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
    for (int i = 0; i < actions; ++i) {
        last = PostRandomEvent(rng, p, main, f);
        Sleep(DWORD(rng.Below(80)));
        AnswerWhatIsOpen(rng, p.id, f);
        const long took = ProbeAnswer(main, i % 2, limit);
        if (took < 0) {
            // Not within the limit: frozen for good, or only slow? (A box may be holding it.)
            ++slow;
            AnswerWhatIsOpen(rng, p.id, f);
            if (ProbeAnswer(main, i % 2, 30000) < 0) {
                frozen = true;
                break;
            }
            worst = long(limit) + 1;
        } else {
            worst = took > worst ? took : worst;
            total += took;
        }
        ++done;
        // The first media, dialogs and thumbnails load what stays loaded: a leak shows as
        // growth over the second half of the run.
        if (i == actions / 2) start = HeldBy(p);
    }
    // Whatever is still open is closed, then the program must answer within 5 s.
    for (int round = 0; round < 5 && !frozen; ++round, Sleep(200)) {
        const std::vector<HWND> open = driver::WindowsOf(p.id, L"#32770");
        if (open.empty()) break;
        for (HWND d : open)
            driver::PressDialogButton(d, GetDlgItem(d, IDCANCEL) || GetDlgItem(d, IDC_SETTINGS_TABS)
                                             ? IDCANCEL  // OK (Enter) leaves the settings open
                                             : IDOK);
    }
    const bool answering = !frozen && ProbeAnswer(main, 0, 5000) >= 0;
    const bool alive = WaitForSingleObject(p.handle, 0) == WAIT_TIMEOUT;
    if (alive) end = HeldBy(p);
    std::printf("stress: seed %u, %d of %d events in %lu s; answer after each: mean %ld ms, "
                "worst %ld ms, %d over %lu ms; %d message boxes, %d dialogs and %d menus "
                "closed, %d drops (%d not delivered); %s\n",
                unsigned(_wtoi(argv[1])), done, actions, (GetTickCount() - started) / 1000,
                done ? total / done : 0, worst, slow, limit, f.boxes, f.dialogs, f.menus,
                f.drops, f.dropFailures,
                frozen ? "FROZE" : !alive ? "the program ended" : answering ? "answering"
                                                                             : "NOT ANSWERING");
    std::vector<std::string> problems;
    if (alive && !frozen) {
        PostMessageW(main, WM_COMMAND, ID_END, 0);
        driver::WaitForExit(p, 20000);
        int counts[kGenres] = {};
        problems = CheckDenseLists(counts);
        int thumbnails = 0;
        ForEachThumbnail([&](const std::wstring &path, int genre, int index) {
            ++thumbnails;
            if (index >= counts[genre])
                problems.push_back("thumbnail of no entry: " + std::string(path.begin(), path.end()));
        });
        int entries = 0;
        for (int c : counts) entries += c;
        // Bounds a leak would cross: objects and handles that grow with the events, windows left
        // open, memory that keeps growing.
        if (end.windows > start.windows + 20) problems.push_back("windows left open");
        if (end.gdi > start.gdi + 300 || end.user > start.user + 150)
            problems.push_back("GUI objects grew");
        if (end.handles > start.handles + 300) problems.push_back("handles grew");
        if (end.memoryKb > start.memoryKb + 32768) problems.push_back("memory grew by 32 MiB");
        std::printf("stress: %d entries stored, %d thumbnails; at half-way / end: windows %ld / "
                    "%ld, handles %ld / %ld, memory %ld / %ld KiB, GDI objects %ld / %ld, user "
                    "objects %ld / %ld (-1: not counted here)\n",
                    entries, thumbnails, start.windows, end.windows, start.handles, end.handles,
                    start.memoryKb, end.memoryKb, start.gdi, end.gdi, start.user, end.user);
        for (const std::string &s : problems) std::printf("stress: FAULT %s\n", s.c_str());
    } else {
        std::printf("stress: last event before the end: %s (process %lu)\n", last, p.id);
        driver::Kill(p);
    }
    // Answers slower than the limit are counted and shown; what fails the run is a program
    // that stopped answering, ended, or left its lists or thumbnails inconsistent.
    return frozen || !alive || !answering || !problems.empty() ? 1 : 0;
}
