#pragma once
// Who wrote a file: the computer, the process and the moment that process
// started (a process number alone is given again to later processes).
// Files that only live while their writer runs carry it, so that what a
// crashed or killed process left behind is not taken for live.
#include "dialogkit/Win32.h"

#include <cstdint>
#include <string>

struct WriterId {
    std::string computer;
    uint32_t process = 0;
    uint64_t started = 0;  // file time of the process start
    bool operator==(const WriterId&) const = default;
};

// This process; and another process of this computer, by its handle and number.
const WriterId& ThisWriter();
WriterId WriterOfProcess(HANDLE process, uint32_t id);

// Whether a writer still runs: on this computer its process answers;
// another computer's processes cannot be asked (nor one this user may not
// look at), and such a writer's file must show by other means that it lives.
enum class WriterState { kRunning, kGone, kUnknown };
WriterState StateOf(const WriterId& writer);

// The writer in a few characters that a file name may hold, and back.
std::string WriterTag(const WriterId& writer);
bool WriterFromTag(const std::string& tag, WriterId* writer);
