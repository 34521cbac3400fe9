#include "ui/shell/media_keys.h"

#include "resources/resource.h"
#include "services/app_state.h"
#include "services/mixer.h"
#include "services/transport.h"
#include "ui/shell/window_commands.h"

namespace {

const int kVolumeStep = 5;  // percent a volume key moves

struct MediaKey {
    UINT key;
    int appCommand;
};
// The hot keys, by id (their index).
const MediaKey kHotKeys[] = {
    {VK_MEDIA_PLAY_PAUSE, APPCOMMAND_MEDIA_PLAY_PAUSE},
    {VK_MEDIA_STOP, APPCOMMAND_MEDIA_STOP},
    {VK_MEDIA_NEXT_TRACK, APPCOMMAND_MEDIA_NEXTTRACK},
    {VK_MEDIA_PREV_TRACK, APPCOMMAND_MEDIA_PREVIOUSTRACK},
};
const int kHotKeyCount = int(sizeof kHotKeys / sizeof kHotKeys[0]);

// Play plays when stopped and goes on after a pause (the Pause button's second press); Pause
// pauses only what plays.
void Play() {
    if (g_app.paused) PerformMainCommand(ID_PAUSE);
    else if (!TransportPlaying()) PerformMainCommand(ID_PLAY);
}

void Pause() {
    if (!g_app.paused && TransportPlaying()) PerformMainCommand(ID_PAUSE);
}

}  // namespace

void RegisterMediaKeys(HWND main) {
    for (int id = 0; id < kHotKeyCount; ++id) RegisterHotKey(main, id, 0, kHotKeys[id].key);
}

void UnregisterMediaKeys(HWND main) {
    for (int id = 0; id < kHotKeyCount; ++id) UnregisterHotKey(main, id);
}

bool PerformAppCommand(int command) {
    switch (command) {
    case APPCOMMAND_MEDIA_PLAY_PAUSE:
        if (!g_app.paused && TransportPlaying()) Pause();
        else Play();
        return true;
    case APPCOMMAND_MEDIA_PLAY:
        Play();
        return true;
    case APPCOMMAND_MEDIA_PAUSE:
        Pause();
        return true;
    case APPCOMMAND_MEDIA_STOP:
        PerformMainCommand(ID_STOP);
        return true;
    case APPCOMMAND_MEDIA_NEXTTRACK:
        PerformMainCommand(ID_NEXT);
        return true;
    case APPCOMMAND_MEDIA_PREVIOUSTRACK:
        PerformMainCommand(ID_PREVIOUS);
        return true;
    case APPCOMMAND_VOLUME_UP:
    case APPCOMMAND_VOLUME_DOWN: {
        // The volume bar follows the mixer on its own timer.
        const int step = command == APPCOMMAND_VOLUME_UP ? kVolumeStep : -kVolumeStep;
        const int percent = ReadVolumePercent() + step;
        SetVolumePercent(percent < 0 ? 0 : percent > 100 ? 100 : percent);
        return true;
    }
    case APPCOMMAND_VOLUME_MUTE:
        PerformMainCommand(ID_MUTE);
        return true;
    }
    return false;
}

void PerformMediaHotKey(int id) {
    if (id >= 0 && id < kHotKeyCount) PerformAppCommand(kHotKeys[id].appCommand);
}
