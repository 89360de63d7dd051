#pragma once
// The Windows profile (INI) functions with bounded buffers.
#include <string>

// At most bufferSize - 1 characters, as a buffer of bufferSize bytes holds.
std::string ReadProfileString(const std::string& file, const char* section, const std::string& key,
                              const char* defaultValue, int bufferSize);
int ReadProfileInt(const std::string& file, const char* section, const char* key, int defaultValue);
bool WriteProfileString(const std::string& file, const char* section, const std::string& key,
                        const std::string& value);
// Makes the profile functions write out what they may still cache for file.
void FlushProfile(const std::string& file);
bool FileExists(const std::string& path);
