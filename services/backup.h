// Backup of the stock lists, colours, button positions and home page address into a
// "MireloSave" folder, and restore from one. Restore checks the whole backup before it
// changes anything, and applies it so that a failure half way puts everything back.
#pragma once

#include <string>

#include "core/backup_file.h"

enum class SaveOutcome {
    Saved,
    InsideThumbnailFolder,  // the backup would have to copy the thumbnail folder into itself
    FolderNotCreated,       // "MireloSave" could not be made (or is a file)
    IniNotWritten,          // save.ini could not be created or written
    ThumbnailsNotCopied,    // the thumbnail bitmaps could not be copied
};

// Recounts every genre (the counts in memory take the new values), reads the lists, colours,
// positions and address from the registry into memory and writes them, with the thumbnails,
// into `parentFolder`\MireloSave. `*where` receives the folder or file that failed.
SaveOutcome SaveBackup(const std::wstring &parentFolder, std::wstring *where);

enum class RestoreOutcome {
    Restored,
    NotBackupFolder,        // the folder is not named "MireloSave"
    InsideThumbnailFolder,  // the backup lies in the thumbnail folder, which restore replaces
    NoIni,                  // no save.ini in it
    Damaged,                // save.ini failed a check (see `check`)
    NotApplied,             // a write failed half way; everything was put back
};

// Reads and checks `folder`; only a backup that passes every check is applied: the four list
// keys, the colours, the positions and the address in the registry and in memory, the counts,
// and the thumbnail folder. The caller shows the result (list, buttons, colours).
RestoreOutcome RestoreBackup(const std::wstring &folder, BackupCheck *check);

// A restore that ended before it was complete (the program stopped half way) left a copy of
// what it was replacing: put that back. The leftovers of a finished restore are removed.
// Call at start, before the registry keys are opened.
void RecoverInterruptedRestore();

// The hidden folder inside the thumbnail folder where a restore stages the bitmaps.
std::wstring RestoreStagingFolder();
// The registry key holding the copy of the replaced values while a restore runs.
extern const wchar_t kRestoreKeepKey[];

// Called at every point of a restore and of its put-back where the program could stop; tests
// stop there as a crash would.
using RestoreStepHook = void (*)();
void SetRestoreStepHook(RestoreStepHook hook);
