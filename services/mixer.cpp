#include "services/mixer.h"

#include <mmsystem.h>

#include "core/volume.h"

namespace {

// Master volume and mute: the speakers line of mixer device 0.
struct MixerState {
    HMIXER mixer;
    DWORD volumeControlId, volumeMinimum, volumeMaximum;
    DWORD muteControlId;  // 0 when the line has none
    bool hasMute;         // the look-up found one (0 can also be a real control's id)
    int muted;            // the program's own view, read once at start
} g_mixer;

HMIXEROBJ Mixer() {
    return reinterpret_cast<HMIXEROBJ>(g_mixer.mixer);
}

VolumeRange Range() {
    return VolumeRange{g_mixer.volumeMinimum, g_mixer.volumeMaximum};
}

// The speakers line's control of one type; false when the line or the control is missing.
bool FindControl(DWORD controlType, MIXERCONTROLW *control) {
    MIXERLINEW line = {};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    if (mixerGetLineInfoW(Mixer(), &line,
                          MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    MIXERLINECONTROLSW controls = {};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = controlType;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof *control;
    controls.pamxctrl = control;
    control->cbStruct = sizeof *control;
    return mixerGetLineControlsW(Mixer(), &controls,
                                 MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
           MMSYSERR_NOERROR;
}

// One value applied to every channel of the control.
MIXERCONTROLDETAILS Details(DWORD controlId, DWORD *value) {
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof details;
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cMultipleItems = 0;
    details.cbDetails = sizeof *value;
    details.paDetails = value;
    return details;
}

bool ReadValue(DWORD controlId, DWORD *value) {
    MIXERCONTROLDETAILS details = Details(controlId, value);
    return mixerGetControlDetailsW(Mixer(), &details,
                                   MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) ==
           MMSYSERR_NOERROR;
}

bool WriteValue(DWORD controlId, DWORD value) {
    MIXERCONTROLDETAILS details = Details(controlId, &value);
    return mixerSetControlDetails(Mixer(), &details,
                                  MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) ==
           MMSYSERR_NOERROR;
}

int ReadPercent() {
    DWORD value = 0;
    if (!ReadValue(g_mixer.volumeControlId, &value)) return 0;
    return PercentFromMixerValue(value, Range());
}

void WritePercent(int percent) {
    uint32_t value = 0;
    if (MixerValueFromPercent(percent, Range(), &value)) WriteValue(g_mixer.volumeControlId, value);
}

// Without a mute control nothing is written: control 0 may be another control of the mixer.
bool WriteMute(int state) {
    g_mixer.muted = state ? 1 : 0;
    return g_mixer.hasMute && WriteValue(g_mixer.muteControlId, g_mixer.muted);
}

void SetUp() {
    g_mixer = MixerState();
    if (mixerOpen(&g_mixer.mixer, 0, 0, 0, 0) != MMSYSERR_NOERROR) g_mixer.mixer = nullptr;
    MIXERCONTROLW volume = {};
    if (FindControl(MIXERCONTROL_CONTROLTYPE_VOLUME, &volume)) {
        g_mixer.volumeControlId = volume.dwControlID;
        g_mixer.volumeMinimum = volume.Bounds.dwMinimum;
        g_mixer.volumeMaximum = volume.Bounds.dwMaximum;
    }
    MIXERCONTROLW mute = {};
    g_mixer.hasMute = FindControl(MIXERCONTROL_CONTROLTYPE_MUTE, &mute);
    g_mixer.muteControlId = g_mixer.hasMute ? mute.dwControlID : 0;
    DWORD muted = 0;
    if (!g_mixer.hasMute || !ReadValue(g_mixer.muteControlId, &muted)) muted = 0;
    WriteMute(muted ? 1 : 0);
    WritePercent(ReadPercent());
}

HANDLE g_settingUp;  // the set-up's thread until someone has waited for it

DWORD WINAPI SetUpThread(void *) {
    SetUp();
    return 0;
}

void WaitForSetUp() {
    if (!g_settingUp) return;
    WaitForSingleObject(g_settingUp, INFINITE);
    CloseHandle(g_settingUp);
    g_settingUp = nullptr;
}

} // namespace

void StartMixerSetUp() {
    if (g_settingUp) return;
    g_settingUp = CreateThread(nullptr, 0, SetUpThread, nullptr, 0, nullptr);
    if (!g_settingUp) SetUp();
}

int ReadVolumePercent() {
    WaitForSetUp();
    return ReadPercent();
}

void SetVolumePercent(int percent) {
    WaitForSetUp();
    WritePercent(percent);
}

bool SetMute(int state) {
    WaitForSetUp();
    return WriteMute(state);
}

int Muted() {
    WaitForSetUp();
    return g_mixer.muted;
}

bool MixerIsOpen() {
    WaitForSetUp();
    return g_mixer.mixer != nullptr;
}

void CloseMixer() {
    WaitForSetUp();
    if (g_mixer.mixer) mixerClose(g_mixer.mixer);
    g_mixer.mixer = nullptr;
}
