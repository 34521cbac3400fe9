// Recording from the default wave-input device into one memory buffer, and the WAV writer.
// One take at a time; the take's format is copied from the shared recording format when it
// starts, so later changes to that format never reach the take's file.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "core/wav_file.h"

// The recording format the settings page edits (rate and channels).
WAVEFORMATEX &RecordingFormat();

// Drops any take and puts the format back to where the program starts.
void ResetRecorder();

enum TakeStart { TakeStarted, TakeBadFormat, TakeNoDevice, TakeNoMemory };

// Opens the input device with the take's format, queues one buffer of `bufferBytes` and
// starts it. On failure nothing stays open or allocated and the recorder stays idle.
TakeStart StartTake(DWORD bufferBytes = kCaptureBufferBytes);

// Stops the device, and returns how many sample bytes the device put in the buffer; `full`
// tells that the buffer filled, so the take stopped at its limit. The buffer stays for
// WriteTake until DiscardTake.
DWORD StopTake(bool *full);

// Writes the stopped take's first `bytes` bytes to path as a WAV file.
bool WriteTake(const wchar_t *path, DWORD bytes);

// Stops the device if it still runs and frees the buffer; the recorder is idle again.
void DiscardTake();

// A take was started and is not yet discarded.
bool TakeRunning();
// Idle: no device open and no buffer held.
bool TakeHoldsNothing();
// The input device of the running take (null when none), for tests that make it run short.
HWAVEIN TakeDevice();

// Writes a RIFF WAVE file: the format's first 16 bytes, then `bytes` samples. False when the
// file cannot be written whole; an earlier file at `path` is then left as it was.
bool WriteWav(const wchar_t *path, const WAVEFORMATEX &format, const BYTE *samples, DWORD bytes);
