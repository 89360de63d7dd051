#include "document/WriterId.h"

#include <cstdio>

namespace {

constexpr char kTagSeparator = '.';
constexpr int kHexBuffer = 32;

uint64_t FileTimeValue(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::string Hex(uint64_t value) {
    char text[kHexBuffer] = {};
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
    return text;
}

bool FromHex(const std::string& text, uint64_t* value) {
    if (text.empty() || text.size() > sizeof(uint64_t) * 2) return false;
    uint64_t result = 0;
    for (const char c : text) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        result = result << 4 | static_cast<uint64_t>(digit);
    }
    *value = result;
    return true;
}

// The start of a process, or 0 when it cannot be told.
uint64_t StartOf(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    return ::GetProcessTimes(process, &created, &exited, &kernel, &user) ? FileTimeValue(created) : 0;
}

}  // namespace

const WriterId& ThisWriter() {
    static const WriterId self = WriterOfProcess(::GetCurrentProcess(), ::GetCurrentProcessId());
    return self;
}

WriterId WriterOfProcess(HANDLE process, uint32_t id) {
    WriterId writer;
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    if (::GetComputerNameA(name, &size)) writer.computer.assign(name, size);
    writer.process = id;
    writer.started = StartOf(process);
    return writer;
}

WriterState StateOf(const WriterId& writer) {
    if (writer.computer.empty() || ::lstrcmpiA(writer.computer.c_str(), ThisWriter().computer.c_str()) != 0) {
        return WriterState::kUnknown;
    }
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, writer.process);
    if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED ? WriterState::kUnknown : WriterState::kGone;
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    const uint64_t started = StartOf(process);
    ::CloseHandle(process);
    // The same number given to a later process is not the writer.
    return running && started == writer.started ? WriterState::kRunning : WriterState::kGone;
}

std::string WriterTag(const WriterId& writer) {
    return writer.computer + kTagSeparator + Hex(writer.process) + kTagSeparator + Hex(writer.started);
}

bool WriterFromTag(const std::string& tag, WriterId* writer) {
    const size_t last = tag.rfind(kTagSeparator);
    if (last == std::string::npos || last == 0) return false;
    const size_t middle = tag.rfind(kTagSeparator, last - 1);
    if (middle == std::string::npos || middle == 0) return false;
    uint64_t process = 0, started = 0;
    if (!FromHex(tag.substr(middle + 1, last - middle - 1), &process) || process > UINT32_MAX ||
        !FromHex(tag.substr(last + 1), &started)) {
        return false;
    }
    *writer = WriterId{tag.substr(0, middle), static_cast<uint32_t>(process), started};
    return true;
}
