#include "core/backup_file.h"

#include <gtest/gtest.h>

#include <map>

#include "core/button_table.h"

namespace {

using Ini = std::map<std::pair<std::wstring, std::wstring>, std::wstring>;

// What the private-profile reader gives back: one pair of surrounding quotes goes, a text
// longer than the buffer is cut to fit it.
IniReader ReaderOf(const Ini &ini) {
    return [&ini](const std::wstring &section, const std::wstring &key,
                  size_t chars) -> std::optional<std::wstring> {
        auto it = ini.find({section, key});
        if (it == ini.end()) return std::nullopt;
        std::wstring v = it->second;
        if (v.size() >= 2 && v.front() == L'"' && v.back() == L'"') v = v.substr(1, v.size() - 2);
        return v.substr(0, chars - 1);
    };
}

Ini Written(const BackupContents &c) {
    Ini ini;
    for (const IniLine &line : BackupIniLines(c)) ini[{line.section, line.key}] = line.value;
    return ini;
}

BackupContents Sample() {
    BackupContents c;
    c.genres[0].push_back({{L" 夏の海.avi ", L" 1 分 3 秒", L"AVIVideo", L"C:\\動画\\夏の海.avi"}});
    c.genres[0].push_back({{L"\"quoted\"", L"", L"WaveAudio", L"C:\\a.wav"}});
    c.genres[21].push_back({{L"Ελληνικά", L"2 秒", L"MPEGVideo", L"D:\\x.mp3"}, 2147483647u});
    c.genres[0][0].positionMs = 8000;
    c.rgb[6][2] = 77;
    c.buttons[SlotRandom] = {-5, 1999};
    c.url = L"https://例え.jp/";
    return c;
}

TEST(BackupFile, WhatIsWrittenReadsBackTheSameAndNoTextBreaksALine) {
    BackupContents c = Sample();
    BackupContents back;
    ASSERT_TRUE(ReadBackup(ReaderOf(Written(c)), &back).ok());
    for (int g : {0, 21})
        for (size_t i = 0; i < c.genres[g].size(); ++i) {
            for (int f = 0; f < 4; ++f) EXPECT_EQ(back.genres[g][i].texts[f], c.genres[g][i].texts[f]);
            EXPECT_EQ(back.genres[g][i].positionMs, c.genres[g][i].positionMs);
        }
    EXPECT_EQ(back.genres[0].size(), 2u);
    EXPECT_TRUE(back.genres[1].empty());
    EXPECT_EQ(back.rgb[6][2], 77);
    EXPECT_EQ(back.buttons[SlotRandom].x, -5);
    EXPECT_EQ(back.buttons[SlotRandom].y, 1999);
    EXPECT_EQ(back.url, c.url);

    // A position is no damage: missing (every older backup), not a number or out of range, it
    // is the start.
    Ini positions = Written(c);
    positions.erase({L"FailePos", L"Stock0"});
    positions[{L"FailePos", L"Stock1"}] = L"x";
    positions[{L"FailePos", L"22Stock0"}] = L"2147483648";
    ASSERT_TRUE(ReadBackup(ReaderOf(positions), &back).ok());
    EXPECT_EQ(back.genres[0][0].positionMs, 0u);
    EXPECT_EQ(back.genres[0][1].positionMs, 0u);
    EXPECT_EQ(back.genres[21][0].positionMs, 0u);

    c.genres[0][0].texts[0] = L"a\r\n[FaileCount]\r\nジャンル0=9";
    for (const IniLine &line : BackupIniLines(c))
        EXPECT_EQ(line.value.find_first_of(L"\r\n"), std::wstring::npos) << line.key;
    ASSERT_TRUE(ReadBackup(ReaderOf(Written(c)), &back).ok());
    EXPECT_EQ(back.genres[0][0].texts[0], L"a[FaileCount]ジャンル0=9");
}

TEST(BackupFile, ADamagedBackupIsRefusedAndNothingIsTaken) {
    // a value "-" removes the key
    struct Case { const char *what; std::wstring section, key, value; BackupProblem problem; };
    const Case cases[] = {
        {"huge count", L"FaileCount", L"ジャンル0", L"2000000000", BackupProblem::BadCount},
        {"more than a genre holds", L"FaileCount", L"ジャンル0", L"6", BackupProblem::BadCount},
        {"negative count", L"FaileCount", L"ジャンル3", L"-1", BackupProblem::BadCount},
        {"count of text", L"FaileCount", L"ジャンル0", L"two", BackupProblem::BadCount},
        {"count beyond entries", L"FaileCount", L"ジャンル0", L"3", BackupProblem::CountNotBacked},
        {"empty title", L"FaileTitle", L"22Stock0", L"\"\"", BackupProblem::CountNotBacked},
        {"missing path", L"FailePath", L"Stock1", L"-", BackupProblem::MissingKey},
        {"title too long", L"FaileTitle", L"Stock0", std::wstring(5000, L'長'),
         BackupProblem::TooLong},
        {"line break", L"FaileTime", L"Stock1", L"1\r2", BackupProblem::LineBreak},
        {"colour of text", L"TextColor", L"RGB7_1", L"red", BackupProblem::NotANumber},
        {"cut before the address", L"HomePage", L"URL", L"-", BackupProblem::MissingKey},
    };
    for (const Case &k : cases) {
        Ini ini = Written(Sample());
        if (k.value == L"-") ini.erase({k.section, k.key});
        else ini[{k.section, k.key}] = k.value;
        BackupContents out;
        out.url = L"untouched";
        const BackupCheck check = ReadBackup(ReaderOf(ini), &out);
        EXPECT_EQ(int(check.problem), int(k.problem)) << k.what;
        EXPECT_EQ(out.url, L"untouched") << k.what;
        EXPECT_TRUE(out.genres[0].empty()) << k.what;
    }
    BackupContents out;
    EXPECT_EQ(int(ReadBackup(ReaderOf(Ini()), &out).problem), int(BackupProblem::MissingKey));
}

TEST(BackupFile, NumbersAreKeptInRangeAndLongTextsCutToWhatTheRegistryKeeps) {
    Ini ini = Written(Sample());
    ini[{L"TextColor", L"RGB1_0"}] = L"999";
    ini[{L"Button", L"B_Play1"}] = L"-2147483648";
    ini[{L"FaileTitle", L"Stock0"}] = std::wstring(4000, L'a');
    ini[{L"HomePage", L"URL"}] = std::wstring(2000, L'u');
    BackupContents out;
    ASSERT_TRUE(ReadBackup(ReaderOf(ini), &out).ok());
    EXPECT_EQ(out.rgb[0][0], 255);
    EXPECT_EQ(out.buttons[SlotPlay].y, -2000);
    EXPECT_EQ(out.genres[0][0].texts[0].size(), 499u);
    EXPECT_EQ(out.url.size(), 1023u);
}

}  // namespace
