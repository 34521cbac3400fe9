// Loading the settings at start, and the first run's defaults.
#pragma once

#include "services/app_state.h"

// Fills rec from the registry in the program's load order; a value that is missing or not
// of the right type and size keeps what rec held. A stored skin outside 0..2 is used as 0.
void LoadSettings(const RegistryKeys &keys, SettingsRecord &rec);

// True when the first-run marker holds exactly "YES".
bool FirstRunDone(const RegistryKeys &keys);

// Writes the marker, then Capture, CapWidth, CapHight, Skin and the 22 genre names from rec.
void WriteFirstRunDefaults(const RegistryKeys &keys, SettingsRecord &rec);

// Writes one row of the settings table with its stored type and size.
void WriteSettingRow(const RegistryKeys &keys, const SettingRow &row);

// Writes the skin value (a 4-byte DWORD in the date key) and keeps it in g_app.
void WriteSkin(int skin);

// Writes the one setting of g_app.settings that lives at `field` (a number, or a text
// buffer such as a genre name) with its stored name, type and size.
void StoreSetting(const void *field);

// Writes every colour, button position, text position and the home page address, in the
// order they are loaded.
void StoreSkinSettings();
