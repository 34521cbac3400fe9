#include "ui/shell/recording.h"

#include <windows.h>

#include "core/button_table.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/recorder.h"
#include "services/texts.h"
#include "ui/shell/file_chooser.h"
#include "ui/shell/skinned_button.h"

namespace {

const wchar_t kSaveTitle[] = L"名前を付けて録音ファイルを保存する";
const wchar_t kSaveFilter[] = L"wav(*.wav)\0*.wav\0All files(*.*)\0*.*\0";

// The last path chosen: the next save dialog opens on it.
wchar_t s_recordPath[kTextChars], s_recordTitle[kTextChars];

// True from the press that stops a take until its file is written or the take dropped: a
// press meanwhile (the menu command, Alt+R, or a click while a box is shown) must not open a
// second save dialog.
bool s_saving = false;

void ShowBox(UINT text, UINT caption) {
    MessageBoxW(nullptr, LoadProgramText(text).c_str(), LoadProgramText(caption).c_str(), MB_OK);
}

// The dialog keeps the last chosen path, so the next take's dialog opens on it.
bool AskSavePath() {
    FileChooser dialog(g_ui.hMain, kSaveFilter, s_recordPath, kTextChars);
    dialog.fileTitle = s_recordTitle;
    dialog.fileTitleChars = kTextChars;
    dialog.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    dialog.defaultExt = L"wav";
    dialog.title = kSaveTitle;
    const bool chosen = ChooseFileToSave(dialog);
    s_recordPath[kTextChars - 1] = L'\0';
    return chosen;
}

bool StartRecording() {
    const TakeStart started = StartTake();
    if (started == TakeStarted) return true;
    SetButtonFace(SlotRecord, 0); // idle: no Push face behind the message
    const UINT text = started == TakeBadFormat  ? IDS_RECORD_BAD_FORMAT
                      : started == TakeNoDevice ? IDS_RECORD_NO_DEVICE
                                                : IDS_RECORD_NO_MEMORY;
    ShowBox(text, IDS_RECORD_CAPTION);
    return false;
}

void EndTake() {
    DiscardTake();
    SetButtonFace(SlotRecord, 0);
}

// The device keeps capturing while the dialog is open: that sound belongs to the take. A
// file that cannot be written is asked for again rather than losing the take.
void StopRecording() {
    SetButtonFace(SlotRecord, 1); // still recording while the dialog is open
    bool stopped = false, full = false;
    DWORD bytes = 0;
    for (;;) {
        if (!AskSavePath()) {
            EndTake();
            ShowBox(IDS_RECORD_CANCELLED, IDS_RECORD_CANCEL_CAPTION);
            return;
        }
        if (!stopped) bytes = StopTake(&full);
        stopped = true;
        if (WriteTake(s_recordPath, bytes)) break;
        ShowBox(IDS_RECORD_NOT_SAVED, IDS_RECORD_CAPTION);
    }
    EndTake();
    if (full) ShowBox(IDS_RECORD_AT_LIMIT, IDS_RECORD_CAPTION);
}

} // namespace

bool OnRecordPressed() {
    if (s_saving) return false;
    if (!TakeRunning()) return StartRecording();
    s_saving = true;
    StopRecording();
    s_saving = false;
    return false;
}
