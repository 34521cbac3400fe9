#include <gtest/gtest.h>

#include <vector>

#include "core/file_selection.h"
#include "core/command_line.h"

namespace {

// A dialog buffer of `chars` units holding `text` (embedded NULs included), zeros after it.
std::vector<wchar_t> Buffer(const std::wstring &text, size_t chars = 64) {
    std::vector<wchar_t> buffer(chars, L'\0');
    for (size_t i = 0; i < text.size() && i < chars; ++i)
        buffer[i] = text[i];
    return buffer;
}

// The paths, or with `titles` the titles, of a selection in order.
std::vector<std::wstring> Names(const FileSelection &s, bool titles = false) {
    std::vector<std::wstring> names;
    for (const ChosenFile &f : s.files) names.push_back(titles ? f.title : f.path);
    return names;
}

TEST(FileSelection, OnePathOrAFolderWithNamesInTheDialogsOrder) {
    struct Case { const char *what; std::wstring text; bool several;
                  std::vector<std::wstring> paths, titles; };
    const Case cases[] = {
        {"one file", L"C:\\Music\\a.mp3", false, {L"C:\\Music\\a.mp3"}, {L"a.mp3"}},
        {"three files", std::wstring(L"C:\\Music\0b.wav\0a.wav\0c.avi\0", 27), true,
         {L"C:\\Music\\b.wav", L"C:\\Music\\a.wav", L"C:\\Music\\c.avi"},
         {L"b.wav", L"a.wav", L"c.avi"}},
        {"a folder at the root of a drive", std::wstring(L"D:\\\0x.wav\0y.wav\0z.wav\0", 22), true,
         {L"D:\\x.wav", L"D:\\y.wav", L"D:\\z.wav"}, {L"x.wav", L"y.wav", L"z.wav"}},
        {"nothing", L"", false, {}, {}},
    };
    for (const Case &c : cases) {
        const std::vector<wchar_t> buffer = Buffer(c.text);
        const FileSelection s = ReadFileSelection(buffer.data(), buffer.size());
        EXPECT_EQ(s.several, c.several) << c.what;
        EXPECT_EQ(Names(s), c.paths) << c.what;
        EXPECT_EQ(Names(s, true), c.titles) << c.what;
    }
}

TEST(FileSelection, NeverReadsPastTheBufferNorKeepsOverlongPaths) {
    const std::wstring longName(250, L'n');
    struct Case { const char *what; std::wstring text; size_t chars; std::vector<std::wstring> paths; };
    const Case cases[] = {
        // The buffer is full and has no terminator: the unterminated text is not a path.
        {"one unterminated path", L"C:\\abcdefgh", 8, {}},
        {"last name unterminated", std::wstring(L"C:\\M\0a.wav\0bbbbb", 16), 16, {L"C:\\M\\a.wav"}},
        {"the list's end missing", std::wstring(L"C:\\M\0a.wav\0", 11), 11, {L"C:\\M\\a.wav"}},
        {"a path of 260 characters", L"C:\\" + std::wstring(257, L'p'), 400, {}},
        {"a path of 259 characters", L"C:\\" + longName + L"pppppp", 400, {L"C:\\" + longName + L"pppppp"}},
        {"folder and name too long together",
         L"C:\\" + longName + std::wstring(L"\0short.wav\0a.wav\0", 17), 600, {L"C:\\" + longName + L"\\a.wav"}},
    };
    for (const Case &c : cases) {
        // Exactly `chars` units, in a vector of its own so the sanitizers see any overrun.
        std::vector<wchar_t> buffer(c.text.begin(), c.text.end());
        buffer.resize(c.chars, L'\0');
        const FileSelection s = ReadFileSelection(buffer.data(), buffer.size());
        EXPECT_EQ(Names(s), c.paths) << c.what;
    }
    EXPECT_TRUE(ReadFileSelection(nullptr, 10).files.empty());
}

TEST(CommandLine, QuotedPathsAfterTheProgramArePending) {
    struct Case { const wchar_t *line; std::vector<std::wstring> pieces; };
    const Case cases[] = {
        {L"\"C:\\Mirelo.exe\"", {}},
        {L"\"C:\\Mirelo.exe\" ", {L" "}},
        {L"\"C:\\Mirelo.exe\" \"C:\\a b.mp3\" \"D:\\c.avi\"",
         {L" ", L"C:\\a b.mp3", L" ", L"D:\\c.avi"}},
        // An unquoted path arrives with its leading blank.
        {L"\"C:\\Mirelo.exe\" C:\\x.wav", {L" C:\\x.wav"}},
        // Two quotes in a row make no piece.
        {L"\"C:\\Mirelo.exe\" \"\"\"C:\\y.mp3\"", {L" ", L"C:\\y.mp3"}},
        {L"Mirelo.exe", {}},
        {L"", {}},
    };
    for (const Case &c : cases) EXPECT_EQ(PendingCommandLinePieces(c.line), c.pieces) << c.line;
    EXPECT_TRUE(PendingCommandLinePieces(nullptr).empty());
}

TEST(CommandLine, BlankGapsAndOverlongPiecesAreNotImported) {
    // Only the single blank is a gap.
    for (const std::wstring &piece : {std::wstring(L" "), std::wstring(), std::wstring(260, L'a')})
        EXPECT_FALSE(IsImportablePiece(piece)) << piece.size();
    for (const std::wstring &piece :
         {std::wstring(L"C:\\a.mp3"), std::wstring(L"  "), std::wstring(259, L'a')})
        EXPECT_TRUE(IsImportablePiece(piece)) << piece.size();
}

TEST(CommandLine, TitleIsTheTextAfterTheLastBackslash) {
    EXPECT_EQ(TitleOfPath(L"C:\\Music.Folder\\song.mp3"), L"song.mp3");
    EXPECT_EQ(TitleOfPath(L"song.mp3"), L"song.mp3");
    EXPECT_EQ(TitleOfPath(L"C:\\dir\\"), L"");
}

}  // namespace
