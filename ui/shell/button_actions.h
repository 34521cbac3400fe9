// What each button does, apart from drawing: called by the skinned button procedure.
#pragma once

// After a press has set the face (toggles: the new state; momentary: 1).
void OnButtonPressed(int slot, int face);

// When a momentary button's 100 ms release timer fires, after its face went back to normal.
void OnButtonReleased(int slot);

// The End button's last act: everything closed, then the quit message with exit code 0.
void ShutDown();
