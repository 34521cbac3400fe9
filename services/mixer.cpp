#include "services/mixer.h"

#include <mmsystem.h>

#include "core/volume.h"
#include "services/app_state.h"

namespace {

HMIXEROBJ Mixer() {
    return reinterpret_cast<HMIXEROBJ>(g_app.mixer);
}

VolumeRange Range() {
    return VolumeRange{g_app.volumeMinimum, g_app.volumeMaximum};
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

} // namespace

void SetUpMixer() {
    if (mixerOpen(&g_app.mixer, 0, 0, 0, 0) != MMSYSERR_NOERROR) g_app.mixer = nullptr;
    MIXERCONTROLW volume = {};
    if (FindControl(MIXERCONTROL_CONTROLTYPE_VOLUME, &volume)) {
        g_app.volumeControlId = volume.dwControlID;
        g_app.volumeMinimum = volume.Bounds.dwMinimum;
        g_app.volumeMaximum = volume.Bounds.dwMaximum;
    }
    if (g_app.muteControlId == 0xFFFFFFFF) {
        MIXERCONTROLW mute = {};
        g_app.hasMute = FindControl(MIXERCONTROL_CONTROLTYPE_MUTE, &mute);
        g_app.muteControlId = g_app.hasMute ? mute.dwControlID : 0;
    }
    DWORD muted = 0;
    if (!g_app.hasMute || !ReadValue(g_app.muteControlId, &muted)) muted = 0;
    g_app.muted = muted ? 1 : 0;
    SetMute(g_app.muted);
    SetVolumePercent(ReadVolumePercent());
}

int ReadVolumePercent() {
    DWORD value = 0;
    if (!ReadValue(g_app.volumeControlId, &value)) return 0;
    return PercentFromMixerValue(value, Range());
}

void SetVolumePercent(int percent) {
    uint32_t value = 0;
    if (MixerValueFromPercent(percent, Range(), &value)) WriteValue(g_app.volumeControlId, value);
}

// Without a mute control nothing is written: control 0 may be another control of the mixer.
bool SetMute(int state) {
    return g_app.hasMute && WriteValue(g_app.muteControlId, state ? 1 : 0);
}

void CloseMixer() {
    if (g_app.mixer) mixerClose(g_app.mixer);
    g_app.mixer = nullptr;
}
