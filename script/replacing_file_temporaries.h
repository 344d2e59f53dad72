// The temporaries of ReplacingFile that a signal removes before the process ends.
#pragma once

#include <string>

// Keeps path for removal on a signal; returns its slot, or -1 when none is free.
int RememberTemporary(const std::string& path);
// The temporary of slot is gone or in place; a signal no longer removes it.
void ForgetTemporary(int slot);
