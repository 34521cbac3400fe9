// A damaged or hostile save.ini: a good backup's lines with values replaced or keys missing,
// read the way the platform's INI reader hands them over (cut to the reader's buffer). A
// backup that passes the checks holds only what the registry and the windows can take.
#include "core/backup_file.h"
#include "fuzz/fuzz_input.h"

#include <map>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    BackupContents good;
    good.genres[0] = {{{L"曲", L" 1 秒", L"MPEGVideo", L"C:\\a.mpg"}},
                      {{L"two", L" 2 秒", L"waveaudio", L"C:\\b.wav"}}};
    good.genres[21] = {{{L"t", L"", L"", L"C:\\c.avi"}}};
    good.url = L"https://example.jp/";
    std::map<std::pair<std::wstring, std::wstring>, std::wstring> ini;
    std::vector<std::pair<std::wstring, std::wstring>> keys;
    for (const IniLine &line : BackupIniLines(good)) {
        ini[{line.section, line.key}] = line.value;
        keys.push_back({line.section, line.key});
    }

    FuzzInput in(data, size);
    while (in.Left() >= 3) {
        const auto &key = keys[in.Number<uint16_t>() % keys.size()];
        const uint8_t length = in.Number<uint8_t>();
        if (length == 255) {
            ini.erase(key);
            continue;
        }
        std::wstring value;
        for (int i = 0; i < length * 16 && in.Left() >= 2; i += 16) {
            const wchar_t unit = wchar_t(in.Number<uint16_t>());
            value.append(unit == L'*' ? 16 * 256 : 1, unit == L'*' ? L'9' : unit);
        }
        ini[key] = value;
    }

    const IniReader read = [&](const std::wstring &section, const std::wstring &key,
                               size_t chars) -> std::optional<std::wstring> {
        auto found = ini.find({section, key});
        if (found == ini.end()) return std::nullopt;
        std::wstring text = found->second;
        const size_t end = text.find(L'\0');
        if (end != std::wstring::npos) text.resize(end);
        if (chars > 0 && text.size() > chars - 1) text.resize(chars - 1);
        return text;
    };
    BackupContents out;
    if (!ReadBackup(read, &out).ok()) return 0;
    for (const auto &genre : out.genres) {
        if (genre.size() > kBackupCountLimit) __builtin_trap();
        for (const BackupEntry &entry : genre)
            for (const std::wstring &text : entry.texts)
                if (text.size() > kStoredStockChars) __builtin_trap();
    }
    if (out.url.size() > kStoredUrlChars) __builtin_trap();
    for (const auto &rgb : out.rgb)
        for (int c : rgb)
            if (c < 0 || c > 255) __builtin_trap();
    for (const ButtonPos &b : out.buttons)
        if (b.x < -kButtonCoordinateLimit || b.x > kButtonCoordinateLimit ||
            b.y < -kButtonCoordinateLimit || b.y > kButtonCoordinateLimit)
            __builtin_trap();
    return 0;
}
