// The File button's open dialog ("ファイルの選択").
#pragma once

// The File button's release: the open dialog, then every chosen file added in the dialog's
// order, the list refilled and the last file loaded.
void OnFileReleased();
