// Master volume and mute through mixer device 0: its speakers destination line, that line's
// volume control and mute control. Mixer failures are never reported: a control that cannot
// be found reads as 0 and takes no writes.
#pragma once

#include <windows.h>

// Opens the mixer, finds the line's controls, reads the mute state and writes it back, and
// snaps the volume to its nearest whole percent, on a thread of its own: opening the mixer
// loads the sound drivers, which takes longer than the windows need to come up. Every
// function below waits for it first. Does nothing while a set-up is still under way.
void StartMixerSetUp();

// The volume as a whole percent, 0..100 (0 when there is no usable volume control).
int ReadVolumePercent();
void SetVolumePercent(int percent);

// The program's mute state, and writes it to the mute control; false when it was not taken
// (the state holds all the same).
bool SetMute(int state);
int Muted();

bool MixerIsOpen();

// At the End: closes the mixer handle.
void CloseMixer();
