// Recording from the default wave-input device into one memory buffer, and the WAV writer.
// One take at a time; the take's format is copied from the shared recording format when it
// starts, so later changes to that format never reach the take's file.
#pragma once

#include <windows.h>
#include <mmsystem.h>

enum TakeStart { TakeStarted, TakeBadFormat, TakeNoDevice, TakeNoMemory };

// Opens the input device with the take's format, queues the whole buffer and starts it.
// On failure nothing stays open or allocated and the recorder stays idle.
TakeStart StartTake();

// Stops the device, and returns how many sample bytes the take kept (read before the
// stop). The buffer stays for WriteTake until DiscardTake.
DWORD StopTake();

// Writes the stopped take's first `bytes` bytes to path as a WAV file.
bool WriteTake(const wchar_t *path, DWORD bytes);

// Stops the device if it still runs and frees the buffer; the recorder is idle again.
void DiscardTake();

// Writes a RIFF WAVE file: the format's first 16 bytes, then `bytes` samples. False when the
// file cannot be created or written; a file that could not be written whole is removed.
bool WriteWav(const wchar_t *path, const WAVEFORMATEX &format, const BYTE *samples, DWORD bytes);
