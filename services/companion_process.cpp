#include "services/companion_process.h"

namespace {

struct Watch {
    HANDLE program;
    UINT exitCode;
};

DWORD WINAPI WaitForProgram(void *param) {
    const Watch watch = *static_cast<Watch *>(param);
    delete static_cast<Watch *>(param);
    WaitForSingleObject(watch.program, INFINITE);
    TerminateProcess(GetCurrentProcess(), watch.exitCode);
    return 0;
}

}  // namespace

bool EndWithProgram(DWORD programId, UINT exitCode) {
    HANDLE program = OpenProcess(SYNCHRONIZE, FALSE, programId);
    if (!program) return false;
    Watch *watch = new Watch{program, exitCode};
    HANDLE thread = CreateThread(nullptr, 0, WaitForProgram, watch, 0, nullptr);
    if (!thread) {
        delete watch;
        CloseHandle(program);
        return false;
    }
    CloseHandle(thread);
    return true;
}
