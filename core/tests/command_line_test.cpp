#include <gtest/gtest.h>

#include "core/command_line.h"

TEST(CommandLine, QuotedPathsAfterTheProgramArePending) {
    struct Case {
        const wchar_t *line;
        std::vector<std::wstring> pieces;
    };
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
    EXPECT_FALSE(IsImportablePiece(L" "));
    EXPECT_FALSE(IsImportablePiece(L""));
    EXPECT_TRUE(IsImportablePiece(L"C:\\a.mp3"));
    EXPECT_TRUE(IsImportablePiece(L"  "));  // only the single blank is a gap
    EXPECT_TRUE(IsImportablePiece(std::wstring(259, L'a')));
    EXPECT_FALSE(IsImportablePiece(std::wstring(260, L'a')));
}

TEST(CommandLine, TitleIsTheTextAfterTheLastBackslash) {
    EXPECT_EQ(TitleOfPath(L"C:\\Music.Folder\\song.mp3"), L"song.mp3");
    EXPECT_EQ(TitleOfPath(L"song.mp3"), L"song.mp3");
    EXPECT_EQ(TitleOfPath(L"C:\\dir\\"), L"");
}
