// What a path or an address is taken for: a device type by its extension, and what may be
// handed to the shell.
#include <gtest/gtest.h>

#include "core/device_type.h"
#include "core/web_address.h"

namespace {

TEST(DeviceType, OnlyTheExactLowerOrUpperCaseExtensionIsKnown) {
    struct Case { const wchar_t *path, *entry; };
    // The dot of "C:\\Music.Folder\\readme" is in the folder, not the name.
    const Case cases[] = {
        {L"C:\\Music.Folder\\song.mp3", L"mp3"}, {L"SONG.MP3", L"MP3"}, {L"Song.Mp3", L""},
        {L"C:\\v\\clip.mpeg", L"mpeg"}, {L"C:\\v\\clip.tar.AVI", L"AVI"}, {L"C:\\v\\movie.flv", L""},
        {L"C:\\Music.Folder\\readme", L""}, {L"C:\\Music\\", L""}, {L"song.", L""}, {L".wav", L"wav"},
        {L"", L""}, {L"x.wvx", L"wvx"}, {L"x.3GP", L"3GP"},
    };
    for (const Case &c : cases) EXPECT_EQ(MediaTableEntry(c.path), c.entry) << c.path;
}

TEST(ShellHandOff, OnlyExistingFoldersAndMediaFilesAreHandedOver) {
    struct Case { const wchar_t *path; PathKind kind; ShellVerb verb; };
    const Case cases[] = {
        {L"C:\\Videos\\clip.mpg", PathKind::File, ShellVerb::Open},
        {L"\\\\server\\share\\song.MP3", PathKind::File, ShellVerb::Open},
        {L"C:\\Videos", PathKind::Folder, ShellVerb::Explore},
        {L"C:\\Videos.2024", PathKind::Folder, ShellVerb::Explore},
        {L"C:\\Videos\\clip.mpg", PathKind::Missing, ShellVerb::Refuse},
        {L"C:\\Videos", PathKind::Missing, ShellVerb::Refuse},
        {L"", PathKind::Folder, ShellVerb::Refuse},
    };
    for (const Case &c : cases) EXPECT_EQ(ShellHandOffFor(c.path, c.kind), c.verb) << c.path;
    // Files that would run code when opened; streams, devices, relative and wildcard paths.
    for (const wchar_t *path :
         {L"C:\\tools\\setup.exe", L"C:\\tools\\run.bat", L"C:\\tools\\run.cmd", L"C:\\tools\\link.lnk",
          L"C:\\tools\\script.vbs", L"C:\\tools\\noextension", L"C:\\tools\\song.Mp3",
          L"C:\\tools\\song.mp3.exe", L"C:\\tools\\setup.exe:hidden.mp3", L"\\\\?\\C:\\clip.mpg",
          L"\\\\.\\PhysicalDrive0", L"clip.mpg", L"\\clip.mpg", L"C:clip.mpg", L"C:\\*.mpg"})
        EXPECT_EQ(ShellHandOffFor(path, PathKind::File), ShellVerb::Refuse) << path;
    EXPECT_STREQ(ShellVerbText(ShellVerb::Open), L"open");
    EXPECT_STREQ(ShellVerbText(ShellVerb::Explore), L"explore");
    EXPECT_EQ(ShellVerbText(ShellVerb::Refuse), nullptr);
}

TEST(WebAddress, OnlyHttpAndHttpsAddressesWithoutControlsOrBlanksAreOpened) {
    const wchar_t *opened[] = {L"https://www.example.jp/mirelo/", L"http://example.com",
                               L"HTTPS://EXAMPLE.COM/a?b=c&d=%20e", L"hTtP://例え.jp/ページ", L"http://x"};
    for (const wchar_t *a : opened) EXPECT_TRUE(IsWebAddress(a)) << a;
    // The scheme must come first; no control character, blank or quote anywhere.
    const wchar_t *refused[] = {
        L"", L"C:\\Windows\\System32\\calc.exe", L"calc.exe", L"file:///C:/Windows/System32/calc.exe",
        L"\\\\server\\share\\run.exe", L"javascript:alert(1)", L"ftp://example.com/",
        L"http:/example.com", L"http://", L"https://", L"http", L" http://example.com",
        L"http://example.com\r\nrun.exe", L"http://example.com\tx", L"http://example.com\x7F",
        L"http://example.com\x85", L"http://example.com --new-window file:///C:/x",
        L"http://example.com\"-arg", L"http://example.com\x3000x", L"httpx://example.com",
    };
    for (const wchar_t *a : refused) EXPECT_FALSE(IsWebAddress(a)) << a;
    EXPECT_FALSE(IsWebAddress(nullptr));
}

}  // namespace
