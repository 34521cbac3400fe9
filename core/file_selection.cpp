#include "core/file_selection.h"

#include "core/command_line.h"
#include "core/settings_record.h"

namespace {

struct FilterPair {
    const wchar_t *text;
    const wchar_t *pattern;
};

const FilterPair kFilters[] = {
    {L"すべてのファイル(*.*)", L"*.*"}, {L"mp3(*.mp3)", L"*.mp3"},
    {L"wav(*.wav)", L"*.wav"},          {L"avi(*.avi)", L"*.avi"},
    {L"mpg(*.mpg)", L"*.mpg"},          {L"mpeg(*.mpeg)", L"*.mpeg"},
    {L"cda(*.cda)", L"*.cda"},          {L"mid(*.mid)", L"*.mid"},
    {L"midi(*.midi)", L"*.midi"},       {L"asf(*.asf)", L"*.asf"},
    {L"aif(*.aif)", L"*.aif"},          {L"aifc(*.aifc)", L"*.aifc"},
    {L"aiff(*.aiff)", L"*.aiff"},       {L"au(*.au)", L"*.au"},
    {L"m3u(*.m3u)", L"*.m3u"},          {L"mp2(*.mp2)", L"*.mp2"},
    {L"mpa(*.mpa)", L"*.mpa"},          {L"snd(*.snd)", L"*.snd"},
    {L"rmi(*.rmi)", L"*.rmi"},          {L"wvx(*.wvx)", L"*.wvx"},
    {L"m1v(*.m1v)", L"*.m1v"},          {L"mpe(*.mpe)", L"*.mpe"},
    {L"mpv2(*.mpv2)", L"*.mpv2"},       {L"mp2v(*.mp2v)", L"*.mp2v"},
    {L"asx(*.asx)", L"*.asx"},          {L"wax(*.wax)", L"*.wax"},
    {L"wvx(*.wvx)", L"*.wvx"},          {L"wm(*.wm)", L"*.wm"},
    {L"wma(*.wma)", L"*.wma"},          {L"wmv(*.wmv)", L"*.wmv"},
    {L"wmx(*.wmx)", L"*.wmx"},          {L"wpl(*.wpl)", L"*.wpl"},
};

const size_t kLongestPath = kTextChars - 1;

// The NUL-ended text starting at `at`; false when the buffer ends before its NUL.
bool TextAt(const wchar_t *buffer, size_t chars, size_t at, std::wstring *text) {
    for (size_t end = at; end < chars; ++end)
        if (buffer[end] == L'\0') {
            text->assign(buffer + at, end - at);
            return true;
        }
    return false;
}

void Keep(FileSelection &selection, const std::wstring &path, const std::wstring &title) {
    if (path.size() <= kLongestPath) selection.files.push_back(ChosenFile{path, title});
}

} // namespace

std::wstring OpenDialogFilter() {
    std::wstring filter;
    for (const FilterPair &pair : kFilters) {
        filter += pair.text;
        filter.push_back(L'\0');
        filter += pair.pattern;
        filter.push_back(L'\0');
    }
    filter.push_back(L'\0');
    return filter;
}

FileSelection ReadFileSelection(const wchar_t *buffer, size_t chars) {
    FileSelection selection;
    std::wstring first;
    if (!buffer || !TextAt(buffer, chars, 0, &first) || first.empty()) return selection;
    size_t at = first.size() + 1;
    if (at >= chars || buffer[at] == L'\0') {
        Keep(selection, first, TitleOfPath(first));
        return selection;
    }
    selection.several = true;
    const std::wstring folder = first.back() == L'\\' ? first : first + L"\\";
    std::wstring name;
    while (at < chars && TextAt(buffer, chars, at, &name) && !name.empty()) {
        Keep(selection, folder + name, name);
        at += name.size() + 1;
    }
    return selection;
}
