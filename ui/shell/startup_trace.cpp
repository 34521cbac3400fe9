#include "ui/shell/startup_trace.h"

#include <windows.h>

#include <cstdio>

namespace {

enum class Trace { Unknown, Off, On };
Trace g_trace = Trace::Unknown;
ULONGLONG g_last;

// Milliseconds since the process was created, from the system's own record of it.
ULONGLONG SinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME &t) {
        return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(now) - ticks(created)) / 10000;
}

}  // namespace

bool StartupTraceOn() {
    if (g_trace == Trace::Unknown)
        g_trace = GetEnvironmentVariableW(L"MIRELO_STARTUP_TRACE", nullptr, 0) ? Trace::On : Trace::Off;
    return g_trace == Trace::On;
}

void TraceStartupStep(const char *step) {
    if (!StartupTraceOn()) return;
    const ULONGLONG now = SinceProcessStart();
    std::fprintf(stderr, "startup: %-28s %5llu ms (+%llu)\n", step, now, g_last ? now - g_last : now);
    std::fflush(stderr);
    g_last = now;
}
