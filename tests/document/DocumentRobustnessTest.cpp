// Documents nobody should have written, and saves that never finish: the
// reader copes with anything, and a save killed at any moment leaves the old
// or the new document, whole.
#include "document/DocumentTestSupport.h"

#include <cstdlib>
#include <random>

using doctest::CrLf;

namespace {

// prefix and number, e.g. "m" and 12 -> "m12".
std::string Numbered(const char* prefix, unsigned long number) {
    std::string s(prefix);
    s += std::to_string(number);
    return s;
}

constexpr const char* kSections[] = {"LISTE", "A", "B", "C", "D", "E", "F", "G", "BUTTONS",
                                     "SETTINGS", "SHARED", "INFO", "liste", "Info", "X"};
constexpr const char* kKeys[] = {"Ware 01", "Preis01", "Ware 20", "Preis20", "Name", "Summe", "A", "B", "G",
                                 "NumbersOn", "Lines", "File 01", "File 20", "Column", "Text01", "Text20",
                                 "URN101", "URN220", "AutoRn", "ware 05", "COLUMN", "x"};

// Malformed documents, reproducibly: random bytes, or INI-like text with
// broken lines, odd line ends, duplicates and values of every length. Most
// are small: the profile functions read the whole file again for every key,
// so long ones are kept to a few, which is all it takes to cover them.
class DocumentGenerator {
public:
    explicit DocumentGenerator(unsigned seed) : m_random(seed) {}

    std::string Next() {
        switch (Pick(50)) {
            case 0: return Huge();
            case 1: return RandomBytes(Pick(5000));
            case 2: case 3: case 4: case 5: case 6: return RandomBytes(Pick(300));
            default: return IniLike();
        }
    }

private:
    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }
    char Byte() { return static_cast<char>(Pick(256)); }
    std::string RandomBytes(size_t n) {
        std::string s(n, '\0');
        for (char& c : s) c = Byte();
        return s;
    }
    // Once in a while a file of megabytes, else a long but ordinary one.
    std::string Huge() {
        if (Pick(20) == 0) {
            std::string s = "[LISTE]\r\nWare 01=";
            s.append(3 << 20, 'h');
            return s;
        }
        std::string s;
        for (size_t i = 0, n = Pick(2000); i < n; ++i) s += Numbered("[A]\r\nName=", i) + "\r\n";
        return s;
    }
    std::string Value() {
        switch (Pick(10)) {
            case 0:
                if (Pick(40) == 0) return std::string(2000 + Pick(4000), static_cast<char>('0' + Pick(10)));
                return std::string(Pick(30), static_cast<char>('0' + Pick(10)));
            case 1: return RandomBytes(Pick(40));
            case 2: return std::string(Pick(30), "01/2x7 \t\""[Pick(9)]);
            case 3: return "";
            case 4: {
                std::string s = "\"";
                s.append(Pick(25), '1');
                return s.append("\"");
            }
            case 5: {
                std::string s(Pick(40) == 0 ? 2390 + Pick(20) : Pick(20), '|');
                return s.append("~|");
            }
            default: {
                std::string s;
                for (size_t i = 0, n = Pick(25); i < n; ++i) s += "/0123456789xX|~ "[Pick(16)];
                return s;
            }
        }
    }
    std::string LineEnd() {
        switch (Pick(8)) {
            case 0: return "\n";
            case 1: return "\r";
            case 2: return "";
            case 3: return std::string(1, '\0');
            default: return "\r\n";
        }
    }
    std::string IniLike() {
        std::string s;
        if (Pick(30) == 0) s += Pick(2) ? "\xEF\xBB\xBF" : "\xFF\xFE";
        for (size_t line = 0, lines = Pick(30); line < lines; ++line) {
            switch (Pick(6)) {
                case 0: {
                    const std::string name = kSections[Pick(std::size(kSections))];
                    switch (Pick(5)) {
                        case 0: s += "[" + name; break;
                        case 1: s += name + "]"; break;
                        case 2: s += " [ " + name + " ] "; break;
                        default: s += "[" + name + "]"; break;
                    }
                    break;
                }
                case 1: s += RandomBytes(Pick(80)); break;
                default: {
                    s += kKeys[Pick(std::size(kKeys))];
                    s += Pick(10) ? "=" : " = ";
                    s += Value();
                    break;
                }
            }
            s += LineEnd();
        }
        return s;
    }

    std::mt19937 m_random;
};

// The reader's own rules, from the raw value of a digit key.
int DigitAt(const std::string& value, int i, char fill) {
    const char c = i < static_cast<int>(value.size()) ? value[i] : fill;
    return static_cast<unsigned char>(c) - '0';
}

// How many: 5,000, unless TARVELO_MALFORMED_DOCUMENTS names another count.
int DocumentCount() {
    char value[16] = {};
    const DWORD n = ::GetEnvironmentVariableA("TARVELO_MALFORMED_DOCUMENTS", value, sizeof value);
    return n > 0 && n < sizeof value ? std::max(std::atoi(value), 1) : 5000;
}

}  // namespace

class DocumentRobustness : public doctest::DocumentTest {
protected:
    std::string Raw(const std::string& file, const char* section, const char* key, const char* fallback,
                    DWORD size) const {
        std::string buffer(size, '\0');
        const DWORD n = ::GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, file.c_str());
        buffer.resize(n);
        return buffer;
    }
};

TEST_F(DocumentRobustness, MalformedDocumentsReadWithoutHarm) {
    const int kDocuments = DocumentCount();
    DocumentGenerator generator(20240611);
    int selection[ids::kRows][ids::kColumns] = {};  // what the buttons hold before each read
    for (int n = 0; n < kDocuments; ++n) {
        // A new name each time: the profile functions keep what they read.
        const std::string file = At(Numbered("m", n) + ".pgx");
        WriteFileBytes(file, generator.Next());
        dlg->m_strDocPath = file;
        dlg->m_bModified = TRUE;
        dlg->m_bPublishPending = FALSE;
        dlg->ReadDocument();

        SCOPED_TRACE(Numbered("document ", n));
        ASSERT_FALSE(dlg->m_bModified);
        ASSERT_TRUE(dlg->m_bPublishPending);
        for (int row = 0; row < ids::kRows; ++row) {
            const int column = dlg->m_rowLinkColumn[row];
            ASSERT_TRUE(column >= -1 && column <= 6) << row << ": " << column;
            ASSERT_EQ(Enabled(ids::Goods(row)), column == -1) << row;
            ASSERT_EQ(Enabled(ids::Price(row)), column == -1) << row;
            ASSERT_LE(dlg->m_rowLinkFile[row].size(), 259u);
            ASSERT_LE(dlg->m_rowInfo[row].strText.size(), 2399u);
            ASSERT_LE(dlg->m_rowInfo[row].strSource1.size(), 259u);
            ASSERT_LE(::GetWindowTextLengthA(Item(ids::Goods(row))), 259);
        }
        // Flags and selections as read.
        const std::string autoOpen = Raw(file, "INFO", "AutoRn", "11111111111111111111", 21);
        const std::string lines = Raw(file, "SETTINGS", "Lines", "00000000000000000000", 21);
        for (int row = 0; row < ids::kRows; ++row) {
            ASSERT_EQ(dlg->m_rowInfo[row].nAutoOpen, DigitAt(autoOpen, row, '1')) << row;
            if (row < ids::kSeparators) {
                ASSERT_EQ(dlg->m_separatorLines[row], DigitAt(lines, row, '0')) << row;
            }
        }
        for (int column = 0; column < ids::kColumns; ++column) {
            const std::string value = Raw(file, "BUTTONS", ids::ColumnLetter(column), "00000000000000000000", 21);
            for (int row = 0; row < ids::kRows; ++row) {
                const int digit = DigitAt(value, row, '0');
                int& expected = selection[row][column];
                if (digit >= 0) expected = digit == 0 ? 0 : 1;
                ASSERT_EQ(dlg->SelectionButtonState(row, column, -1), expected) << row << "," << column;
            }
        }
        const bool numbered = Check(ids::kNumbers) != 0;
        ASSERT_EQ(numbered, ::GetPrivateProfileIntA("SETTINGS", "NumbersOn", 0, file.c_str()) != 0);
        ASSERT_EQ(Text(ids::Selection(19, 6)), numbered ? "20" : "");
        RemoveFile(file);
    }
}

// A child process saves one document over and over, alternating between
// two states, and is killed at random moments.
TEST_F(DocumentRobustness, ASaveKilledAnywhereLeavesOneWholeDocument) {
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string program = module;
    program = program.substr(0, program.find_last_of('\\') + 1) + "SaveLoop.exe";
    ASSERT_TRUE(Exists(program)) << program;

    std::mt19937 random(4711);
    const int kKills = 8;
    int sawA = 0, sawB = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE(Numbered("kill ", kill));
        const std::string folder = At(Numbered("k", kill));
        ::CreateDirectoryA(folder.c_str(), nullptr);
        const std::string document = folder + "\\Liste.pgx";
        const std::string referenceA = At(Numbered("A", kill) + ".pgx");
        const std::string referenceB = At(Numbered("B", kill) + ".pgx");
        const std::string eventName = Numbered("TarveloSaveLoop", ::GetCurrentProcessId()) + "_" +
                                      std::to_string(kill);
        const HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
        ASSERT_NE(ready, nullptr);

        std::string commandLine = "\"" + program + "\" \"" + document + "\" \"" + referenceA + "\" \"" +
                                  referenceB + "\" " + eventName;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child = {};
        ASSERT_TRUE(::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                     nullptr, nullptr, &startup, &child));
        const HANDLE both[] = {ready, child.hProcess};
        const DWORD started = ::WaitForMultipleObjects(2, both, FALSE, 60000);
        ::CloseHandle(ready);
        if (started != WAIT_OBJECT_0) {
            ::TerminateProcess(child.hProcess, 1);
            ::CloseHandle(child.hThread);
            ::CloseHandle(child.hProcess);
            FAIL() << "the saving program did not start its loop";
        }
        // The random moment: it must still be saving then.
        const DWORD moment = std::uniform_int_distribution<DWORD>(1, 800)(random);
        EXPECT_EQ(::WaitForSingleObject(child.hProcess, moment), static_cast<DWORD>(WAIT_TIMEOUT))
            << "the saving program ended by itself";
        ::TerminateProcess(child.hProcess, 9);
        ::WaitForSingleObject(child.hProcess, INFINITE);
        ::CloseHandle(child.hThread);
        ::CloseHandle(child.hProcess);

        const std::string a = ReadFileBytes(referenceA);
        const std::string b = ReadFileBytes(referenceB);
        ASSERT_GT(a.size(), 40000u);
        ASSERT_NE(a, b);
        const std::string left = ReadFileBytes(document);
        EXPECT_TRUE(left == a || left == b) << "after " << moment << " ms: " << left.size() << " bytes, A has "
                                            << a.size() << ", B has " << b.size();
        (left == a ? sawA : sawB) += 1;
        // Besides the document only copies of saves that were cut off.
        for (const std::string& name : doctest::FolderListing(folder)) {
            EXPECT_TRUE(name == "Liste.pgx" || (name.size() > 4 && name.substr(name.size() - 4) == ".tmp")) << name;
        }
    }
    std::printf("[          ] killed %d times: %d times A, %d times B left\n", kKills, sawA, sawB);
}
