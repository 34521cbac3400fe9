// A small driver that uses the real program from outside, as a person would: it starts the
// program, finds its windows, reads and answers its message boxes, sends it clicks and
// commands, and reads back what it left in the registry.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace driver {

// Folder of the running test program (Mirelo.exe is built beside it).
std::wstring ProgramFolder();
std::wstring MireloExePath();

struct Process {
    HANDLE handle = nullptr;
    DWORD id = 0;
};

// Starts exe with the given arguments (appended after the quoted exe path).
Process Launch(const std::wstring &exe, const std::wstring &arguments = L"");
// Waits for the process to end; returns its exit code, or STILL_ACTIVE after a time-out
// (the process is then killed so no test leaves it behind).
DWORD WaitForExit(Process &process, DWORD timeoutMs);
void Kill(Process &process);

// Top-level windows of a process with the given class ("#32770" for dialogs).
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t *className);
// Waits until such a window exists and is visible; null on time-out.
HWND WaitForWindow(DWORD processId, const wchar_t *className, DWORD timeoutMs);
// Waits for the main window and for the program to be idle in its message loop.
HWND WaitForMainWindow(Process &process, DWORD timeoutMs);

std::wstring WindowText(HWND window);
// The text of a message box: its static control's text.
std::wstring MessageBoxText(HWND dialog);
// Presses a dialog's button with the given id, as a click would.
void PressDialogButton(HWND dialog, int buttonId);
// The file name box of an open or save dialog.
HWND FileNameBox(HWND dialog);

struct BoxSeen {
    std::wstring text, caption;
};
// Waits for a message box of the process, presses its OK button and waits for it to go;
// empty texts when none appeared.
BoxSeen AnswerBox(DWORD processId, DWORD timeoutMs = 20000);

// Answers the first message box of this process from another thread, while this thread
// goes on (and pumps the messages the box needs).
class BoxAnswerer {
  public:
    BoxAnswerer();
    ~BoxAnswerer();
    bool Seen() const;
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
bool ReadRegistryValue(const wchar_t *keyPath, const wchar_t *name, DWORD *type,
                       std::vector<BYTE> *data);
void WriteRegistryValue(const wchar_t *keyPath, const wchar_t *name, DWORD type,
                        const void *data, DWORD size);
DWORD ReadRegistryDword(const wchar_t *keyPath, const wchar_t *name, DWORD fallback);

// Runs the program's first start to its end: answers both set-up boxes, closes the main
// window. Leaves a registry in which the next start is a normal one.
void CompleteFirstRun(const std::wstring &exe = MireloExePath());

// Pumps this thread's messages for the given time (for in-process window tests).
void PumpMessages(DWORD ms);

}  // namespace driver
