#pragma once

#include <windows.h>

#include <string>

namespace qv {

// Windows drops injected input aimed at a program that runs at a higher
// integrity level than the injecting one (a simulator started as
// administrator), and SendInput does not say so.

// The sentence for the user when `program` runs at `targetLevel` above this
// program's `ownLevel` (both mandatory-label RIDs); empty otherwise.
std::string integrityProblem(DWORD ownLevel, DWORD targetLevel, const std::string& program);

// That sentence for the program whose window is in the foreground; empty when
// it takes keystrokes or when its level cannot be learnt.
std::string focusedProgramRefusingKeystrokes();

}  // namespace qv
