// The Record button's work: the first press starts a take, the second asks where to save it.
#pragma once

// True when the recorder is recording after the press (the button then shows its Push face).
bool OnRecordPressed();
