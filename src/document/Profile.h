#pragma once
// INI files on disk: read whole into memory, written whole through the safe
// save, and the platform's own reader for the configuration file.
#include "document/FileStamp.h"
#include "document/IniFile.h"

#include <string>

// How a file came into memory. A file saved in Unicode that holds
// characters the code page has not is read all the same, but writing it
// back would lose them.
enum class IniLoad { kWhole, kLossy, kUnreadable };

// The file as an IniFile: a missing file is an empty one. A file saved in
// Unicode (with a byte order mark) is taken in the system's code page, as
// the platform's readers take it. kUnreadable (with an empty file) when it
// exists but cannot be read.
IniLoad LoadIniFile(const std::string& path, IniFile* file);
// The same for bytes read already.
IniLoad IniFromBytes(std::string bytes, IniFile* file);

// GetPrivateProfileStringA with a buffer of bufferSize bytes.
std::string ReadProfileString(const std::string& file, const char* section, const std::string& key,
                              const char* defaultValue, int bufferSize);
bool FileExists(const std::string& path);
