// Documents nobody should have written: the decoding functions take tens of
// thousands of odd values in seconds, and a few hundred whole documents go
// through the real reader. TARVELO_MALFORMED_DOCUMENTS sets how many
// documents (scripts/fuzz.sh runs many more).
#include "document/DocumentCodec.h"
#include "document/DocumentPath.h"
#include "document/DocumentTestSupport.h"
#include "model/Amounts.h"

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

int Count(const char* variable, int fallback) {
    const char* value = std::getenv(variable);
    return value ? std::max(std::atoi(value), 1) : fallback;
}

std::string Raw(const std::string& file, const char* section, const char* key, const char* fallback, DWORD size) {
    std::string buffer(size, '\0');
    buffer.resize(::GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, file.c_str()));
    return buffer;
}

}  // namespace

TEST(DocumentRobustness, DecodingFunctionsTakeAnyValue) {
    DocumentGenerator generator(4242);
    for (int n = 0; n < 20 * Count("TARVELO_MALFORMED_DOCUMENTS", 1000); ++n) {
        const std::string value = generator.Next().substr(0, 300);
        const std::vector<int> digits = DecodeDigits(value, 20, '1');
        for (int i = 0; i < 20; ++i) ASSERT_EQ(digits[i], DigitAt(value, i, '1'));
        for (const int column : DecodeLinkColumns(value, 20)) ASSERT_TRUE(column >= -1 && column <= 6) << value;
        const std::string oneLine = OneLineValue(value);
        ASSERT_EQ(oneLine.find_first_of("\r\n"), std::string::npos);
        const std::string stored = EncodeInfoText(value);
        ASSERT_EQ(stored.find_first_of("\r\n"), std::string::npos);
        if (value.find("|~|") == std::string::npos && value.find('|') == std::string::npos) {
            ASSERT_EQ(EncodeInfoText(DecodeInfoText(stored)), stored) << "line breaks come back as they went";
        }
        const double amount = ParseAmount(value);
        ASSERT_FALSE(amount != amount) << value << " is no number";
        if (const auto parts = SplitDocumentPath(value)) {
            ASSERT_LE(parts->strExt.size(), 5u);
            ASSERT_EQ(parts->strCompanionPath.substr(parts->strCompanionPath.size() - 4), ".pgw");
        }
    }
}

class DocumentRobustnessRead : public doctest::DocumentTest {};

TEST_F(DocumentRobustnessRead, MalformedDocumentsReadWithoutHarm) {
    DocumentGenerator generator(20240611);
    int selection[ids::kRows][ids::kColumns] = {};  // what the buttons hold before each read
    for (int n = 0, count = Count("TARVELO_MALFORMED_DOCUMENTS", 300); n < count; ++n) {
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
        const std::string autoOpen = Raw(file, "INFO", "AutoRn", "11111111111111111111", 21);
        const std::string lines = Raw(file, "SETTINGS", "Lines", "00000000000000000000", 21);
        for (int row = 0; row < ids::kRows; ++row) {
            const int column = dlg->m_rowLinkColumn[row];
            ASSERT_TRUE(column >= -1 && column <= 6) << row << ": " << column;
            ASSERT_EQ(Enabled(ids::Goods(row)), column == -1) << row;
            ASSERT_EQ(dlg->m_rowLinkFile[row], Raw(file, "SHARED", RowKey("File %02i", row).c_str(), "", 260));
            ASSERT_EQ(dlg->m_rowInfo[row].strText,
                      DecodeInfoText(Raw(file, "INFO", RowKey("Text%02i", row).c_str(), "", 2400)));
            ASSERT_EQ(Text(ids::Goods(row)), Raw(file, "LISTE", RowKey("Ware %02i", row).c_str(), "", 260));
            ASSERT_EQ(dlg->m_rowInfo[row].nAutoOpen, DigitAt(autoOpen, row, '1')) << row;
            if (row < ids::kSeparators) { ASSERT_EQ(dlg->m_separatorLines[row], DigitAt(lines, row, '0')) << row; }
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
