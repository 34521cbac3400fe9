// What each button does, apart from drawing: called by the skinned button procedure.
#pragma once

// After a press has set the face (toggles: the new state; momentary: 1). False when the
// slot has no work yet: a toggle's face then goes back, so no button stays pushed for
// nothing.
bool OnButtonPressed(int slot, int face);

// When a momentary button's 100 ms release timer fires, after its face went back to normal.
void OnButtonReleased(int slot);

// The End button's last act: everything closed, then the quit message with exit code 0.
void ShutDown();
