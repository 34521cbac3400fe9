// Which files the program knows as media: the extension table, the device-type text shown in
// the stock list, and what a path that could not be played may be handed to the shell as.
// Builds natively; the registry and file-system queries live in playback/media_device.cpp.
#pragma once

#include <string>

enum { kMediaExtensionCount = 51 };
// The known extensions in their lower-case form, in the order they are matched. Each is also
// known in its upper-case form, tried right after it.
extern const wchar_t *const kMediaExtensions[kMediaExtensionCount];

extern const wchar_t kUnknownDeviceType[];  // "Non": no extension, or one outside the table
extern const wchar_t kUnmappedDeviceType[]; // "non": a table extension the system maps to nothing

// The text after the last "\" of a path (the whole path when it has none).
std::wstring FileNameOf(const std::wstring &path);

// The table entry the path's extension equals exactly, in its lower- or upper-case form
// ("mp3" or "MP3"; "Mp3" matches nothing). Empty when the file name has no "." or the text
// after its last "." is not in the table.
std::wstring MediaTableEntry(const std::wstring &path);

// The device-type text for a path with a table extension, given the system's device name for
// that extension (empty when the system holds none).
std::wstring DeviceTypeText(const std::wstring &systemDeviceName);

// What a path the media device could not open may be handed to the shell as. Only an existing
// folder is explored and only an existing file with a table extension is opened: a restored
// playlist can hold any path, and opening a program, a script, a shortcut or a file without
// extension would run it.
enum class PathKind { Missing, Folder, File };
enum class ShellVerb { Refuse, Open, Explore };

// A full local or network path with no stream, device or wildcard syntax: "X:\..." or
// "\\server\share\...", and no ":" after the drive.
bool IsPlainFullPath(const std::wstring &path);

ShellVerb ShellHandOffFor(const std::wstring &path, PathKind kind);
// "open", "explore", or null for a refusal.
const wchar_t *ShellVerbText(ShellVerb verb);
