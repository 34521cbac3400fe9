// The media device against real files under Wine's MCI: a WAV and an uncompressed AVI that
// the tests write themselves, and an MP3 and an MPEG-1 video made by ffmpeg before the tests
// (tests/make_media.sh, run by the "media.make" fixture).
#include <tuple>

#include "services/media_device.h"
#include "services/app_state.h"
#include "services/media_host.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/media_files.h"

namespace {

std::wstring MediaFolder() { return driver::ProgramFolder() + L"media\\"; }

// WM_APP reaches the device, as a command of the program's windows would, then makes a
// handle (which takes the number of one just closed).
HANDLE g_made;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_APP) return DefWindowProcW(hwnd, msg, wParam, lParam);
    MediaIsOpen();
    g_made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return 0;
}

DWORD WINAPI SendApp(void *window) { return DWORD(SendMessageW(static_cast<HWND>(window), WM_APP, 0, 0)); }

// A playback window, as the program has one. Made once: taking a top-level window down
// costs seconds under Wine without a window manager.
class MediaDevice : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        CreateDirectoryW(MediaFolder().c_str(), nullptr);
        ASSERT_TRUE(driver::WriteWav(MediaFolder() + L"tone.wav", 1750));
        ASSERT_TRUE(driver::WriteAvi(MediaFolder() + L"frames.avi", 15));
        ASSERT_TRUE(driver::WriteRandomBytes(MediaFolder() + L"noise.mpg"));
        WNDCLASSW wc = {0, HostProc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr, L"MediaTestHost"};
        RegisterClassW(&wc);
        s_play = CreateWindowExW(0, L"MediaTestHost", L"", WS_POPUP | WS_VISIBLE, 100, 100, 535, 400, nullptr, nullptr, wc.hInstance, nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(s_play); }
    void SetUp() override { ResetAppState(), SetVideoParent(s_play); }
    void TearDown() override { CloseMedia(), SetOpensPerHostForTests(0); }
    // A file the fixture made; its absence fails the test rather than skipping it.
    std::wstring Media(const wchar_t *name) {
        const std::wstring path = MediaFolder() + name;
        EXPECT_TRUE(driver::Exists(path)) << "missing test media; ctest runs tests/make_media.sh first";
        return path;
    }
    static HWND s_play;
};
HWND MediaDevice::s_play;

// Files that open and files that do not, one after the other on the same device: each
// gets its own length, only pictures a video window, and a failure leaves nothing behind.
TEST_F(MediaDevice, EachFileOpensWithItsOwnLengthAndOnlyPicturesGetAVideoWindow) {
    // lengthMs 0: the file cannot be opened
    struct Case { const wchar_t *file; DWORD lengthMs; bool picture; const wchar_t *typeText; };
    const Case cases[] = {{L"tone.wav", 1750, false, L"WaveAudio"}, {L"missing.mp3", 0, false, nullptr}, {L"frames.avi", 1500, true, L"AVIVideo"},
                          {L"noise.mpg", 0, false, nullptr}, {L"tone.mp3", 2500, false, L"MPEGVideo"}, {L"missing.avi", 0, false, nullptr},
                          {L"clip.mpg", 2000, true, L"MPEGVideo"}};
    // Another child of the playback window is never taken for the picture.
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, s_play, nullptr, nullptr, nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "file " << c.file);
        const std::wstring path = c.lengthMs ? Media(c.file) : MediaFolder() + c.file;
        const HWND before = MediaVideoWindow();
        OpenMedia(path.c_str());
        if (before) { EXPECT_FALSE(IsWindow(before)) << "the last file's video window stays"; }
        EXPECT_TRUE((MediaVideoWindow() != nullptr) == c.picture && MediaVideoWindow() != other);
        if (!c.lengthMs) {
            EXPECT_FALSE(MediaIsOpen());
            EXPECT_EQ(MediaLengthMs(), 0u) << "not the previous file's length";
            continue;
        }
        ASSERT_TRUE(MediaIsOpen());
        EXPECT_STREQ(OpenedDeviceType(), L"mpegvideo");
        EXPECT_STREQ(MediaTypeText(), c.typeText);
        EXPECT_NEAR(double(MediaLengthMs()), double(c.lengthMs), 50.0);
        if (c.picture) { EXPECT_EQ(GetParent(MediaVideoWindow()), VideoParent()); }
    }
    const HWND video = MediaVideoWindow();
    CloseMedia();
    EXPECT_FALSE(IsWindow(video)) << "closing takes the video window down";
    EXPECT_FALSE(MediaIsOpen()) << "a closed device still counts as open";
    DestroyWindow(other);
}

TEST_F(MediaDevice, DeviceTypeTextComesFromTheSystemTableForKnownExtensionsOnly) {
    // Two table extensions the system does not map, given names of 31 and of 40 characters:
    // the longer one does not fit the 64-byte buffer and reads as unmapped.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions", 0,
                            KEY_READ | KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const std::wstring fits(31, L'f'), tooLong(40, L'x');
    RegSetValueExW(key, L"k3g", 0, REG_SZ, reinterpret_cast<const BYTE *>(fits.c_str()), 64);
    RegSetValueExW(key, L"lmp4", 0, REG_SZ, reinterpret_cast<const BYTE *>(tooLong.c_str()), 82);
    struct Case { const wchar_t *path, *text; bool shows; };
    const Case cases[] = {{L"C:\\Music.Folder\\song.mp3", L"MPEGVideo", true}, {L"C:\\m\\picture.png", L"non", true},
                          {L"C:\\m\\a.k3g", fits.c_str(), true}, {L"C:\\m\\a.lmp4", L"non", true}, {L"C:\\Music.Folder\\readme", L"Non", false}};
    // A hidden child stands for the playback window here: hiding a top-level window takes
    // seconds under Wine without a window manager.
    HWND shown = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, VideoParent(), nullptr, nullptr, nullptr);
    for (const Case &c : cases) {
        ShowWindow(shown, SW_HIDE);
        EXPECT_TRUE(ResolveDeviceType(c.path, shown) == c.text && (IsWindowVisible(shown) != FALSE) == c.shows) << c.path;
    }
    RegDeleteValueW(key, L"k3g"), RegDeleteValueW(key, L"lmp4"), RegCloseKey(key);

}

int g_stuckCount;
void CountStuck() { ++g_stuckCount; }

TEST_F(MediaDevice, ADeviceWhoseProcessIsGoneIsGivenUpAndTheNextOpenGetsANewOne) {
    SetStuckDeviceListener(CountStuck);
    g_stuckCount = 0;
    OpenMedia(Media(L"clip.mpg").c_str());
    ASSERT_TRUE(DevicePlay());
    // As when the device stops answering and its process is ended.
    EndMediaHost();
    DWORD mode = 0;
    EXPECT_FALSE(DeviceStatus(MCI_STATUS_MODE, &mode));
    EXPECT_FALSE(MediaIsOpen() || MediaVideoWindow());
    EXPECT_FALSE(DeviceStop()) << "nothing more is sent to it";
    EXPECT_EQ(g_stuckCount, 1) << "the windows are told once";
    OpenMedia(Media(L"tone.wav").c_str());
    EXPECT_NEAR(double(MediaLengthMs()), 1750.0, 50.0);
    SetStuckDeviceListener(nullptr);
}

TEST_F(MediaDevice, ADeviceCallAnsweredWhileTheStartUpOpenIsAwaitedClosesNoOtherHandle) {
    OpenMediaAhead(Media(L"tone.wav").c_str(), s_play, WM_NULL, nullptr);
    HANDLE sender = CreateThread(nullptr, 0, SendApp, s_play, 0, nullptr);
    FinishOpeningAhead();  // answers the sent message while it waits
    WaitForSingleObject(sender, 5000), CloseHandle(sender);
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(g_made, &flags)) << "closed by the open";
    CloseHandle(g_made);
    EXPECT_NEAR(double(MediaLengthMs()), 1750.0, 50.0);
}

// Another process's window of the host's name is never taken for the host, a request from
// any other process than the program is ignored, and a host that stops answering is ended
// without a new one being started for nothing.
TEST_F(MediaDevice, TheProgramAndItsHostHearOnlyEachOtherAndAStuckHostIsOnlyEnded) {
    EndMediaHost();
    const std::wstring title = L"MireloMediaHost " + std::to_wstring(GetCurrentProcessId());
    WNDCLASSW wc = {0, DefWindowProcW, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr, L"MireloMediaHost"};
    RegisterClassW(&wc);
    HWND decoy = CreateWindowExW(0, wc.lpszClassName, title.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    OpenMedia(Media(L"tone.wav").c_str());
    DestroyWindow(decoy);
    EXPECT_NEAR(double(MediaLengthMs()), 1750.0, 50.0) << "the open went to the decoy";
    ASSERT_TRUE(DevicePlay());
    HWND host = FindWindowExW(HWND_MESSAGE, nullptr, wc.lpszClassName, title.c_str());
    HostRequest stop = {};
    lstrcpynW(stop.text, L"stop music", ARRAYSIZE(stop.text));
    COPYDATASTRUCT data = {HostString, sizeof stop, &stop};
    for (HWND from : {HWND(nullptr), host})  // no window, and one of another process
        SendMessageW(host, WM_COPYDATA, WPARAM(from), LPARAM(&data));
    DWORD mode = 0;
    EXPECT_TRUE(DeviceStatus(MCI_STATUS_MODE, &mode) && mode == MCI_MODE_PLAY) << "a stranger stopped it";

    // A host that stops answering, as one held for good by its device.
    const auto suspend = reinterpret_cast<LONG(WINAPI *)(HANDLE)>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSuspendProcess")));
    HANDLE held = OpenProcess(PROCESS_SUSPEND_RESUME, FALSE, MediaHostProcessId());
    ASSERT_EQ(suspend(held), 0);
    CloseHandle(held);
    EXPECT_FALSE(DeviceStop() || MediaIsOpen());
    EXPECT_EQ(MediaHostProcessId(), 0u) << "a host was started that no one asked for";
}

TEST_F(MediaDevice, AHostThatOpenedManyFilesIsReplacedAndTheNextOpenWorks) {
    SetOpensPerHostForTests(3);
    OpenMedia(Media(L"tone.wav").c_str());
    const DWORD first = MediaHostProcessId();
    HANDLE old = OpenProcess(SYNCHRONIZE, FALSE, first);
    for (int i = 0; i < 5 && MediaHostProcessId() == first; ++i)
        OpenMedia(Media(L"tone.wav").c_str());
    EXPECT_NE(MediaHostProcessId(), first) << "never replaced";
    EXPECT_NEAR(double(MediaLengthMs()), 1750.0, 50.0);
    EXPECT_EQ(WaitForSingleObject(old, 5000), WAIT_OBJECT_0) << "the old host was left running";
    CloseHandle(old);
}

TEST(MediaHost, OnlyTheProgramsOwnHostCommandLineMakesAHost) {
    struct Case { const wchar_t *line; bool host; };
    const Case cases[] = {{L"\"C:\\m\\Mirelo.exe\" /mediahost 412", true}, {L"\"C:\\m\\Mirelo.exe\"", false},
                          {L"\"C:\\m\\Mirelo.exe\" \"C:\\a /mediahost 1.mp3\"", false}, {L"\"C:\\m\\Mirelo.exe\" /mediahost 41x", false},
                          {L"\"C:\\m\\Mirelo.exe\" /mediahost ", false}, {L"C:\\m\\Mirelo.exe /mediahost 412", false},
                          {L"\"C:\\m\\Mirelo.exe\" \"x.mp3\" /mediahost 412", false}};
    for (const Case &c : cases) EXPECT_EQ(IsMediaHostCommandLine(c.line), c.host) << c.line;
    EXPECT_FALSE(IsMediaHostCommandLine(nullptr));
}

// Which verb a path gets is tested platform-free; here the kind comes from the real disk.
TEST(ShellHandOff, OnlyExistingMediaFilesAndFoldersAreHandedOver) {
    const std::wstring song = driver::InTestFolder(L"hand off", L"song.mp3"), folder = song.substr(0, song.rfind(L'\\'));
    const std::wstring setup = folder + L"\\setup.exe";
    ASSERT_TRUE(driver::WriteBytes(song, "") && driver::WriteBytes(setup, ""));
    EXPECT_EQ(ShellHandOffForPath(song.c_str()), ShellVerb::Open);
    EXPECT_EQ(ShellHandOffForPath(setup.c_str()), ShellVerb::Refuse);
    EXPECT_EQ(ShellHandOffForPath((folder + L"\\gone.mp3").c_str()), ShellVerb::Refuse);
    EXPECT_EQ(ShellHandOffForPath(folder.c_str()), ShellVerb::Explore);
    EXPECT_EQ(ShellHandOffForPath(nullptr), ShellVerb::Refuse);
    EXPECT_FALSE(HandToShell(setup.c_str())) << "refused paths never reach the shell";
}

} // namespace
