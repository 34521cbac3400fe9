// A start-up trace for finding where the time goes: with MIRELO_STARTUP_TRACE set in the
// environment, each step writes "startup: <step> <ms since the process started> ms (+<ms since
// the step before>)" to standard error. Off by default; when off a step costs one test of a
// flag read once.
#pragma once

void TraceStartupStep(const char *step);

// Whether the trace is on (read once from the environment).
bool StartupTraceOn();
