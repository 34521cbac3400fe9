#include "tests/driver/driver.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>

namespace driver {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, wcsrchr(path, L'\\') + 1);
}

std::wstring MireloExePath() { return ProgramFolder() + L"Mirelo.exe"; }

Process Launch(const std::wstring &exe, const std::wstring &arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si{}; si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    Process p;
    if (CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        p = {pi.hProcess, pi.dwProcessId};
    }
    return p;
}

void Kill(Process &process) { WaitForExit(process, 0); }

DWORD WaitForExit(Process &process, DWORD timeoutMs) {
    DWORD code = STILL_ACTIVE;
    if (!process.handle) return code;
    if (WaitForSingleObject(process.handle, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.handle, 99);
        WaitForSingleObject(process.handle, 5000);
    } else {
        GetExitCodeProcess(process.handle, &code);
    }
    CloseHandle(process.handle);
    process.handle = nullptr;
    return code;
}

namespace {
struct Search { DWORD processId; const wchar_t *className; std::vector<HWND> found; };

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    Search *s = reinterpret_cast<Search *>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[256] = L"";
    GetClassNameW(hwnd, cls, 256);
    if (pid == s->processId && lstrcmpiW(cls, s->className) == 0) s->found.push_back(hwnd);
    return TRUE;
}
}  // namespace

std::vector<HWND> WindowsOf(DWORD processId, const wchar_t *className) {
    Search s{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND WaitForWindow(DWORD processId, const wchar_t *className, DWORD timeoutMs,
                   const std::function<bool(HWND)> &fits) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start <= timeoutMs; Sleep(20))
        for (HWND w : WindowsOf(processId, className))
            if (IsWindowVisible(w) && (!fits || fits(w))) return w;
    return nullptr;
}

HWND WaitForMainWindow(Process &process, DWORD timeoutMs) {
    HWND main = WaitForWindow(process.id, L"MWClassName", timeoutMs);
    if (main) WaitForInputIdle(process.handle, timeoutMs);
    // The rest of start-up follows the main window's first paint before any message is taken:
    // once the window answers, the playback and stock windows are there and filled.
    if (main) SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, nullptr);
    return main;
}

std::wstring WindowText(HWND window) {
    wchar_t text[4096] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, LPARAM(text), SMTO_BLOCK, 5000, nullptr);
    return text;
}

std::wstring MessageBoxText(HWND dialog) {
    // A message box shows its text in the static control with the id 0xFFFF.
    HWND text = GetDlgItem(dialog, 0xFFFF);
    return text ? WindowText(text) : std::wstring();
}

void PressDialogButton(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

HWND FileNameBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, 0x47C);
    wchar_t cls[32] = L"";
    if (box) GetClassNameW(box, cls, 32);
    if (box && lstrcmpiW(cls, L"ComboBox") == 0)
        return FindWindowExW(box, nullptr, L"Edit", nullptr);
    return box ? box : GetDlgItem(dialog, 0x480);
}

LRESULT Send(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_BLOCK, 10000, &result);
    return LRESULT(result);
}

bool AnswerFolderBrowser(Process &process, const std::wstring &folder, DWORD timeoutMs) {
    // The browser is the process's dialog with a folder tree.
    HWND browser = WaitForWindow(process.id, L"#32770", timeoutMs, [](HWND w) {
        return FindWindowExW(w, nullptr, L"SysTreeView32", nullptr) != nullptr;
    });
    if (!browser) return false;
    void *remote = nullptr;
    if (folder.empty()) {
        PressDialogButton(browser, IDCANCEL);
    } else {
        // The path must be in the browser's process; the tree fills in after the dialog
        // shows, so the selection is sent once it has items, and again a moment later.
        const SIZE_T bytes = (folder.size() + 1) * sizeof(wchar_t);
        remote = VirtualAllocEx(process.handle, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
        if (!remote) return false;
        WriteProcessMemory(process.handle, remote, folder.c_str(), bytes, nullptr);
        HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
        for (int i = 0; i < 250 && !Send(tree, TVM_GETCOUNT); ++i) Sleep(20);
        for (int i = 0; i < 2; ++i, Sleep(100))
            Send(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote));
        PressDialogButton(browser, IDOK);
    }
    for (int i = 0; i < 250 && IsWindow(browser); ++i) Sleep(20);
    // The memory goes only once the browser has read it.
    if (remote) VirtualFreeEx(process.handle, remote, 0, MEM_RELEASE);
    return !IsWindow(browser);
}

void DeleteProgramRegistry() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Mirelo"); }

bool ReadRegistryValue(const wchar_t *keyPath, const wchar_t *name, DWORD *type, std::vector<BYTE> *data) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key, name, nullptr, type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        data->assign(size, 0);
        rc = RegQueryValueExW(key, name, nullptr, type, data->data(), &size);
        data->resize(size);
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

void WriteRegistryValue(const wchar_t *keyPath, const wchar_t *name, DWORD type,
                        const void *data, DWORD size) {
    RegSetKeyValueW(HKEY_CURRENT_USER, keyPath, name, type, data, size);  // makes the key
}

DWORD ReadRegistryDword(const wchar_t *keyPath, const wchar_t *name, DWORD fallback) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadRegistryValue(keyPath, name, &type, &data) || type != REG_DWORD || data.size() != 4)
        return fallback;
    return *reinterpret_cast<DWORD *>(data.data());
}

std::wstring ReadRegistryText(const wchar_t *keyPath, const wchar_t *name, size_t *bytes) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadRegistryValue(keyPath, name, &type, &data) || type != REG_SZ) return L"-";
    if (bytes) *bytes = data.size();
    data.resize(data.size() + 2, 0);
    return reinterpret_cast<const wchar_t *>(data.data());
}

BoxSeen AnswerBox(DWORD processId, DWORD timeoutMs) {
    HWND box = WaitForWindow(processId, L"#32770", timeoutMs);
    if (!box) return {};
    BoxSeen seen = {MessageBoxText(box)};
    PressDialogButton(box, IDOK);
    // Waits for this box to go before anyone looks for the next one.
    for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
    return seen;
}

BoxAnswerer::BoxAnswerer() { thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr); }

BoxAnswerer::~BoxAnswerer() {
    WaitForSingleObject(thread_, 15000);
    CloseHandle(thread_);
}

DWORD WINAPI BoxAnswerer::Run(void *self) {
    BoxAnswerer *answerer = static_cast<BoxAnswerer *>(self);
    answerer->seen = AnswerBox(GetCurrentProcessId(), 10000);
    InterlockedExchange(&answerer->done_, 1);
    return 0;
}

void CompleteFirstRun(const std::wstring &exe, const std::wstring &arguments) {
    DeleteProgramRegistry();
    Process p = Launch(exe, arguments);
    ASSERT_TRUE(p.handle);
    for (int box = 0; box < 2; ++box)
        ASSERT_FALSE(AnswerBox(p.id).text.empty()) << "set-up message box " << box + 1;
    HWND main = WaitForMainWindow(p, 20000);
    ASSERT_TRUE(main);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForExit(p, 20000), 0u);
}

void PumpMessages(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    } while (GetTickCount() - start < ms);
}

DialogHand::DialogHand(std::function<void(HWND)> hand, const wchar_t *caption, DWORD waitMs)
    : hand_(std::move(hand)), caption_(caption ? caption : L""), waitMs_(waitMs) {
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

DialogHand::~DialogHand() {
    Finish();
    CloseHandle(thread_);
}

bool DialogHand::Finish(DWORD timeoutMs) {
    return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0 ||
           PumpUntil([this] { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

DWORD WINAPI DialogHand::Run(void *self) {
    DialogHand &hand = *static_cast<DialogHand *>(self);
    hand.hand_(WaitForWindow(GetCurrentProcessId(), L"#32770", hand.waitMs_, [&](HWND w) {
        return hand.caption_.empty() || WindowText(w) == hand.caption_;
    }));
    return 0;
}

void TypeFileName(HWND dialog, const std::wstring &name) {
    if (!dialog) return;
    Sleep(300);  // the dialog fills in its controls after it shows
    SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PressDialogButton(dialog, IDOK);
}

bool Exists(const std::wstring &path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteBytes(const std::wstring &path, const std::string &bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return written == bytes.size();
}

std::string ReadBytes(const std::wstring &path) {
    std::string bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
    CloseHandle(f);
    return bytes;
}

std::vector<std::wstring> FilesIn(const std::wstring &folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void DeleteFilesIn(const wchar_t *folder) {
    CreateDirectoryW(folder, nullptr);
    for (const std::wstring &name : FilesIn(folder))
        DeleteFileW((std::wstring(folder) + L"\\" + name).c_str());
}

std::wstring ForCheck(const wchar_t *folder, const std::wstring &name) {
    const std::wstring path = ProgramFolder() + folder;
    CreateDirectoryW(path.c_str(), nullptr);
    DeleteFileW((path + L"\\" + name).c_str());
    return path + L"\\" + name;
}

DWORD ValueCount(const wchar_t *keyPath) {
    HKEY key;
    DWORD values = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return values;
}

}  // namespace driver
