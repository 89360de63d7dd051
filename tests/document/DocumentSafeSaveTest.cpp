// The safe save underneath WriteDocument: a file cut short is found out,
// and the document is then left exactly as it was, with no copy behind.
#include "document/DocumentTestSupport.h"
#include "document/Profile.h"
#include "document/SafeSave.h"

using doctest::CrLf;

class DocumentSafeSave : public doctest::DocumentTest {
protected:
    // A copy left by the safe save ("tvl....tmp") in the test's folder.
    bool AnyTemporaryFile() const {
        for (const std::string& name : doctest::FolderListing(Folder())) {
            if (name.size() > 4 && name.substr(name.size() - 4) == ".tmp") return true;
        }
        return false;
    }
};

// A full disk makes the profile functions cut the file at what fits and
// still report success; the writer must see it for itself.
TEST_F(DocumentSafeSave, TheCheckedWriterFindsAFileCutShort) {
    const std::string file = At("Probe.pgx");
    CheckedProfileWriter writer(file);
    writer.Put("LISTE", "Ware 01", "Brot");
    writer.Put("LISTE", "Preis01", "2.50");
    writer.Put("LISTE", "Ware 02", "");
    writer.Put("A", "Name", " vorne und hinten ");
    writer.Put("A", "Summe", "\"zitiert\"");
    writer.Put("INFO", "Text01", "Tab\tim Text");
    writer.Put("INFO", "Text02", std::string(2000, 'x'));
    writer.Put("INFO", "AutoRn", "11111111111111111111");
    EXPECT_TRUE(writer.Verify()) << "values the reader changes are no failure";

    const std::string whole = ReadFileBytes(file);
    ASSERT_GT(whole.size(), 2000u);
    for (size_t length = 0; length < whole.size(); length += length < 2100 ? 1 : 97) {
        WriteFileBytes(file, whole.substr(0, length));
        EXPECT_FALSE(writer.Verify()) << "cut after " << length << " of " << whole.size() << " bytes";
    }
    WriteFileBytes(file, whole);
    EXPECT_TRUE(writer.Verify());

    // Foreign lines after the last key written are part of the file too.
    WriteFileBytes(file, whole + CrLf({"[Fremd]", "Schluessel=Wert"}));
    EXPECT_TRUE(writer.Verify());
    WriteFileBytes(file, whole + "[Fremd]\r\nSchluessel=We");
    EXPECT_FALSE(writer.Verify());

    // A value changed behind the writer's back.
    std::string changed = whole;
    changed.replace(changed.find("Brot"), 4, "Brei");
    WriteFileBytes(file, changed);
    EXPECT_FALSE(writer.Verify());
}

TEST_F(DocumentSafeSave, ACopyCutShortLeavesTheDocumentAlone) {
    const std::string target = At("Liste.pgx");
    const std::string old = CrLf({"; eigen", "[LISTE]", "Ware 01=alt"});
    WriteFileBytes(target, old);
    const bool saved = SaveReplacing(target, [](const std::string& temp) {
        CheckedProfileWriter writer(temp);
        for (int row = 1; row <= 20; ++row) writer.Put("LISTE", "Ware " + std::to_string(row), std::string(100, 'n'));
        writer.Put("INFO", "AutoRn", "11111111111111111111");
        // What a full disk leaves: the first part only.
        const std::string bytes = ReadFileBytes(temp);
        WriteFileBytes(temp, bytes.substr(0, bytes.size() / 2));
        return writer.Verify();
    });
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFileBytes(target), old);
    EXPECT_EQ(doctest::FolderListing(Folder()), std::set<std::string>{"Liste.pgx"});

    // The same write, whole, replaces the document and keeps its own lines.
    EXPECT_TRUE(SaveReplacing(target, [](const std::string& temp) {
        CheckedProfileWriter writer(temp);
        writer.Put("LISTE", "Ware 01", "neu");
        return writer.Verify();
    }));
    EXPECT_EQ(ReadFileBytes(target), CrLf({"; eigen", "[LISTE]", "Ware 01=neu"}));
    EXPECT_EQ(doctest::FolderListing(Folder()), std::set<std::string>{"Liste.pgx"});
}

// A copy that the profile functions could not write out stays in their
// cache; it must not be written again, as a stray file, by whatever profile
// call comes next.
TEST_F(DocumentSafeSave, AFailedCopyDoesNotComeBackLater) {
    const std::string target = At("Liste.pgx");
    WriteFileBytes(target, CrLf({"[LISTE]", "Ware 01=alt"}));
    const bool saved = SaveReplacing(target, [](const std::string& temp) {
        CheckedProfileWriter writer(temp);
        writer.Put("LISTE", "Ware 01", "neu");
        // Another program (a scanner, say) holds the copy for a moment, so
        // the next write cannot replace the file.
        const HANDLE scanner = ::CreateFileA(temp.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(scanner, INVALID_HANDLE_VALUE);
        writer.Put("LISTE", "Preis01", "2");
        const bool whole = writer.Verify();
        ::CloseHandle(scanner);
        return whole;
    });
    EXPECT_FALSE(saved);
    EXPECT_FALSE(AnyTemporaryFile());
    // Any later profile call, here a read of the document.
    char value[32] = {};
    ::GetPrivateProfileStringA("LISTE", "Ware 01", "", value, sizeof value, target.c_str());
    EXPECT_STREQ(value, "alt");
    EXPECT_FALSE(AnyTemporaryFile()) << "the copy was written again after its removal";
    EXPECT_EQ(ReadFileBytes(target), CrLf({"[LISTE]", "Ware 01=alt"}));
}
