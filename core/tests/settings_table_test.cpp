#include <gtest/gtest.h>

#include <set>

#include "shell/button_table.h"
#include "shell/reg_value.h"
#include "shell/settings_table.h"

namespace {

std::vector<uint8_t> Utf16(const std::wstring &text, bool terminator) {
    std::vector<uint8_t> bytes;
    for (wchar_t c : text) {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t((c >> 8) & 0xFF));
    }
    if (terminator) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

TEST(StoredValues, OnlyAFourByteDwordIsBelieved) {
    const uint8_t four[] = {0x07, 0x01, 0x00, 0x80};
    const uint8_t eight[] = {1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(DecodeDword(kRegDword, four, 4), int32_t(0x80000107));
    EXPECT_FALSE(DecodeDword(kRegDword, eight, 8));
    EXPECT_FALSE(DecodeDword(kRegDword, four, 3));
    EXPECT_FALSE(DecodeDword(kRegSz, four, 4));
    EXPECT_FALSE(DecodeDword(kRegDword, nullptr, 4));
}

TEST(StoredValues, TextIsTerminatedByTheProgramNotTrustedFromTheStore) {
    struct Case {
        const char *what;
        uint32_t type;
        std::vector<uint8_t> bytes;
        size_t capacity;
        bool accepted;
        std::wstring text;
    };
    std::vector<uint8_t> odd = Utf16(L"ab", true);
    odd.push_back(0x41);
    std::vector<uint8_t> padded = Utf16(L"アニメ", true);
    padded.resize(520, 0);
    const Case cases[] = {
        {"with terminator", kRegSz, Utf16(L"ドラマ", true), 260, true, L"ドラマ"},
        {"without terminator", kRegSz, Utf16(L"ドラマ", false), 260, true, L"ドラマ"},
        {"zero padded slot", kRegSz, padded, 260, true, L"アニメ"},
        {"empty", kRegSz, {}, 260, true, L""},
        {"odd size", kRegSz, odd, 260, false, L""},
        {"wrong type", kRegDword, Utf16(L"x", true), 260, false, L""},
        {"exactly fills the buffer", kRegSz, Utf16(std::wstring(259, L'a'), false), 260, true,
         std::wstring(259, L'a')},
        {"one too long for the buffer", kRegSz, Utf16(std::wstring(260, L'a'), false), 260, false,
         L""},
    };
    for (const Case &c : cases) {
        const auto text = DecodeText(c.type, c.bytes.data(), c.bytes.size(), c.capacity);
        EXPECT_EQ(bool(text), c.accepted) << c.what;
        if (text && c.accepted) {
            EXPECT_EQ(*text, c.text) << c.what;
        }
    }
}

TEST(StoredValues, CopyIntoAFixedBufferCutsAndTerminates) {
    wchar_t buffer[4] = {L'x', L'x', L'x', L'x'};
    CopyTerminated(buffer, 4, L"abcdef");
    EXPECT_EQ(std::wstring(buffer), L"abc");
}

TEST(SettingsTable, LoadsInTheProgramsOrderWithEveryValueOnce) {
    SettingsRecord rec;
    const std::vector<SettingRow> rows = SettingsRows(rec);
    // 4 + 27 colours + 22 genres + 46 button coordinates + 18 text positions + URL
    ASSERT_EQ(rows.size(), 4u + 27 + 22 + 46 + 18 + 1);
    EXPECT_EQ(rows[0].name, L"CapWidth");
    EXPECT_EQ(rows[1].name, L"CapHight");
    EXPECT_EQ(rows[2].name, L"Skin");
    EXPECT_EQ(rows[3].name, L"Capture");
    EXPECT_EQ(rows[4].name, L"RGB1_0");
    EXPECT_EQ(rows[12].name, L"RGB9_0");
    EXPECT_EQ(rows[13].name, L"RGB1_1");
    EXPECT_EQ(rows[31].name, L"Genre0");
    EXPECT_EQ(rows[52].name, L"Genre21");
    EXPECT_EQ(rows[53].name, L"B_Play0");
    EXPECT_EQ(rows[61].name, L"B_TrSu0");  // the registry lists next before previous
    EXPECT_EQ(rows[62].name, L"B_TrMo0");
    EXPECT_EQ(rows[76].name, L"B_Play1");
    EXPECT_EQ(rows[99].name, L"nMWText_X[0]");
    EXPECT_EQ(rows[100].name, L"nMWText_Y[0]");
    EXPECT_EQ(rows.back().name, L"URL");

    std::set<std::pair<int, std::wstring>> seen;
    for (const SettingRow &row : rows)
        EXPECT_TRUE(seen.insert({row.key, row.name}).second) << "twice: " << row.name.size();
}

TEST(SettingsTable, RowsPointIntoTheRecordTheyDescribe) {
    SettingsRecord rec;
    SetDefaultSettings(rec);
    for (const SettingRow &row : SettingsRows(rec)) {
        if (row.name == L"B_TrMo0") {
            EXPECT_EQ(row.number, &rec.buttons[SlotPrevious].x);
        } else if (row.name == L"B_TrSu1") {
            EXPECT_EQ(row.number, &rec.buttons[SlotNext].y);
        } else if (row.name == L"RGB4_1") {
            EXPECT_EQ(row.number, &rec.rgb[3][1]);
        } else if (row.name == L"Genre3") {
            EXPECT_EQ(row.text, rec.Genre[3]);
        }
    }
}

TEST(SettingsTable, StoredSizesAreTheFixedOnes) {
    SettingsRecord rec;
    for (const SettingRow &row : SettingsRows(rec)) {
        if (row.kind == SettingDword) continue;
        const int expected = row.key == KeyGenre ? 520 : 2048;  // genre slots, or the URL
        EXPECT_EQ(row.storedBytes, expected) << row.textChars;
    }
}

TEST(SettingsTable, FirstRunWritesOnlyCaptureSizeSkinAndGenres) {
    SettingsRecord rec;
    const std::vector<SettingRow> rows = FirstRunRows(rec);
    ASSERT_EQ(rows.size(), 4u + 22);
    EXPECT_EQ(rows[0].name, L"Capture");
    EXPECT_EQ(rows[3].name, L"Skin");
    EXPECT_EQ(rows[3].key, KeyDate);
    EXPECT_EQ(rows[4].name, L"Genre0");
}

TEST(SettingsTable, Defaults) {
    SettingsRecord rec;
    SetDefaultSettings(rec);
    EXPECT_EQ(rec.Skin, 0);
    EXPECT_EQ(rec.CapWidth, 60);
    EXPECT_EQ(rec.CapHight, 40);
    EXPECT_EQ(rec.rgb[3][0], 255);
    EXPECT_EQ(rec.rgb[3][1], 105);
    EXPECT_EQ(rec.nMWText_X[8], 168);
    EXPECT_EQ(rec.nMWText_Y[8], 281);
    EXPECT_EQ(rec.buttons[SlotPrevious].x, 170);  // left arrow on the left
    EXPECT_EQ(rec.buttons[SlotNext].x, 210);
    EXPECT_EQ(rec.buttons[SlotRandom].x, 95);
    EXPECT_EQ(std::wstring(rec.Genre[0]), L"アニメ");
    EXPECT_EQ(std::wstring(rec.Genre[21]), L"イベント");
    EXPECT_NE(rec.URL[0], 0);
}

TEST(SettingsTable, SkinOutsideTheThreeIsDrawnAsTheFirst) {
    const int32_t stored[] = {-1, 0, 1, 2, 3, 7, INT32_MIN, INT32_MAX};
    const int expected[] = {0, 0, 1, 2, 0, 0, 0, 0};
    for (size_t i = 0; i < sizeof stored / sizeof stored[0]; ++i)
        EXPECT_EQ(EffectiveSkin(stored[i]), expected[i]) << stored[i];
}

}  // namespace
