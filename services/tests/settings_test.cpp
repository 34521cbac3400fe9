// Settings against the real registry.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "core/button_table.h"
#include "services/app_state.h"
#include "services/registry.h"
#include "services/settings.h"
#include "tests/driver/driver.h"

namespace {

const wchar_t kDate[] = L"Software\\Mirelo\\Setting\\date";
const wchar_t kCap[] = L"Software\\Mirelo\\Setting\\Cap";
const wchar_t kGenre[] = L"Software\\Mirelo\\Setting\\Genre";

class RegistrySettings : public testing::Test {
  protected:
    void SetUp() override {
        driver::DeleteProgramRegistry();
        OpenRegistryKeys(keys);
        SetDefaultSettings(rec);
        SetDefaultSettings(defaults);
    }
    void TearDown() override { CloseRegistryKeys(keys); }
    RegistryKeys keys{};
    SettingsRecord rec{}, defaults{};
};

TEST_F(RegistrySettings, StoredValuesAreLoadedIntoTheRecord) {
    WriteDwordValue(keys.write[KeyDate], L"Skin", 1);
    WriteDwordValue(keys.write[KeyDate], L"RGB4_2", 33);
    WriteDwordValue(keys.write[KeyDate], L"B_TrMo1", 77);
    WriteDwordValue(keys.write[KeyDate], L"nMWText_Y[8]", 290);
    WriteDwordValue(keys.write[KeyCap], L"CapWidth", 80);
    WriteFixedTextValue(keys.write[KeyGenre], L"Genre7", L"ニュース速報", 520);
    WriteFixedTextValue(keys.write[KeyDate], L"URL", L"http://example.jp/", 2048);
    LoadSettings(keys, rec);
    EXPECT_EQ(rec.Skin, 1);
    EXPECT_EQ(rec.rgb[3][2], 33);
    EXPECT_EQ(rec.buttons[SlotPrevious].y, 77);
    EXPECT_EQ(rec.nMWText_Y[8], 290);
    EXPECT_EQ(rec.CapWidth, 80);
    EXPECT_STREQ(rec.Genre[7], L"ニュース速報");
    EXPECT_STREQ(rec.URL, L"http://example.jp/");
}

// Each value of any other shape is tried below; here the texts of the genre names and a
// number stored as text or out of range.
TEST_F(RegistrySettings, CorruptValuesKeepTheirDefaultsAndTextsAreTerminatedByTheProgram) {
    const wchar_t text[] = L"not a number";
    const DWORD seven = 7;
    driver::WriteRegistryValue(kCap, L"CapWidth", REG_SZ, text, sizeof text);
    driver::WriteRegistryValue(kDate, L"Skin", REG_DWORD, &seven, 4);
    // A genre name of an odd size, one of 64 KiB, and one stored as a number.
    const wchar_t odd[] = L"奇数";
    driver::WriteRegistryValue(kGenre, L"Genre1", REG_SZ, odd, sizeof odd - 1);
    std::vector<wchar_t> huge(32768, L'長');
    driver::WriteRegistryValue(kGenre, L"Genre2", REG_SZ, huge.data(), 65536);
    driver::WriteRegistryValue(kGenre, L"Genre3", REG_DWORD, &seven, 4);
    // Exactly a full slot of characters with no terminator: it must not run past the buffer.
    std::vector<wchar_t> full(260, L'名');
    driver::WriteRegistryValue(kGenre, L"Genre4", REG_SZ, full.data(), 520);
    const wchar_t shortName[] = {L'短', L'い'};
    driver::WriteRegistryValue(kGenre, L"Genre5", REG_SZ, shortName, sizeof shortName);
    std::vector<wchar_t> url(2048, L'u');
    driver::WriteRegistryValue(kDate, L"URL", REG_SZ, url.data(), 2047 * 2);

    LoadSettings(keys, rec);
    EXPECT_EQ(rec.CapWidth, 60);
    EXPECT_EQ(rec.Skin, 0);
    for (int g = 1; g <= 4; ++g)
        EXPECT_STREQ(rec.Genre[g], defaults.Genre[g]) << g;  // 260 characters do not fit 259
    EXPECT_STREQ(rec.Genre[5], L"短い");
    EXPECT_EQ(lstrlenW(rec.URL), 2047);
    EXPECT_EQ(rec.URL[2047], 0);
}

// Every value of the date and Cap keys stored with the wrong type, or with 0, 1 or 65,536
// bytes: the load keeps every default and reads nothing past what is stored.
TEST_F(RegistrySettings, EveryDateAndCapValueOfAnyHostileShapeKeepsItsDefault) {
    const std::vector<SettingRow> rows = SettingsRows(rec), expected = SettingsRows(defaults);
    std::vector<BYTE> big(65536, 0x41);
    const struct { DWORD type, bytes; } shapes[] = {
        {REG_BINARY, 4}, {REG_DWORD, 0}, {REG_DWORD, 1}, {REG_DWORD, 65536},
        {REG_SZ, 1}, {REG_SZ, 8}, {REG_MULTI_SZ, 8}, {REG_QWORD, 8}};
    for (const auto &shape : shapes) {
        for (const SettingRow &row : rows) {
            // An empty or long text is still a text (the URL may be cleared; long texts are
            // tested below): only a wrong type or an odd size is hostile for one.
            const bool isText = row.kind == SettingText;
            if (row.key > KeyCap || (isText && shape.type == REG_SZ && shape.bytes != 1)) continue;
            if (!isText && shape.type == REG_SZ) continue;
            driver::WriteRegistryValue(row.key == KeyDate ? kDate : kCap, row.name.c_str(),
                                       shape.type, big.data(), shape.bytes);
        }
        SetDefaultSettings(rec);
        LoadSettings(keys, rec);
        for (size_t i = 0; i < rows.size(); ++i) {
            const bool same = rows[i].kind == SettingText
                                  ? lstrcmpW(rows[i].text, expected[i].text) == 0
                                  : *rows[i].number == *expected[i].number;
            EXPECT_TRUE(same) << std::string(rows[i].name.begin(), rows[i].name.end())
                              << " type " << shape.type << " bytes " << shape.bytes;
        }
    }
}

}  // namespace
