#include "core/backup_file.h"

#include <algorithm>

#include "core/button_table.h"
#include "core/settings_table.h"
#include "core/stock_names.h"

const wchar_t kBackupFolderName[] = L"MireloSave";
const wchar_t kBackupIniName[] = L"save.ini";

const wchar_t *const kBackupStockSections[4] = {L"FaileTitle", L"FaileTime", L"FaileTipe",
                                                L"FailePath"};
const wchar_t kBackupPositionSection[] = L"FailePos";

namespace {

const wchar_t kCountSection[] = L"FaileCount";
const wchar_t kColourSection[] = L"TextColor";
const wchar_t kButtonSection[] = L"Button";
const wchar_t kHomePageSection[] = L"HomePage";
const wchar_t kUrlKey[] = L"URL";

bool IsControl(wchar_t c) { return c < 0x20 || c == 0x7F; }

bool HasControl(const std::wstring &text) {
    for (wchar_t c : text)
        if (IsControl(c)) return true;
    return false;
}

std::wstring ButtonKey(const ButtonPlacement &p, int suffix) {
    return p.stem + std::to_wstring(suffix);
}

int32_t Clamp(int64_t v, int64_t low, int64_t high) {
    return int32_t(v < low ? low : v > high ? high : v);
}

// One read with its checks; remembers the first problem and refuses everything after it.
class CheckedReader {
  public:
    explicit CheckedReader(const IniReader &read) : read_(read) {}
    const BackupCheck &check() const { return check_; }

    // `missing` names the problem (and where it is) when the key is not there.
    bool Text(const std::wstring &section, const std::wstring &key, size_t chars,
              std::wstring *text, const BackupCheck *missing = nullptr) {
        if (!check_.ok()) return false;
        const std::optional<std::wstring> got = read_(section, key, chars);
        if (!got) {
            if (missing) return Fail(missing->problem, missing->section, missing->key);
            return Fail(BackupProblem::MissingKey, section, key);
        }
        if (got->size() + 1 >= chars) return Fail(BackupProblem::TooLong, section, key);
        if (HasControl(*got)) return Fail(BackupProblem::LineBreak, section, key);
        *text = *got;
        return true;
    }

    bool Number(const std::wstring &section, const std::wstring &key, int64_t *number) {
        std::wstring text;
        if (!Text(section, key, kBackupNumberReadChars, &text)) return false;
        const std::optional<int64_t> v = ParseIniInteger(text);
        if (!v) return Fail(BackupProblem::NotANumber, section, key);
        *number = *v;
        return true;
    }

    // A key that may be missing: its number when it is one within 0 .. high, else 0.
    int64_t OptionalNumber(const std::wstring &section, const std::wstring &key, int64_t high) {
        const std::optional<std::wstring> got = read_(section, key, kBackupNumberReadChars);
        if (!got || got->size() + 1 >= kBackupNumberReadChars) return 0;
        const std::optional<int64_t> v = ParseIniInteger(*got);
        return v && *v >= 0 && *v <= high ? *v : 0;
    }

    bool Fail(BackupProblem problem, const std::wstring &section, const std::wstring &key) {
        if (check_.ok()) check_ = BackupCheck{problem, section, key};
        return false;
    }

  private:
    const IniReader &read_;
    BackupCheck check_;
};

bool ReadCounts(CheckedReader &r, int counts[kGenreCount]) {
    for (int g = 0; g < kGenreCount; ++g) {
        const std::wstring key = BackupCountKey(g);
        std::wstring text;
        if (!r.Text(kCountSection, key, kBackupNumberReadChars, &text)) return false;
        const std::optional<int64_t> v = ParseIniInteger(text);
        if (!v || *v < 0 || *v > kBackupCountLimit)
            return r.Fail(BackupProblem::BadCount, kCountSection, key);
        counts[g] = int(*v);
    }
    return true;
}

bool ReadEntries(CheckedReader &r, const int counts[kGenreCount], BackupContents &c) {
    for (int g = 0; g < kGenreCount; ++g) {
        // An entry without a title is one the count announces but the file does not hold.
        const BackupCheck unbacked{BackupProblem::CountNotBacked, kCountSection, BackupCountKey(g)};
        for (int i = 0; i < counts[g]; ++i) {
            const std::wstring name = StockValueName(g, i);
            BackupEntry entry;
            for (int f = 0; f < 4; ++f) {
                if (!r.Text(kBackupStockSections[f], name, kBackupStockReadChars, &entry.texts[f],
                            f == 0 ? &unbacked : nullptr))
                    return false;
                entry.texts[f].resize(std::min<size_t>(entry.texts[f].size(), kStoredStockChars));
            }
            if (entry.texts[0].empty())
                return r.Fail(unbacked.problem, unbacked.section, unbacked.key);
            entry.positionMs = uint32_t(r.OptionalNumber(kBackupPositionSection, name, INT32_MAX));
            c.genres[g].push_back(std::move(entry));
        }
    }
    return true;
}

bool ReadSettings(CheckedReader &r, BackupContents &c) {
    int64_t v = 0;
    for (int comp = 0; comp < 3; ++comp)
        for (int n = 1; n <= kStatusTextCount; ++n) {
            if (!r.Number(kColourSection, ColourValueName(n, comp), &v)) return false;
            c.rgb[n - 1][comp] = Clamp(v, 0, 255);
        }
    for (int suffix = 0; suffix < 2; ++suffix)
        for (const ButtonPlacement &p : kButtonPlacements) {
            if (!r.Number(kButtonSection, ButtonKey(p, suffix), &v)) return false;
            int32_t &field = suffix == 0 ? c.buttons[p.slot].x : c.buttons[p.slot].y;
            field = Clamp(v, -kButtonCoordinateLimit, kButtonCoordinateLimit);
        }
    if (!r.Text(kHomePageSection, kUrlKey, kBackupUrlReadChars, &c.url)) return false;
    c.url.resize(std::min<size_t>(c.url.size(), kStoredUrlChars));
    return true;
}

}  // namespace

std::wstring BackupCountKey(int genre) { return L"ジャンル" + std::to_wstring(genre); }

std::wstring IniTextValue(const std::wstring &text) {
    std::wstring value = L"\"";
    for (wchar_t c : text)
        if (!IsControl(c)) value += c;
    return value + L"\"";
}

std::optional<int64_t> ParseIniInteger(const std::wstring &text) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == L'-';
    if (negative) i = 1;
    if (i >= text.size() || text.size() - i > 12) return std::nullopt;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        v = v * 10 + (text[i] - L'0');
    }
    return negative ? -v : v;
}

std::vector<IniLine> BackupIniLines(const BackupContents &c) {
    std::vector<IniLine> lines;
    for (int g = 0; g < kGenreCount; ++g)
        for (size_t i = 0; i < c.genres[g].size(); ++i) {
            const std::wstring name = StockValueName(g, int(i));
            const BackupEntry &entry = c.genres[g][i];
            for (int f = 0; f < 4; ++f)
                lines.push_back({kBackupStockSections[f], name, IniTextValue(entry.texts[f])});
            lines.push_back({kBackupPositionSection, name, std::to_wstring(entry.positionMs)});
        }
    for (int g = 0; g < kGenreCount; ++g)
        lines.push_back({kCountSection, BackupCountKey(g), std::to_wstring(c.genres[g].size())});
    for (int comp = 0; comp < 3; ++comp)
        for (int n = 1; n <= kStatusTextCount; ++n)
            lines.push_back({kColourSection, ColourValueName(n, comp),
                             std::to_wstring(c.rgb[n - 1][comp])});
    for (int suffix = 0; suffix < 2; ++suffix)
        for (const ButtonPlacement &p : kButtonPlacements) {
            const ButtonPos &pos = c.buttons[p.slot];
            lines.push_back({kButtonSection, ButtonKey(p, suffix),
                             std::to_wstring(suffix == 0 ? pos.x : pos.y)});
        }
    lines.push_back({kHomePageSection, kUrlKey, IniTextValue(c.url)});
    return lines;
}

BackupCheck ReadBackup(const IniReader &read, BackupContents *out) {
    CheckedReader r(read);
    int counts[kGenreCount] = {};
    BackupContents c;
    if (ReadCounts(r, counts) && ReadEntries(r, counts, c) && ReadSettings(r, c)) *out = std::move(c);
    return r.check();
}
