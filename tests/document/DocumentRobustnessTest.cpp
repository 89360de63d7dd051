// Documents nobody should have written: the decoding functions take tens of
// thousands of odd values in seconds, and a few hundred whole documents go
// through the real reader, checked against the platform's own reader.
// TARVELO_MALFORMED_DOCUMENTS sets how many documents (scripts/fuzz.sh runs
// many more).
#include "document/DocumentCodec.h"
#include "document/DocumentPath.h"
#include "document/DocumentTestSupport.h"
#include "document/IniGenerator.h"
#include "model/Amounts.h"

using initest::Generator;

namespace {

int DigitAt(const std::string& value, int i, char fill) {
    return static_cast<unsigned char>(i < static_cast<int>(value.size()) ? value[i] : fill) - '0';
}

std::string Raw(const std::string& file, const char* section, const std::string& key, const char* fallback, DWORD size) {
    std::string buffer(size, '\0');
    buffer.resize(::GetPrivateProfileStringA(section, key.c_str(), fallback, buffer.data(), size, file.c_str()));
    return buffer;
}

}  // namespace

TEST(DocumentRobustness, DecodingFunctionsTakeAnyValue) {
    Generator g(4242);
    for (int n = 0; n < 20 * initest::Setting("TARVELO_MALFORMED_DOCUMENTS", 1000); ++n) {
        const std::string value = g.Pick(3) ? g.Value() : g.Bytes(g.Pick(40));
        SCOPED_TRACE(value);
        for (const int column : DecodeLinkColumns(value, 20)) ASSERT_TRUE(column >= -1 && column <= 6);
        ASSERT_EQ(OneLineValue(value).find_first_of("\r\n"), std::string::npos);
        const std::string stored = EncodeInfoText(value);
        ASSERT_EQ(stored.find_first_of("\r\n"), std::string::npos);
        if (value.find('|') == std::string::npos) { ASSERT_EQ(EncodeInfoText(DecodeInfoText(stored)), stored); }
        const double amount = ParseAmount(value);
        ASSERT_EQ(amount, amount) << "no number is nan";
        if (const auto parts = SplitDocumentPath(value)) { ASSERT_LE(parts->strExt.size(), 5u); }
    }
}

class DocumentRobustnessRead : public documents::DocumentTest {};

TEST_F(DocumentRobustnessRead, MalformedDocumentsReadAsThePlatformReadsThem) {
    Generator g(20240611);
    int selection[ids::kRows][ids::kColumns] = {};  // what the buttons hold before each read
    for (int n = 0; n < initest::Setting("TARVELO_MALFORMED_DOCUMENTS", 200); ++n) {
        SCOPED_TRACE("document " + std::to_string(n));
        // A new name each time: the platform keeps what it read.
        const std::string file = At(std::to_string(n) + ".pgx");
        bool marked = false;
        WriteFileBytes(file, g.File(marked).value_or(""));
        dlg->m_strDocPath = file;
        dlg->m_bModified = TRUE;
        dlg->ReadDocument();
        ASSERT_FALSE(dlg->m_bModified);
        const std::string autoOpen = Raw(file, "INFO", "AutoRn", "11111111111111111111", 21);
        const std::string lines = Raw(file, "SETTINGS", "Lines", "00000000000000000000", 21);
        for (int row = 0; row < ids::kRows; ++row) {
            ASSERT_EQ(Enabled(ids::Goods(row)), dlg->m_rowLinkColumn[row] == -1) << row;
            ASSERT_EQ(dlg->m_rowLinkFile[row], Raw(file, "SHARED", RowKey("File %02i", row), "", 260));
            ASSERT_EQ(dlg->m_rowInfo[row].strText, DecodeInfoText(Raw(file, "INFO", RowKey("Text%02i", row), "", 2400)));
            ASSERT_EQ(Text(ids::Goods(row)), Raw(file, "LISTE", RowKey("Ware %02i", row), "", 260));
            ASSERT_EQ(dlg->m_rowInfo[row].nAutoOpen, DigitAt(autoOpen, row, '1')) << row;
            if (row < ids::kSeparators) { ASSERT_EQ(dlg->m_separatorLines[row], DigitAt(lines, row, '0')) << row; }
        }
        for (int column = 0; column < ids::kColumns; ++column) {
            const std::string value = Raw(file, "BUTTONS", ids::ColumnLetter(column), "00000000000000000000", 21);
            for (int row = 0; row < ids::kRows; ++row) {
                const int digit = DigitAt(value, row, '0');
                if (digit >= 0) selection[row][column] = digit == 0 ? 0 : 1;
                ASSERT_EQ(dlg->SelectionButtonState(row, column, -1), selection[row][column]) << row << "," << column;
            }
        }
        ASSERT_EQ(Check(ids::kNumbers) != 0, ::GetPrivateProfileIntA("SETTINGS", "NumbersOn", 0, file.c_str()) != 0);
        RemoveFile(file);
    }
}
