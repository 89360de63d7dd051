#pragma once
#include <cstdint>
#include <string>

// What tells that a file changed: whether it exists, its size and its last
// write time (in 100-nanosecond steps since 1601, as file times count).
struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    uint64_t written = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOfFile(const std::string& path);
