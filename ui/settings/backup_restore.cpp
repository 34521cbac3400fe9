#include "ui/settings/backup_restore.h"

// placeholder: backup and restore do nothing yet.
void BackupWithFolderBrowser(HWND) {}

// placeholder
void RestoreWithFolderBrowser(HWND) {}
