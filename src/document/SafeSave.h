#pragma once
#include <functional>
#include <string>

// The copy a save writes beside its target before it replaces it:
// "~" + the target's file name + "." + this process (WriterTag) + "." + a
// number of this process's own + ".tmp". No other save, in this process or
// another, writes or removes it. A copy that a save cut off (a crash, a
// power cut) left behind is removed by a later save on this computer once
// its process has ended. It may be longer than a path may be (it is
// reached through the system's long-path form).
std::string SaveCopyPath(const std::string& target);

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
