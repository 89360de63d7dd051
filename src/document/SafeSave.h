#pragma once
#include <functional>
#include <string>

// Writes a file so that it is either replaced whole or left as it was: the
// writer fills a copy beside the target (so every line it does not write
// stays), the copy is flushed to disk and then moved over the target in one
// step. Returns false, with the target untouched and the copy removed, when
// any step fails.
bool SaveReplacing(const std::string& target, const std::function<bool(const std::string& temp)>& writer);
