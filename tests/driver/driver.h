// A small driver that uses the real program from outside, as a person would: it starts the
// program, finds its windows, reads and answers its message boxes, sends it clicks and
// commands, and reads back what it left in the registry.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

// Folder of the running test program (Mirelo.exe is built beside it).
std::wstring ProgramFolder();
std::wstring MireloExePath();

struct Process { HANDLE handle = nullptr; DWORD id = 0; };

// Starts exe with the given arguments (appended after the quoted exe path).
Process Launch(const std::wstring &exe, const std::wstring &arguments = L"");
// Waits for the process to end; returns its exit code, or STILL_ACTIVE after a time-out
// (the process is then killed so no test leaves it behind).
DWORD WaitForExit(Process &process, DWORD timeoutMs);
void Kill(Process &process);

// Top-level windows of a process with the given class ("#32770" for dialogs).
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t *className);
// Waits until such a window exists and is visible (and `fits` it, when given); null on time-out.
HWND WaitForWindow(DWORD processId, const wchar_t *className, DWORD timeoutMs,
                   const std::function<bool(HWND)> &fits = nullptr);
// Waits for the main window and for the program to be idle in its message loop.
HWND WaitForMainWindow(Process &process, DWORD timeoutMs);

std::wstring WindowText(HWND window);
// The text of a message box: its static control's text.
std::wstring MessageBoxText(HWND dialog);
// Presses a dialog's button with the given id, as a click would.
void PressDialogButton(HWND dialog, int buttonId);
// The file name box of an open or save dialog.
HWND FileNameBox(HWND dialog);

struct BoxSeen { std::wstring text; };
// Waits for a message box of the process, presses its OK button and waits for it to go;
// empty texts when none appeared.
BoxSeen AnswerBox(DWORD processId, DWORD timeoutMs = 20000);

// Answers the first message box of this process from another thread, while this thread
// goes on (and pumps the messages the box needs).
class BoxAnswerer {
  public:
    BoxAnswerer();
    ~BoxAnswerer();
    bool Seen() const { return done_ != 0; }
    BoxSeen seen;

  private:
    HANDLE thread_;
    static DWORD WINAPI Run(void *self);
    volatile LONG done_ = 0;
};

// Answers the process's folder browser: selects `folder` and presses OK, or cancels it when
// `folder` is empty. Returns once the browser is gone; false when none appeared.
bool AnswerFolderBrowser(Process &process, const std::wstring &folder, DWORD timeoutMs = 20000);

// Sends to a window of another process and waits for it to be handled.
LRESULT Send(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

// Registry helpers for checking what the program wrote.
void DeleteProgramRegistry();
bool ReadRegistryValue(const wchar_t *keyPath, const wchar_t *name, DWORD *type, std::vector<BYTE> *data);
void WriteRegistryValue(const wchar_t *keyPath, const wchar_t *name, DWORD type,
                        const void *data, DWORD size);
DWORD ReadRegistryDword(const wchar_t *keyPath, const wchar_t *name, DWORD fallback);
// A text value up to its first NUL, "-" when there is none; `bytes` (when given) gets the
// stored size.
std::wstring ReadRegistryText(const wchar_t *keyPath, const wchar_t *name, size_t *bytes = nullptr);

// Runs the program's first start to its end: answers both set-up boxes, closes the main
// window. Leaves a registry in which the next start is a normal one.
void CompleteFirstRun(const std::wstring &exe = MireloExePath(), const std::wstring &arguments = L"");

// Pumps this thread's messages for the given time (for in-process window tests).
void PumpMessages(DWORD ms);

// Pumps this thread's messages until done() holds; false when the time runs out first.
template <class Done> bool PumpUntil(Done done, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
        PumpMessages(10);
        if (done()) return true;
    }
    return false;
}

// Works the next dialog of this process from a thread of its own (the dialog's modal loop
// runs on this one): `hand` gets the dialog once it shows, or null after `waitMs`. With a
// caption, only a dialog of that caption counts. Finish pumps this thread's messages until
// the hand is done; the destructor finishes too.
class DialogHand {
  public:
    explicit DialogHand(std::function<void(HWND)> hand, const wchar_t *caption = nullptr,
                        DWORD waitMs = 15000);
    ~DialogHand();
    bool Finish(DWORD timeoutMs = 30000);

  private:
    static DWORD WINAPI Run(void *self);
    std::function<void(HWND)> hand_;
    std::wstring caption_;
    DWORD waitMs_;
    HANDLE thread_;
};

// Types a name into an open or save dialog's file name box and presses OK.
void TypeFileName(HWND dialog, const std::wstring &name);

// Files, as the tests set them up and read back what the program wrote.
bool Exists(const std::wstring &path);
bool WriteBytes(const std::wstring &path, const std::string &bytes);
std::string ReadBytes(const std::wstring &path);  // empty when there is no file
// The names of a folder's files (not its folders).
std::vector<std::wstring> FilesIn(const std::wstring &folder);
// Deletes a folder's files, making the folder when it is missing.
void DeleteFilesIn(const wchar_t *folder);
// A path in the test program's folder for a file other tools read back after the tests;
// an older file of that name is removed.
std::wstring ForCheck(const wchar_t *folder, const std::wstring &name);
// How many values a key under HKEY_CURRENT_USER holds; 0 when there is no such key.
DWORD ValueCount(const wchar_t *keyPath);

}  // namespace driver
