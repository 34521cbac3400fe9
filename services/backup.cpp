#include "services/backup.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <unordered_set>
#include <vector>

#include "core/button_table.h"
#include "core/reg_value.h"
#include "core/settings_table.h"
#include "core/stock_names.h"
#include "services/app_state.h"
#include "services/registry.h"
#include "services/stock_store.h"

const wchar_t kRestoreKeepKey[] = L"Software\\Mirelo\\RestoreKeep";

namespace {

// Written last into the kept copy: only a complete copy is ever put back.
const wchar_t kKeepComplete[] = L"Complete";
// save.ini is written under this name first and takes its place when it is complete; the
// leading dot keeps it out of every copy, should it be left behind.
const wchar_t kIniDraftName[] = L".save.ini.new";
const wchar_t kUrlValue[] = L"URL";
// The INI reader's answer for a missing key: no text that passes the checks can equal it.
const wchar_t kMissingMark[] = L"\x01";
enum { kFolderDepthLimit = 16 };

// The keys a restore replaces, in the order they are kept and put back.
const int kReplacedKeys[] = {KeyFileTitle, KeyFileTime, KeyFileTipe, KeyFilePath, KeyFilePos,
                             KeyDate};
// The list keys go in this order, and come back in the order of the fields.
const int kListDeleteOrder[] = {KeyFileTitle, KeyFilePath, KeyFileTime, KeyFileTipe};

std::wstring Join(const std::wstring &folder, const std::wstring &name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

DWORD Attributes(const std::wstring &path) { return GetFileAttributesW(path.c_str()); }

bool IsFolder(const std::wstring &path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring &path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring WithoutTrailingSlash(std::wstring path) {
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

std::wstring LastComponent(const std::wstring &path) {
    const std::wstring p = WithoutTrailingSlash(path);
    const size_t slash = p.find_last_of(L'\\');
    return slash == std::wstring::npos ? p : p.substr(slash + 1);
}

// The thumbnail folder itself or anything inside it.
bool InThumbnailFolder(const std::wstring &path) {
    const std::wstring cap = kThumbnailFolder;
    const std::wstring p = WithoutTrailingSlash(path);
    if (p.size() < cap.size() || lstrcmpiW(p.substr(0, cap.size()).c_str(), cap.c_str()) != 0)
        return false;
    return p.size() == cap.size() || p[cap.size()] == L'\\';
}

// ---- folders ----

// Copies a folder's files and folders, except dot-named ones (and save.ini at the top), into
// `to`, replacing files there. Stops at the first failure.
bool CopyTree(const std::wstring &from, const std::wstring &to, int depth) {
    if (depth > kFolderDepthLimit) return false;
    if (!CreateDirectoryW(to.c_str(), nullptr) && !IsFolder(to)) return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Join(from, L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        found.cFileName[MAX_PATH - 1] = L'\0';
        const std::wstring name = found.cFileName;
        if (name[0] == L'.' || (depth == 0 && lstrcmpiW(name.c_str(), kBackupIniName) == 0))
            continue;
        const std::wstring source = Join(from, name), target = Join(to, name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                 CopyTree(source, target, depth + 1);
        else
            ok = CopyFileW(source.c_str(), target.c_str(), FALSE) != 0;
    } while (ok && FindNextFileW(search, &found));
    FindClose(search);
    return ok;
}

// Deletes a folder with everything in it; true when it is gone (or was never there).
bool DeleteTree(const std::wstring &folder, int depth = 0) {
    if (!IsFolder(folder)) return true;
    if (depth > kFolderDepthLimit) return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Join(folder, L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            found.cFileName[MAX_PATH - 1] = L'\0';
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = Join(folder, name);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                DeleteTree(path, depth + 1);
            else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW(path.c_str());
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
    return !IsFolder(folder);
}

bool FolderHasEntries(const std::wstring &folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Join(folder, L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool any = false;
    do {
        any = lstrcmpW(found.cFileName, L".") != 0 && lstrcmpW(found.cFileName, L"..") != 0;
    } while (!any && FindNextFileW(search, &found));
    FindClose(search);
    return any;
}

// The shell copies the thumbnail folder's contents into the backup folder, replacing files
// that are there already.
bool ShellCopyContents(const std::wstring &from, const std::wstring &to) {
    if (!FolderHasEntries(from)) return true;
    // Both are lists that end with two terminators.
    std::wstring source = Join(from, L"*");
    source.push_back(L'\0');
    std::wstring target = to;
    target.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_COPY;
    op.pFrom = source.c_str();
    op.pTo = target.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_SILENT;
    return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

// ---- registry ----

std::wstring KeptKeyPath(int key) {
    const std::wstring live = kRegKeyPaths[key];
    return std::wstring(kRestoreKeepKey) + L"\\" + live.substr(live.rfind(L'\\') + 1);
}

bool CopyKey(const std::wstring &from, const std::wstring &to) {
    HKEY source = nullptr, target = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS)
        return false;
    bool ok = RegCreateKeyExW(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &target, nullptr) == ERROR_SUCCESS;
    if (ok) {
        ok = RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
        RegCloseKey(target);
    }
    RegCloseKey(source);
    return ok;
}

bool KeyExists(const wchar_t *path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The key at `path`, made when missing, open for writing; null when it cannot be.
HKEY KeyToWrite(const wchar_t *path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool MakeKey(const wchar_t *path) {
    HKEY key = KeyToWrite(path);
    if (key) RegCloseKey(key);
    return key != nullptr;
}

// Puts a kept key back. A copy kept by a program older than the positions has none: every
// entry then starts at 0.
bool PutBackKey(int k) {
    if (k == KeyFilePos && !KeyExists(KeptKeyPath(k).c_str())) return MakeKey(kRegKeyPaths[k]);
    return CopyKey(KeptKeyPath(k), kRegKeyPaths[k]);
}

// The names of the date values a restore writes.
std::vector<std::wstring> RestoredDateValues() {
    std::vector<std::wstring> names;
    for (int c = 0; c < 3; ++c)
        for (int n = 1; n <= kStatusTextCount; ++n) names.push_back(ColourValueName(n, c));
    for (int suffix = 0; suffix < 2; ++suffix)
        for (const ButtonPlacement &p : kButtonPlacements)
            names.push_back(p.stem + std::to_wstring(suffix));
    names.push_back(kUrlValue);
    return names;
}

RestoreStepHook g_stepHook;

// A point where the program may stop and the next start must still find whole lists.
void Step() {
    if (g_stepHook) g_stepHook();
}

// Copies the keys a restore replaces; the copy counts only once it is marked complete.
bool KeepReplacedKeys() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kRestoreKeepKey);
    if (!MakeKey(kRegKeyPaths[KeyFilePos])) return false;  // nothing stored yet is no failure
    for (int k : kReplacedKeys) {
        if (!CopyKey(kRegKeyPaths[k], KeptKeyPath(k))) return false;
        Step();
    }
    HKEY keep = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRestoreKeepKey, 0, KEY_SET_VALUE, &keep) != ERROR_SUCCESS)
        return false;
    const bool ok = WriteDwordValue(keep, kKeepComplete, 1);
    RegCloseKey(keep);
    Step();
    return ok;
}

bool KeptCopyComplete() {
    HKEY keep = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRestoreKeepKey, 0, KEY_READ, &keep) != ERROR_SUCCESS)
        return false;
    int32_t complete = 0;
    ReadDwordValue(keep, kKeepComplete, &complete);
    RegCloseKey(keep);
    return complete == 1;
}

// The marker goes first, in one step: a stop while the copy is being deleted must not leave
// a marked copy that is no longer whole.
bool DropKeptCopy() {
    HKEY keep = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRestoreKeepKey, 0, KEY_SET_VALUE, &keep) == ERROR_SUCCESS) {
        const LONG gone = RegDeleteValueW(keep, kKeepComplete);
        RegCloseKey(keep);
        if (gone != ERROR_SUCCESS && gone != ERROR_FILE_NOT_FOUND) return false;
        Step();
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kRestoreKeepKey);
    return true;
}

// ---- the thumbnail folder ----
// The restore writes only inside the thumbnail folder (a standard user may not write in the
// program folder that holds it): the new bitmaps are staged in a hidden folder there, the old
// ones are moved aside into it, then the new ones are moved up.

const wchar_t kStagingName[] = L".restore";

std::wstring Staged(const wchar_t *name) { return Join(RestoreStagingFolder(), name); }
std::wstring NewFolder() { return Staged(L"new"); }
std::wstring OldFolder() { return Staged(L"old"); }
// The new folder takes this name once every old entry has been moved aside: from then on
// whatever stands in the thumbnail folder is new.
std::wstring TakingFolder() { return Staged(L"taking"); }

// The names in a folder, the staging folder left out; listed first, so the folder does not
// change under the listing.
std::vector<std::wstring> EntriesOf(const std::wstring &folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Join(folder, L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        found.cFileName[MAX_PATH - 1] = L'\0';
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L".." && name != kStagingName) names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool MoveEntries(const std::wstring &from, const std::wstring &to) {
    for (const std::wstring &name : EntriesOf(from)) {
        if (!MoveFileW(Join(from, name).c_str(), Join(to, name).c_str())) return false;
        Step();
    }
    return true;
}

bool MakeStagingFolder() {
    const std::wstring staging = RestoreStagingFolder();
    if (!DeleteTree(staging) || !CreateDirectoryW(staging.c_str(), nullptr)) return false;
    SetFileAttributesW(staging.c_str(), FILE_ATTRIBUTE_HIDDEN);
    return true;
}

bool SwapThumbnails() {
    const std::wstring cap = kThumbnailFolder;
    if (!CreateDirectoryW(OldFolder().c_str(), nullptr) || !MoveEntries(cap, OldFolder()))
        return false;
    if (!MoveFileW(NewFolder().c_str(), TakingFolder().c_str())) return false;
    Step();
    return MoveEntries(TakingFolder(), cap);
}

// Undoes SwapThumbnails from wherever it stopped.
bool PutBackThumbnails() {
    const std::wstring cap = kThumbnailFolder;
    if (IsFolder(TakingFolder())) {
        for (const std::wstring &name : EntriesOf(cap)) {
            const std::wstring path = Join(cap, name);
            if (IsFolder(path) ? !DeleteTree(path) : !DeleteFileW(path.c_str())) return false;
            Step();
        }
        if (!DeleteTree(TakingFolder())) return false;
        Step();
    }
    if (IsFolder(OldFolder()) && !MoveEntries(OldFolder(), cap)) return false;
    return DeleteTree(RestoreStagingFolder());
}

// Puts the kept keys and the replaced thumbnails back, then drops the copy. The kept copy
// stays while anything could not be put back, so the next start tries again.
bool PutBackKept() {
    bool ok = true;
    for (int k : kReplacedKeys) {
        if (k == KeyDate) continue;
        RegDeleteTreeW(HKEY_CURRENT_USER, kRegKeyPaths[k]);
        Step();
        ok = PutBackKey(k) && ok;
        Step();
    }
    // A colour or a position that was never stored before the restore must not stay.
    HKEY date = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRegKeyPaths[KeyDate], 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &date,
                        nullptr) == ERROR_SUCCESS) {
        for (const std::wstring &name : RestoredDateValues()) RegDeleteValueW(date, name.c_str());
        RegCloseKey(date);
    }
    Step();
    ok = CopyKey(KeptKeyPath(KeyDate), kRegKeyPaths[KeyDate]) && ok;
    Step();
    ok = PutBackThumbnails() && ok;
    return ok && DropKeptCopy();
}

bool WriteRestoredValues(const BackupContents &c) {
    for (int k : kListDeleteOrder) {
        RegDeleteKeyW(HKEY_CURRENT_USER, kRegKeyPaths[k]);
        if (KeyExists(kRegKeyPaths[k])) return false;  // old entries would mix with the new
        Step();
    }
    for (int f = 0; f < kStockFieldCount; ++f) {
        HKEY key = KeyToWrite(kRegKeyPaths[kListKeyFirst + f]);
        if (!key) return false;
        bool ok = true;
        for (int g = 0; g < kGenreCount && ok; ++g)
            for (size_t i = 0; i < c.genres[g].size() && ok; ++i)
                ok = WriteFixedTextValue(key, StockValueName(g, int(i)).c_str(),
                                         c.genres[g][i].texts[f].c_str(), kStockValueBytes);
        RegCloseKey(key);
        if (!ok) return false;
        Step();
    }
    // Where each entry was left; a backup without positions starts every entry at 0.
    RegDeleteTreeW(HKEY_CURRENT_USER, kRegKeyPaths[KeyFilePos]);
    if (KeyExists(kRegKeyPaths[KeyFilePos])) return false;
    HKEY positions = KeyToWrite(kRegKeyPaths[KeyFilePos]);
    if (!positions) return false;
    bool stored = true;
    for (int g = 0; g < kGenreCount && stored; ++g)
        for (size_t i = 0; i < c.genres[g].size() && stored; ++i)
            if (c.genres[g][i].positionMs > 0)
                stored = WriteDwordValue(positions, StockValueName(g, int(i)).c_str(),
                                         int32_t(c.genres[g][i].positionMs));
    RegCloseKey(positions);
    if (!stored) return false;
    Step();
    HKEY date = KeyToWrite(kRegKeyPaths[KeyDate]);
    if (!date) return false;
    bool ok = true;
    for (int comp = 0; comp < 3 && ok; ++comp)
        for (int n = 1; n <= kStatusTextCount && ok; ++n)
            ok = WriteDwordValue(date, ColourValueName(n, comp).c_str(), c.rgb[n - 1][comp]);
    for (int suffix = 0; suffix < 2 && ok; ++suffix)
        for (const ButtonPlacement &p : kButtonPlacements) {
            const ButtonPos &pos = c.buttons[p.slot];
            ok = ok && WriteDwordValue(date, (p.stem + std::to_wstring(suffix)).c_str(),
                                       suffix == 0 ? pos.x : pos.y);
        }
    ok = ok && WriteFixedTextValue(date, kUrlValue, c.url.c_str(), kUrlChars);
    RegCloseKey(date);
    Step();
    return ok;
}

std::wstring Lowered(std::wstring name) {
    if (!name.empty()) CharLowerBuffW(&name[0], DWORD(name.size()));
    return name;
}

// A backup folder can hold thumbnails of entries it no longer has (a bigger list saved there
// earlier): they are not taken into the thumbnail folder, where a later entry of the same
// index would show another file's picture.
void DropThumbnailsOfNoEntry(const std::wstring &folder, const BackupContents &contents) {
    std::unordered_set<std::wstring> kept;
    for (int g = 0; g < kGenreCount; ++g)
        for (size_t i = 0; i < contents.genres[g].size(); ++i)
            kept.insert(Lowered(ThumbnailFileName(g, int(i))));
    DeleteThumbnailFiles(folder,
                         [&](const std::wstring &name) { return kept.count(Lowered(name)) > 0; });
}

// Every step can fail; until the kept copy's marker is dropped, a failure (or a stop of the
// program, see RecoverInterruptedRestore) puts back what was there.
bool ApplyBackup(const std::wstring &folder, const BackupContents &contents) {
    // A copy an earlier put-back could not finish is the user's last whole lists.
    if (KeptCopyComplete() && !PutBackKept()) return false;
    if (!EnsureThumbnailFolder() || !MakeStagingFolder()) return false;
    if (!CopyTree(folder, NewFolder(), 0)) {
        DeleteTree(RestoreStagingFolder());
        return false;
    }
    DropThumbnailsOfNoEntry(NewFolder(), contents);
    Step();
    if (!KeepReplacedKeys()) {
        RegDeleteTreeW(HKEY_CURRENT_USER, kRestoreKeepKey);
        DeleteTree(RestoreStagingFolder());
        return false;
    }
    if (!WriteRestoredValues(contents) || !SwapThumbnails() || !DropKeptCopy()) {
        PutBackKept();
        return false;
    }
    DeleteTree(RestoreStagingFolder());
    return true;
}

void TakeIntoMemory(const BackupContents &c) {
    SettingsRecord &s = g_app.settings;
    std::memcpy(s.rgb, c.rgb, sizeof s.rgb);
    std::memcpy(s.buttons, c.buttons, sizeof s.buttons);
    CopyTerminated(s.URL, kUrlChars, c.url);
    for (int g = 0; g < kGenreCount; ++g) RecountGenre(g);
    LoadGenre(g_app.currentGenre);
}

// ---- backup ----

BackupContents CollectBackupContents() {
    BackupContents c;
    for (int g = 0; g < kGenreCount; ++g) {
        const int count = RecountGenre(g);
        // A genre holds five; a registry holding more (edited by hand) is saved as the list
        // shows it, so that every backup written can be read back.
        for (int i = 0; i < count && i < kStockEntryLimit; ++i) {
            BackupEntry entry;
            for (int f = 0; f < kStockFieldCount; ++f)
                entry.texts[f] = ReadStockField(g, i, StockField(f));
            entry.positionMs = ReadStockPosition(g, i);
            c.genres[g].push_back(std::move(entry));
        }
    }
    SettingsRecord &s = g_app.settings;
    HKEY date = g_app.keys.read[KeyDate];
    for (int comp = 0; comp < 3; ++comp)
        for (int n = 1; n <= kStatusTextCount; ++n)
            ReadDwordValue(date, ColourValueName(n, comp).c_str(), &s.rgb[n - 1][comp]);
    for (int suffix = 0; suffix < 2; ++suffix)
        for (const ButtonPlacement &p : kButtonPlacements) {
            ButtonPos &pos = s.buttons[p.slot];
            ReadDwordValue(date, (p.stem + std::to_wstring(suffix)).c_str(),
                           suffix == 0 ? &pos.x : &pos.y);
        }
    ReadTextValue(date, kUrlValue, s.URL, kUrlChars);
    std::memcpy(c.rgb, s.rgb, sizeof c.rgb);
    std::memcpy(c.buttons, s.buttons, sizeof c.buttons);
    c.url = s.URL;
    return c;
}

// A UTF-16 file with its byte-order mark, so the private-profile functions keep every script.
bool WriteIniFile(const std::wstring &path, const std::vector<IniLine> &lines) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    static const BYTE kByteOrderMark[2] = {0xFF, 0xFE};
    DWORD written = 0;
    const bool marked = WriteFile(file, kByteOrderMark, 2, &written, nullptr) && written == 2;
    CloseHandle(file);
    if (!marked) return false;
    // One call a section: the profile writer may rewrite the whole file at every call, which
    // a line at a time makes quadratic (minutes for a genre of thousands of entries). A
    // section's lines are "key=value" texts, each ended, with one more end after the last;
    // sections keep the order of their first line.
    std::vector<std::pair<std::wstring, std::wstring>> sections;
    for (const IniLine &line : lines) {
        auto it = std::find_if(sections.begin(), sections.end(),
                               [&](const auto &s) { return s.first == line.section; });
        if (it == sections.end()) it = sections.insert(sections.end(), {line.section, L""});
        it->second += line.key + L"=" + line.value;
        it->second.push_back(L'\0');
    }
    for (auto &[section, block] : sections) {
        block.push_back(L'\0');
        if (!WritePrivateProfileSectionW(section.c_str(), block.c_str(), path.c_str()))
            return false;
    }
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());  // flushes the cache
    return true;
}

IniReader IniFileReader(const std::wstring &ini) {
    return [ini](const std::wstring &section, const std::wstring &key,
                 size_t chars) -> std::optional<std::wstring> {
        std::vector<wchar_t> buffer(chars, L'\0');
        const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), kMissingMark,
                                                 buffer.data(), DWORD(chars), ini.c_str());
        const std::wstring text(buffer.data(), std::min<size_t>(n, chars - 1));
        if (text == kMissingMark) return std::nullopt;
        return text;
    };
}

}  // namespace

std::wstring RestoreStagingFolder() { return Join(kThumbnailFolder, kStagingName); }

void SetRestoreStepHook(RestoreStepHook hook) { g_stepHook = hook; }

SaveOutcome SaveBackup(const std::wstring &parentFolder, std::wstring *where) {
    const std::wstring folder = Join(WithoutTrailingSlash(parentFolder), kBackupFolderName);
    *where = folder;
    if (InThumbnailFolder(folder)) return SaveOutcome::InsideThumbnailFolder;
    const BackupContents contents = CollectBackupContents();
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!IsFolder(folder)) return SaveOutcome::FolderNotCreated;

    const std::wstring ini = Join(folder, kBackupIniName), draft = Join(folder, kIniDraftName);
    *where = ini;
    if (!WriteIniFile(draft, BackupIniLines(contents)) ||
        !MoveFileExW(draft.c_str(), ini.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(draft.c_str());
        return SaveOutcome::IniNotWritten;
    }
    *where = folder;
    if (!ShellCopyContents(kThumbnailFolder, folder)) return SaveOutcome::ThumbnailsNotCopied;
    return SaveOutcome::Saved;
}

RestoreOutcome RestoreBackup(const std::wstring &folder, BackupCheck *check) {
    *check = BackupCheck();
    if (LastComponent(folder) != kBackupFolderName) return RestoreOutcome::NotBackupFolder;
    if (InThumbnailFolder(folder)) return RestoreOutcome::InsideThumbnailFolder;
    const std::wstring ini = Join(folder, kBackupIniName);
    if (!IsFile(ini)) return RestoreOutcome::NoIni;
    // Reading costs a profile call a key: a file no backup of ours can be is not read at all.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(ini.c_str(), GetFileExInfoStandard, &data) ||
        data.nFileSizeHigh != 0 || data.nFileSizeLow > kBackupFileByteLimit) {
        check->problem = BackupProblem::TooLarge;
        return RestoreOutcome::Damaged;
    }
    BackupContents contents;
    *check = ReadBackup(IniFileReader(ini), &contents);
    if (!check->ok()) return RestoreOutcome::Damaged;

    const bool applied = ApplyBackup(folder, contents);
    // The list keys were deleted and made again: every handle the program keeps is opened anew.
    CloseRegistryKeys(g_app.keys);
    OpenRegistryKeys(g_app.keys);
    if (!applied) return RestoreOutcome::NotApplied;
    TakeIntoMemory(contents);
    return RestoreOutcome::Restored;
}

void RecoverInterruptedRestore() {
    // A put-back that cannot finish keeps everything for the next start.
    if (KeptCopyComplete() && !PutBackKept()) return;
    // Without the marker nothing was replaced yet, or the restore was complete.
    RegDeleteTreeW(HKEY_CURRENT_USER, kRestoreKeepKey);
    DeleteTree(RestoreStagingFolder());
}
