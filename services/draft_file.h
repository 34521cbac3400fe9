// Every file the program writes for the user (a cut, a recording, a captured picture) is
// written under a draft name in its target's folder and moved over the target only once it is
// complete, so a write that fails half-way leaves the old file as it was.
#pragma once

#include <string>

// Makes an empty draft file in the folder of `target` and returns its path; empty when the
// folder takes no new file. The draft's name is short and plain, whatever the target's is.
std::wstring NewDraftBeside(const std::wstring &target);

// Moves a complete draft over `target` (replacing it); on failure the draft is deleted and
// the target is left as it was.
bool PutDraftInPlace(const std::wstring &draft, const std::wstring &target);

// Deletes a draft that will not be used.
void DropDraft(const std::wstring &draft);
