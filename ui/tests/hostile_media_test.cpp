// Hostile files and paths taken in as a person would bring them: each one added to the stock
// list through the drop and file-dialog step, played until the device answers, given its
// thumbnail, and deleted again.
// Nothing may crash, a path the program cannot hold leaves the store as it was, and every
// entry goes with its thumbnail.



#include <set>

#include "core/device_type.h"
#include "core/command_line.h"
#include "core/settings_table.h"
#include "resources/resource.h"
#include "services/media_device.h"
#include "services/stock_store.h"
#include "services/transport.h"
#include "ui/window_state.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/media_files.h"
#include "ui/shell/window_commands.h"
#include "ui/stock/stock_window.h"

namespace {

std::wstring InFolder(const std::wstring &name) { return driver::InTestFolder(L"hostile", name); }

// A path of exactly `length` characters in the test folder, ending in `tail`, its folders
// made (every name below the platform's 255-character limit).
std::wstring PathOfLength(size_t length, const std::wstring &tail) {
    std::wstring path = InFolder(L"");
    while (path.size() + tail.size() < length) {
        const size_t room = length - path.size() - tail.size();
        path += room <= 200 ? std::wstring(room, L'p') : std::wstring(150, L'd') + L"\\";
        CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
    }
    return path + tail;
}

// Answers every message box of this process until it is destroyed.
struct Answerer {
    volatile LONG stop = 0;
    HANDLE thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    ~Answerer() {
        InterlockedExchange(&stop, 1);
        WaitForSingleObject(thread, 5000);
        CloseHandle(thread);
    }
    static DWORD WINAPI Run(void *self) {
        for (Answerer *a = static_cast<Answerer *>(self); !a->stop; Sleep(20))
            for (HWND box : driver::WindowsOf(GetCurrentProcessId(), L"#32770"))
                if (IsWindowVisible(box)) driver::PressDialogButton(box, GetDlgItem(box, IDOK) ? IDOK : IDCANCEL);
        return 0;
    }
};

// `good`: a WAV that plays.
struct Input { std::wstring label, path; bool good = false; };

using HostileMedia = driver::AppTest;

TEST_F(HostileMedia, EveryInputIsAddedPlayedAndDeletedWithoutHarm) {
    std::vector<Input> inputs;
    // An empty file, a WAV cut after its headers, and bytes no decoder takes. The decoders
    // look at the bytes whatever the name, and the name only picks the device type: the first
    // extension of each type gets one of the three in turn, and the decoders' own kinds get
    // all three.
    const std::wstring whole = InFolder(L"whole.wav");
    ASSERT_TRUE(driver::WriteWav(whole, 900));
    const std::string cut = driver::ReadBytes(whole).substr(0, 60);
    auto add = [&](const std::wstring &extension, size_t kind) {
        const wchar_t *kinds[] = {L"empty", L"cut", L"noise"};
        const std::wstring name = std::wstring(kinds[kind]) + L"." + extension;
        inputs.push_back({name, InFolder(name)});
        EXPECT_TRUE(kind == 2 ? driver::WriteRandomBytes(inputs.back().path)
                              : driver::WriteBytes(inputs.back().path, kind ? cut : "")) << kind;
    };
    std::set<std::wstring> types;
    for (const std::wstring extension : kMediaExtensions) {
        if (extension == L"wav" || extension == L"avi" || extension == L"mpg")
            for (size_t kind = 0; kind < 3; ++kind) add(extension, kind);
        else if (types.insert(ResolveDeviceType((L"x." + extension).c_str(), nullptr)).second)
            add(extension, types.size() % 3);
    }
    inputs.push_back({L"an MP3 named .avi", InFolder(L"tone-mp3.avi")});
    ASSERT_TRUE(CopyFileW(driver::MadeMedia(L"tone.mp3").c_str(), inputs.back().path.c_str(), FALSE));
    inputs.push_back({L"a folder named x.mpg", InFolder(L"x.mpg")});
    CreateDirectoryW(inputs.back().path.c_str(), nullptr);
    inputs.push_back({L"a missing file", InFolder(L"missing.wav")});
    for (const wchar_t *name : {L"spaces and 'quotes' `x` %d %s 100%.wav", L"日本語の 曲 ♪.wav"}) {
        inputs.push_back({name, InFolder(name), true});
        ASSERT_TRUE(driver::WriteWav(inputs.back().path, 900));
    }
    for (size_t length : {259u, 260u, 300u}) {
        inputs.push_back({std::to_wstring(length) + L" characters",
                          PathOfLength(length, L"\\long.wav"), length < kTextChars});
        ASSERT_TRUE(inputs.back().path.size() == length && driver::WriteWav(L"\\\\?\\" + inputs.back().path, 900));
    }

    HWND main = StartApp();
    Answerer answerer;
    for (const Input &input : inputs) {
        SCOPED_TRACE(testing::Message() << input.label);
        AddFilesAndShow({ChosenFile{input.path, TitleOfPath(input.path)}});
        const int added = EntryCount(0);
        // A file the device could not open has no length of its own.
        if (!MediaIsOpen()) { EXPECT_EQ(MediaLengthMs(), 0u); }
        // Played only until the device answers; the good files must start.
        PerformMainCommand(ID_PLAY);
        const bool played = MediaIsOpen() && driver::MediaPlaying();
        if (input.good) {
            EXPECT_TRUE(played || driver::PumpUntil([] { return driver::MediaPlaying(); }, 1000)); }
        OnStopReleased();
        // A folder is its media files (none here); a path too long to hold is refused.
        if (input.path.size() >= size_t(kTextChars) || input.path == InFolder(L"x.mpg")) {
            EXPECT_EQ(added, 0) << "nothing stored: the store as it was";
        } else {
            ASSERT_EQ(added, 1);
            EXPECT_TRUE(ReadStockField(0, 0, FieldPath) == input.path && !ReadStockField(0, 0, FieldTitle).empty());
            // Deleted with the list's own command: the entry and its thumbnail go.
            ListView_SetItemState(g_ui.hList, 0, LVIS_SELECTED, LVIS_SELECTED);
            SendMessageW(g_ui.hStock, WM_COMMAND, ID_STOCK_DELETE, 0);
        }
        EXPECT_EQ(EntryCount(0) + CountGenreEntries(0) + int(driver::ValueCount(kRegKeyPaths[KeyFilePath])), 0);
        EXPECT_TRUE(driver::FilesIn(driver::kCapFolder).empty()) << "a thumbnail left behind";
        ASSERT_TRUE(IsWindow(main));
    }
}

}  // namespace
