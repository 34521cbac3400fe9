// What a backup folder's "save.ini" holds, in which order it is written, and how a read-back
// is checked before anything of the user's is replaced. Builds natively.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/settings_record.h"
#include "core/stock_names.h"

extern const wchar_t kBackupFolderName[];  // "MireloSave"
extern const wchar_t kBackupIniName[];     // "save.ini"

enum {
    kBackupCountLimit = kStockEntryLimit,  // a genre's count in a backup: 0 .. 5
    kBackupStockReadChars = 4096,   // reader buffers: 4095 characters of a stock text
    kBackupNumberReadChars = 260,   // 259 characters of a number
    kBackupUrlReadChars = 2048,     // 2047 characters of the home page address
    kStoredStockChars = 499,        // what a 1000-byte stock value keeps
    kStoredUrlChars = 1023,         // what a 2048-byte URL value keeps
    kButtonCoordinateLimit = 2000,  // button positions are kept within -2000 .. 2000
};

// The largest save.ini the program writes, in bytes: UTF-16 with its byte-order mark, every
// genre full and every text as long as the registry keeps it; a line holds at most a
// 16-unit key, "=", a quoted value (up to 11 units for a number) and CR LF. A bigger file is
// no backup of this program and is refused unread.
constexpr size_t IniLineUnits(size_t valueUnits) { return 16 + 1 + 2 + valueUnits + 2; }
constexpr size_t kBackupFileByteLimit =
    2 * (1 + 9 * IniLineUnits(0) +
         4 * kGenreCount * kStockEntryLimit * IniLineUnits(kStoredStockChars) +
         (kGenreCount * kStockEntryLimit + kGenreCount + 3 * kStatusTextCount +
          2 * kButtonCount) * IniLineUnits(11) +
         IniLineUnits(kStoredUrlChars));
static_assert(kBackupFileByteLimit == 473188, "the limit the restore's refusal names");

// One stock entry's four texts (title, length text, device type, path) and where the user
// left it, in milliseconds (0: from the start).
struct BackupEntry {
    std::wstring texts[4];
    uint32_t positionMs = 0;
};

// Everything a backup carries.
struct BackupContents {
    std::vector<BackupEntry> genres[kGenreCount];
    int32_t rgb[kStatusTextCount][3] = {};
    ButtonPos buttons[kButtonCount] = {};  // indexed by button slot
    std::wstring url;
};

// The four stock sections, in the order of an entry's four texts.
extern const wchar_t *const kBackupStockSections[4];
// The section of the positions: "FailePos". Backups written before it have none; a position
// that is missing or not a number in 0 .. 2^31 - 1 reads as 0 and is no damage.
extern const wchar_t kBackupPositionSection[];

// "ジャンル0" .. "ジャンル21", the count keys of section FaileCount.
std::wstring BackupCountKey(int genre);

struct IniLine {
    std::wstring section, key, value;
};

// The lines of save.ini in the order they are written. A text that holds a line break (or
// any other control character) is written without it, so no text can start a key or a
// section of its own; every text is quoted, so leading and trailing spaces come back.
std::vector<IniLine> BackupIniLines(const BackupContents &contents);

// A value as the INI file holds it: quoted, control characters dropped.
std::wstring IniTextValue(const std::wstring &text);

// A decimal integer in the whole text ("-" allowed in front), or nothing.
std::optional<int64_t> ParseIniInteger(const std::wstring &text);

enum class BackupProblem {
    None,
    MissingKey,      // a key the backup must hold is not there (truncated or damaged file)
    BadCount,        // a genre's count is not a number in 0 .. 5
    CountNotBacked,  // a count announces an entry the file does not hold
    NotANumber,      // a colour or a position is not a number
    TooLong,         // a text does not fit its reader
    LineBreak,       // a text read back holds a line break or another control character
    TooLarge,        // the file is larger than any backup the program writes
};

struct BackupCheck {
    BackupProblem problem = BackupProblem::None;
    std::wstring section, key;  // where the problem is
    bool ok() const { return problem == BackupProblem::None; }
};

// Reads one key: its text, or nothing when the key is missing. `chars` is the reader's
// buffer size; a text that filled it (chars - 1 characters) may have been cut.
using IniReader =
    std::function<std::optional<std::wstring>(const std::wstring &section,
                                              const std::wstring &key, size_t chars)>;

// Reads a whole backup through `read` and checks it: every count is a number in 0..5
// backed by as many entries, every entry has its four keys and a title, every colour and
// position is a number, no text is too long for its reader or holds a line break. Colours
// are kept within 0..255, positions within +-2000, stock texts cut to 499 characters and the
// address to 1023. On any problem `out` is left as it was.
BackupCheck ReadBackup(const IniReader &read, BackupContents *out);
