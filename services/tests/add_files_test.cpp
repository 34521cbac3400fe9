// Adding real files and folders: the thumbnail each kind of media gets, files that are broken
// or cannot be decoded, and the BMP files the writer leaves for other programs.

#include <vector>

#include "services/media_device.h"
#include "services/app_state.h"
#include "services/registry.h"
#include "services/add_files.h"
#include "services/frame_capture.h"
#include "core/stock_names.h"
#include "services/stock_store.h"
#include "services/thumbnail.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/media_files.h"

namespace {

std::wstring InFolder(const std::wstring &name) { return driver::InTestFolder(L"add", name); }
std::wstring Media(const std::wstring &name) { return driver::MadeMedia(name); }
// Files other programs read back after the tests (tests/check_bmp.sh).
std::wstring ForCheck(const std::wstring &name) { return driver::ForCheck(L"bmp-check", name); }

// The first part of a file, as a download cut short would leave it.
void WriteTruncatedCopy(const std::wstring &from, const std::wstring &to, size_t keep) {
    ASSERT_TRUE(driver::WriteBytes(to, driver::ReadBytes(from).substr(0, keep)));
}

// sizesAgree: the file size, the header size and the bytes present agree
struct BmpFacts { bool exists = false, sizesAgree = false; int width = 0, height = 0, bits = 0; };

BmpFacts ReadBmp(const std::wstring &path) {
    BmpFacts facts;
    const std::string bytes = driver::ReadBytes(path);
    const std::vector<BYTE> b(bytes.begin(), bytes.end());
    if (b.size() < 54) return facts;
    auto u32 = [&](size_t at) {
        return DWORD(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
    };
    facts.exists = b[0] == 'B' && b[1] == 'M';
    facts.width = int(u32(18));
    facts.height = int(u32(22));
    facts.bits = b[28] | b[29] << 8;
    const DWORD stride = (DWORD(facts.width) * facts.bits / 8 + 3) & ~3u;
    facts.sizesAgree =
        u32(2) == b.size() && u32(10) == 54 && b.size() - 54 >= stride * DWORD(facts.height);
    return facts;
}

class AddFiles : public driver::AppTest {};

TEST_F(AddFiles, EachKindOfFileIsStoredWithTheThumbnailItsPictureAllows) {
    ASSERT_TRUE(driver::WriteAvi(InFolder(L"small.avi"), 5, 64, 48));
    ASSERT_TRUE(driver::WriteWav(InFolder(L"voice.wav"), 600));
    ASSERT_TRUE(driver::WriteRandomBytes(InFolder(L"noise.avi")));
    ASSERT_TRUE(driver::WriteAvi(InFolder(L"whole.avi"), 20, 64, 48));
    WriteTruncatedCopy(InFolder(L"whole.avi"), InFolder(L"cut.avi"), 30000);
    WriteTruncatedCopy(Media(L"clip.mpg"), InFolder(L"cut.mpg"), 40000);
    // width and height of the thumbnail; 0: none; -1: none, or one of any size
    struct Case { std::wstring path; int width, height; };
    const Case cases[] = {
        {InFolder(L"small.avi"), 64, 48}, {Media(L"clip.mpg"), 160, 120},
        {Media(L"tone.mp3"), 0, 0},       {InFolder(L"voice.wav"), 0, 0},
        // The AVI library has no decoder for these; the filter graph's first frame serves.
        {Media(L"mjpeg.avi"), 320, 240},  {Media(L"rawvideo.avi"), 160, 120},
        {InFolder(L"noise.avi"), 0, 0},   {InFolder(L"cut.avi"), -1, -1},
        {InFolder(L"cut.mpg"), -1, -1},   {InFolder(L"missing.avi"), 0, 0},
    };
    HWND main = StartApp();
    int genre = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.path.begin(), c.path.end()));
        // One genre per file, so no genre fills up.
        LoadGenre(genre);
        const std::wstring title = c.path.substr(c.path.rfind(L'\\') + 1);
        const DWORD start = GetTickCount();
        AddOneFile(c.path.c_str(), title.c_str());
        EXPECT_LT(GetTickCount() - start, 8000u) << "adding one file stays bounded";
        ASSERT_EQ(EntryCount(genre), 1);
        const BmpFacts bmp = ReadBmp(ThumbnailPath(genre, 0));
        if (c.width == 0) {
            EXPECT_FALSE(bmp.exists);
        } else if (c.width > 0 || bmp.exists) {
            ASSERT_TRUE(bmp.exists);
            EXPECT_TRUE(bmp.sizesAgree);
            EXPECT_EQ(bmp.bits, 24);
            if (c.width > 0) {
                EXPECT_EQ(bmp.width, c.width);
                EXPECT_EQ(bmp.height, c.height);
            }
        }
        ++genre;
    }
    // The two video thumbnails go to ImageMagick (tests/check_bmp.sh).
    CopyFileW(ThumbnailPath(0, 0).c_str(), ForCheck(L"avi-thumbnail.bmp").c_str(), FALSE);
    CopyFileW(ThumbnailPath(1, 0).c_str(), ForCheck(L"mpg-thumbnail.bmp").c_str(), FALSE);
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer)) << "answering";
}

TEST_F(AddFiles, AnAviShorterThanTheCaptureFrameGivesFrameZeroAndCaptureStaysZero) {
    ASSERT_TRUE(driver::WriteAvi(InFolder(L"five.avi"), 5, 32, 16));
    // frame: whose pixels the thumbnail holds; captureAfter: in memory and in the registry
    struct Case { int capture, frame, captureAfter; };
    const Case cases[] = {{4, 4, 4}, {9, 0, 0}, {3, 3, 3}, {-1, 0, 0}};
    StartApp();
    int index = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.capture);
        g_app.settings.Capture = c.capture;
        WriteDwordValue(g_app.keys.write[KeyCap], L"Capture", c.capture);
        AddOneFile(InFolder(L"five.avi").c_str(), L"five.avi");
        const std::string bmp = driver::ReadBytes(ThumbnailPath(0, index++));
        ASSERT_GT(bmp.size(), 56u);
        // The test frames count up from 40 x frame number.
        EXPECT_EQ(BYTE(bmp[54]), BYTE(c.frame * 40));
        EXPECT_EQ(BYTE(bmp[55]), BYTE(7 + c.frame * 40));
        EXPECT_EQ(g_app.settings.Capture, c.captureAfter);
        EXPECT_EQ(driver::ReadRegistryDword(L"Software\\Mirelo\\Setting\\Cap", L"Capture", 99),
                  DWORD(c.captureAfter));
    }
}

TEST_F(AddFiles, TheBmpWriterWritesWhatItCanAndRefusesTheRest) {
    // 3 x 2 at 24 bits, its size computed by the writer: rows of 9 bytes padded to 12, the
    // bottom row (red, green, blue) first, then white, black, grey.
    BITMAPINFOHEADER h = {40, 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> picture(reinterpret_cast<BYTE *>(&h), reinterpret_cast<BYTE *>(&h + 1));
    picture.insert(picture.end(), {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0, 0,
                                   128, 128, 128, 0, 0, 0});
    BITMAPINFOHEADER *header = reinterpret_cast<BITMAPINFOHEADER *>(picture.data());
    const std::wstring written = ForCheck(L"three-by-two.bmp");
    EXPECT_TRUE(WriteBmpFile(written.c_str(), picture.data(), picture.size()));
    EXPECT_EQ(driver::ReadBytes(written).size(), 54u + 24u);

    // A refused picture leaves no file behind (which ones are refused is tested platform-free).
    const std::wstring refused = InFolder(L"refused.bmp");
    header->biSizeImage = 4096; // more pixels claimed than the picture holds
    EXPECT_FALSE(WriteBmpFile(refused.c_str(), picture.data(), picture.size()));
    EXPECT_FALSE(ReadBmp(refused).exists);

    // A file that cannot be created is a failure.
    header->biSizeImage = 24;
    EXPECT_FALSE(WriteBmpFile(L"C:\\mirelo-test\\no such folder\\x.bmp", picture.data(),
                              picture.size()));
}

// A decoder that never delivers: the add goes on within the limit (shortened here) and the
// entry keeps the default picture, and a photo of the same media fails in time as well.
HANDLE g_unstall;

TEST_F(AddFiles, AFirstFrameThatNeverComesLeavesTheDefaultPictureInTime) {
    g_unstall = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetDecodeStallForTests([] { WaitForSingleObject(g_unstall, 20000); }, 300);
    OpenRegistryKeys(g_app.keys);
    DWORD start = GetTickCount();
    AddOneFile(Media(L"clip.mpg").c_str(), L"clip.mpg");
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(EntryCount(0), 1);
    EXPECT_FALSE(ReadBmp(ThumbnailPath(0, 0)).exists);
    std::vector<uint8_t> picture;
    start = GetTickCount();
    EXPECT_NE(GrabCurrentFrame(MediaPath().c_str(), &picture), GrabResult::Grabbed);
    EXPECT_LT(GetTickCount() - start, 2000u);
    SetDecodeStallForTests(nullptr);
    SetEvent(g_unstall);
    // The decodes given up on finish now; none may run on into the next test.
    EXPECT_TRUE(driver::PumpUntil([] { return AbandonedDecodesRunning() == 0; }, 20000));
}

// A folder given to add is its media files: those directly inside it, in name order, until
// the genre is full; never an entry of its own.
TEST_F(AddFiles, AFolderAddsItsMediaFilesByNameUntilTheGenreIsFull) {
    const std::wstring folder = driver::InTestFolder(L"folder add", L"");
    driver::DeleteFilesIn(folder.c_str());
    for (const wchar_t *name : {L"g.wav", L"B.wav", L"a.wav", L"f.wav", L"c.wav", L"e.wav"})
        ASSERT_TRUE(driver::WriteWav(folder + name, 200));
    ASSERT_TRUE(driver::WriteBytes(folder + L"notes.txt", "not media"));
    CreateDirectoryW((folder + L"sub.wav").c_str(), nullptr);  // a subfolder, whatever its name
    const std::wstring empty = driver::InTestFolder(L"folder add empty", L"");
    driver::DeleteFilesIn(empty.c_str());
    OpenRegistryKeys(g_app.keys);

    EXPECT_FALSE(::AddFiles({ChosenFile{empty, L""}})) << "a folder without media is said";
    EXPECT_EQ(EntryCount(0), 0);
    EXPECT_TRUE(::AddFiles({ChosenFile{folder, L"folder add"}}));
    ASSERT_EQ(EntryCount(0), kStockEntryLimit);
    const wchar_t *stored[] = {L"a.wav", L"B.wav", L"c.wav", L"e.wav", L"f.wav"};
    for (int i = 0; i < kStockEntryLimit; ++i) {
        EXPECT_EQ(ReadStockField(0, i, FieldTitle), stored[i]) << i;
        EXPECT_EQ(ReadStockField(0, i, FieldPath), folder + stored[i]) << i;
    }
}

} // namespace
