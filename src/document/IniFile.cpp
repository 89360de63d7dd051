#include "document/IniFile.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr size_t kNone = std::string_view::npos;
constexpr char kDosEndOfFile = 0x1A;   // counts as a blank, as in files from old media
constexpr size_t kIntBuffer = 30;       // the platform reads a number through a buffer this size
constexpr std::string_view kLineEnd = "\r\n";
constexpr unsigned kDecimal = 10, kBinary = 2, kOctal = 8, kHex = 16;

bool IsBlank(char c) { return (c >= '\t' && c <= '\r') || c == ' ' || c == kDosEndOfFile; }

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}
std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}
std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// The platform works on C strings: everything from a NUL on is not there.
std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

// Blind to case in ASCII letters only, as the platform compares under Wine.
bool SameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// A name that reads back from its written line as itself, wherever it goes.
bool Plain(std::string_view name) {
    return !name.empty() && Trim(name) == name && name.find_first_of("=[]\r\n") == kNone;
}

// A value as the platform hands it out: without one pair of enclosing
// quotes, cut to what a buffer of bufferSize bytes holds. When the closing
// quote is what does not fit, the platform drops the character before it too.
std::string Unquoted(std::string_view text, size_t bufferSize) {
    const bool quoted = text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0];
    if (quoted) text.remove_prefix(1);
    std::string out(text.substr(0, bufferSize - 1));
    if (quoted && bufferSize >= text.size() && !out.empty()) out.pop_back();
    return out;
}

// The platform's number reading: blanks and control characters, a sign,
// 0b, 0o or 0x, then digits of that base; wraps around on overflow.
int ParseInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    unsigned base = kDecimal;
    if (i + 1 < text.size() && text[i] == '0') {
        const char mark = text[i + 1];
        base = mark == 'b' ? kBinary : mark == 'o' ? kOctal : mark == 'x' ? kHex : kDecimal;
        if (base != kDecimal) i += 2;
    }
    uint32_t total = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        const unsigned digit = c >= '0' && c <= '9'   ? c - '0'
                               : c >= 'a' && c <= 'z' ? c - 'a' + kDecimal
                               : c >= 'A' && c <= 'Z' ? c - 'A' + kDecimal
                                                      : base;
        if (digit >= base) break;
        total = total * base + digit;
    }
    return static_cast<int>(negative ? 0u - total : total);
}

}  // namespace

IniFile::IniFile(std::string bytes) : m_bytes(std::move(bytes)) {
    Parse(m_bytes);
}

// Lines end at any run of CR and LF; blank lines vanish; a section line is
// '[' up to the last ']', its name trimmed; a key line is split at its first '='. Of several
// lines in a row with an empty key name only the first counts.
void IniFile::Parse(std::string_view bytes) {
    m_sections.assign(1, Section{});
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t end = std::min(bytes.find_first_of(kLineEnd, at), bytes.size());
        const std::string_view line = Trim(bytes.substr(at, end - at));
        at = std::min(bytes.find_first_not_of(kLineEnd, end), bytes.size());
        if (line.empty()) continue;
        const size_t close = line.front() == '[' ? line.rfind(']') : kNone;
        if (close != kNone) {
            m_sections.push_back(Section{std::string(UpToNul(Trim(line.substr(1, close - 1)))), {}});
            continue;
        }
        const size_t equals = line.find('=');
        const std::string_view name = equals == kNone ? line : TrimRight(line.substr(0, equals));
        std::vector<Key>& keys = m_sections.back().keys;
        if (name.empty() && !keys.empty() && keys.back().name.empty()) continue;
        keys.push_back(Key{std::string(UpToNul(name)), std::nullopt});
        if (equals != kNone) keys.back().value = std::string(UpToNul(TrimLeft(line.substr(equals + 1))));
    }
}

// Every line ends with CR LF; a section without a name has no section line.
std::string IniFile::Serialize() const {
    std::string out;
    out.reserve(m_bytes.size() + m_bytes.size() / 4);
    for (size_t s = 0; s < m_sections.size(); ++s) {
        const Section& section = m_sections[s];
        if (!section.name.empty()) out.append("[").append(section.name).append("]").append(kLineEnd);
        for (size_t k = 0; k < section.keys.size(); ++k) {
            const Key& key = section.keys[k];
            out += key.name;
            if (m_pending && m_pending->at.section == s && m_pending->at.key == k) {
                out.append("=").append(m_pending->text);
            } else if (key.value) {
                out.append("=").append(*key.value);
            }
            out += kLineEnd;
        }
    }
    return out;
}

// The first section of that name, and in it the first key of that name.
IniFile::Location IniFile::Find(std::string_view section, std::string_view key) const {
    section = Trim(UpToNul(section));
    key = Trim(UpToNul(key));
    for (size_t s = 0; s < m_sections.size(); ++s) {
        if (!SameName(m_sections[s].name, section)) continue;
        const std::vector<Key>& keys = m_sections[s].keys;
        for (size_t k = 0; k < keys.size(); ++k) {
            if (SameName(keys[k].name, key)) return {s, k};
        }
        return {s, kNone};
    }
    return {kNone, kNone};
}

std::string IniFile::GetString(std::string_view section, std::string_view key, std::string_view def,
                               size_t bufferSize) const {
    if (bufferSize == 0) return {};
    const Location at = Find(section, key);
    if (at.key != kNone && m_sections[at.section].keys[at.key].value) {
        return Unquoted(*m_sections[at.section].keys[at.key].value, bufferSize);
    }
    // A default loses its trailing spaces, but never its first character.
    def = UpToNul(def);
    const size_t last = def.find_last_not_of(' ');
    return Unquoted(def.substr(0, last == kNone ? 1 : last + 1), bufferSize);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int def) const {
    const std::string text = GetString(section, key, "", kIntBuffer);
    return text.empty() ? def : ParseInt(text);
}

// The platform writes the whole file on every change and reads it again
// before the next call. A plain write appends or replaces one line, and
// reading it back only trims the value; anything else is written out and
// read back in full.
void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    section = UpToNul(section);
    key = UpToNul(key);
    value = TrimLeft(UpToNul(value));
    Location at = Find(section, key);
    if (at.key != kNone && m_sections[at.section].keys[at.key].value == value) return;
    m_pending.reset();
    if (at.section == kNone) {
        m_sections.push_back(Section{std::string(TrimLeft(section)), {}});
        at.section = m_sections.size() - 1;
    }
    std::vector<Key>& keys = m_sections[at.section].keys;
    if (at.key == kNone) {
        keys.push_back(Key{std::string(TrimLeft(key)), std::nullopt});
        at.key = keys.size() - 1;
    }
    if (m_reparsed && Plain(section) && Plain(key) && value.find_first_of(kLineEnd) == kNone) {
        keys[at.key].value = std::string(TrimRight(value));
        m_pending = Pending{at, std::string(value)};
        return;
    }
    keys[at.key].value = std::string(value);
    m_bytes = Serialize();
    Parse(m_bytes);
    m_reparsed = true;
}

std::string IniFile::Bytes() const { return m_pending ? Serialize() : m_bytes; }
