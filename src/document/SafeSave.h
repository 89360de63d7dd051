#pragma once
#include <functional>
#include <string>

// A save first writes a copy of its own beside its target, named
// "~tv" + eight hex digits + ".tmp" whatever the target's name (a target
// whose name is as long as a name may be still saves), and holds it open
// until it has been moved over the target. No other save writes or
// removes a copy that is held. A copy that a save cut off (a crash, a
// power cut) left behind is held by nobody, and the next save in its
// folder removes it.

// Called with the target once a save's copy is written and before it is
// moved into place, on whichever thread saves: tests make two saves meet
// there. Empty: nothing is called.
void SetBeforeSaveMove(std::function<void(const std::string&)> hook);

// A document must survive a power cut once saved; a companion file only
// needs to be whole whenever another instance reads it.
enum class Durability { kFlushed, kWhole };

// Replaces target with bytes so that it is either replaced whole or left
// exactly as it was: one checked write of a copy of its own (flushed to
// disk and read back when it must survive), then moved over the target in
// one step. False, with the target untouched and the copy removed, when any step
// fails (a read-only target, a missing folder, a file held by another
// program, a full disk).
bool SaveReplacing(const std::string& target, const std::string& bytes, Durability durability);

// The whole content of a file. A file that does not exist is empty; false
// when it exists but cannot be read (held by another program, a folder).
bool ReadWholeFile(const std::string& path, std::string* bytes);
