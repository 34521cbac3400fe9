#include <gtest/gtest.h>

#include "core/device_type.h"

namespace {

TEST(DeviceType, OnlyTheExactLowerOrUpperCaseExtensionIsKnown) {
    struct Case {
        const wchar_t *path, *entry;
    };
    const Case cases[] = {
        {L"C:\\Music.Folder\\song.mp3", L"mp3"},
        {L"SONG.MP3", L"MP3"},
        {L"Song.Mp3", L""},
        {L"C:\\v\\clip.mpeg", L"mpeg"},
        {L"C:\\v\\clip.tar.AVI", L"AVI"},
        {L"C:\\v\\movie.flv", L""},
        {L"C:\\Music.Folder\\readme", L""}, // the dot is in the folder, not the name
        {L"C:\\Music\\", L""},
        {L"song.", L""},
        {L".wav", L"wav"},
        {L"", L""},
        {L"x.wvx", L"wvx"},
        {L"x.3GP", L"3GP"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MediaTableEntry(c.path), c.entry) << c.path;
}

TEST(ShellHandOff, OnlyExistingFoldersAndMediaFilesAreHandedOver) {
    struct Case {
        const wchar_t *path;
        PathKind kind;
        ShellVerb verb;
    };
    const Case cases[] = {
        {L"C:\\Videos\\clip.mpg", PathKind::File, ShellVerb::Open},
        {L"\\\\server\\share\\song.MP3", PathKind::File, ShellVerb::Open},
        {L"C:\\Videos", PathKind::Folder, ShellVerb::Explore},
        {L"C:\\Videos.2024", PathKind::Folder, ShellVerb::Explore},
        {L"C:\\Videos\\clip.mpg", PathKind::Missing, ShellVerb::Refuse},
        {L"C:\\Videos", PathKind::Missing, ShellVerb::Refuse},
        // Anything that would run code when opened.
        {L"C:\\tools\\setup.exe", PathKind::File, ShellVerb::Refuse},
        {L"C:\\tools\\run.bat", PathKind::File, ShellVerb::Refuse},
        {L"C:\\tools\\run.cmd", PathKind::File, ShellVerb::Refuse},
        {L"C:\\tools\\link.lnk", PathKind::File, ShellVerb::Refuse},
        {L"C:\\tools\\script.vbs", PathKind::File, ShellVerb::Refuse},
        {L"C:\\tools\\noextension", PathKind::File, ShellVerb::Refuse},
        {L"C:\\tools\\song.Mp3", PathKind::File, ShellVerb::Refuse},
        {L"C:\\tools\\song.mp3.exe", PathKind::File, ShellVerb::Refuse},
        // Streams, devices, relative and wildcard paths are not plain files.
        {L"C:\\tools\\setup.exe:hidden.mp3", PathKind::File, ShellVerb::Refuse},
        {L"\\\\?\\C:\\clip.mpg", PathKind::File, ShellVerb::Refuse},
        {L"\\\\.\\PhysicalDrive0", PathKind::File, ShellVerb::Refuse},
        {L"clip.mpg", PathKind::File, ShellVerb::Refuse},
        {L"\\clip.mpg", PathKind::File, ShellVerb::Refuse},
        {L"C:clip.mpg", PathKind::File, ShellVerb::Refuse},
        {L"C:\\*.mpg", PathKind::File, ShellVerb::Refuse},
        {L"", PathKind::Folder, ShellVerb::Refuse},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ShellHandOffFor(c.path, c.kind), c.verb) << c.path;
    EXPECT_STREQ(ShellVerbText(ShellVerb::Open), L"open");
    EXPECT_STREQ(ShellVerbText(ShellVerb::Explore), L"explore");
    EXPECT_EQ(ShellVerbText(ShellVerb::Refuse), nullptr);
}

} // namespace
