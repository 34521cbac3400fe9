// Reading and writing the program's registry values, with every stored value checked.
#pragma once

#include <windows.h>

#include <string>

#include "services/app_state.h"

// Creates the nine keys (keeping the write handles), then opens the read handles and the
// full-access handles of the list keys. A key that cannot be opened leaves a null handle.
void OpenRegistryKeys(RegistryKeys &keys);
void CloseRegistryKeys(RegistryKeys &keys);
// The same for one key (`k` of kRegKeyPaths), as when the key has been deleted and made anew.
void OpenRegistryKey(RegistryKeys &keys, int k);
void CloseRegistryKey(RegistryKeys &keys, int k);

// Reads a 4-byte REG_DWORD. Any other type or size leaves *value as it was.
bool ReadDwordValue(HKEY key, const wchar_t *name, int32_t *value);

// Reads a REG_SZ into a buffer of `chars` units and always terminates it. A value of another
// type, of an odd size or too long for the buffer leaves the buffer as it was.
bool ReadTextValue(HKEY key, const wchar_t *name, wchar_t *buffer, size_t chars);

// The writers return false when the value could not be stored.
bool WriteDwordValue(HKEY key, const wchar_t *name, int32_t value);

// Writes `text` as a REG_SZ of exactly `storedBytes` bytes: the text, its terminator and
// zeros after it. Text that would not fit is cut so that a terminator always fits.
bool WriteFixedTextValue(HKEY key, const wchar_t *name, const wchar_t *text, DWORD storedBytes);
