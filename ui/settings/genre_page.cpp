#include "ui/settings/genre_page.h"

#include "services/app_state.h"
#include "services/settings.h"

namespace {

struct GenreRow {
    int edit, button;
};
// Row n renames genre n (its label reads n + 1). The dialog's ids are scattered, so the
// pairing is kept here and nothing relies on their order.
const GenreRow kGenreRows[kGenreCount] = {
    {1020, 1018}, {1021, 143},  {1008, 144}, {1010, 145},  {1022, 146},  {1023, 147},
    {1024, 148},  {1009, 150},  {1011, 142}, {1013, 1019}, {1014, 1025}, {1026, 1027},
    {1029, 149},  {1012, 151},  {1016, 152}, {1031, 153},  {1028, 154},  {1030, 155},
    {1015, 156},  {1017, 1032}, {1033, 157}, {1035, 1034},
};

void OnInit(HWND page) {
    for (int genre = 0; genre < kGenreCount; ++genre)
        SetDlgItemTextW(page, kGenreRows[genre].edit, g_app.settings.Genre[genre]);
}

// The row's text becomes the genre's name, in memory and in the registry; the places that
// show names read them the next time they open.
void Rename(HWND page, int button) {
    for (int genre = 0; genre < kGenreCount; ++genre) {
        if (kGenreRows[genre].button != button) continue;
        wchar_t *name = g_app.settings.Genre[genre];
        GetDlgItemTextW(page, kGenreRows[genre].edit, name, kTextChars);
        StoreSetting(name);
    }
}

} // namespace

int GenreFieldButton(int field) {
    for (const GenreRow &row : kGenreRows)
        if (row.edit == field) return row.button;
    return 0;
}

INT_PTR CALLBACK GenrePageProc(HWND page, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInit(page);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) Rename(page, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
