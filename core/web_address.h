// Which home page addresses the program hands to the shell. The shell's "open" starts
// whatever it is given (a program, a script, a share), so only web addresses go to it.
// Builds natively.
#pragma once

// True for "http://" or "https://" (any case) followed by at least one character, with no
// control character, blank or double quote anywhere (any of them could end the address
// inside the browser's command line and start an argument of its own).
bool IsWebAddress(const wchar_t *text);
