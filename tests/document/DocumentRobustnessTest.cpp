// Values nobody should have written: the decoding functions take tens of
// thousands of odd values in seconds (20 times TARVELO_MALFORMED_DOCUMENTS;
// scripts/fuzz.sh runs many more). Whole odd documents go through the real
// reader in the document file test (odd.pgx), and random files, Unicode ones
// too, through the INI file's differential test.
#include "document/DocumentCodec.h"
#include "document/DocumentPath.h"
#include "document/IniGenerator.h"
#include "model/Amounts.h"

using initest::Generator;

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
