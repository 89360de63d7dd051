// The document file: the whole price list to and from one INI file, read
// once and parsed, built in memory and written once.
#include "app/PriceListDlg.h"
#include "commands/CommandHistory.h"
#include "dialogkit/Format.h"
#include "dialogkit/Seams.h"
#include "document/DocumentCodec.h"
#include "document/DocumentKeys.h"
#include "document/DocumentPath.h"
#include "document/Profile.h"
#include "document/SafeSave.h"
#include "links/LinkWatch.h"

namespace {

const std::string kAllOff(ids::kRows, doc::kDigitsOff);
const std::string kAllOn(ids::kRows, doc::kDigitsOn);
const std::string kNoLinks(ids::kRows, doc::kNoLinkColumn);

constexpr const char* kSaveFailedFormat = "Die Datei   %s   konnte nicht gespeichert werden !";
constexpr const char* kReadFailedFormat = "Die Datei   %s   konnte nicht gelesen werden !";

}  // namespace

bool CPriceListDlg::ReadDocument() {
    const std::string current = m_strDocPath;  // the path changes as it is read
    return OpenDocumentFile(current);
}

bool CPriceListDlg::OpenDocumentFile(const std::string& path) {
    if (!SetDocumentPath(path, FALSE)) return false;
    const std::string fullPath = m_lastPathParts.strFullPath;
    // A document held by another program, or one that may not be read, is
    // not an empty list: the user is told, and the window keeps its list.
    std::string bytes;
    if (!ReadWholeFile(fullPath, &bytes)) {
        dialogkit::AppMessageBox(dialogkit::Format(kReadFailedFormat, fullPath.c_str()), MB_OK);
        return false;
    }
    // The bytes as read: any change made since, even one that keeps the
    // size within the same time stamp, makes the save ask.
    m_knownFiles[PathKey(fullPath)].bytes = bytes;
    IniFile file;
    IniFromBytes(std::move(bytes), &file);
    SetDocumentPath(path, TRUE);
    ReadDocumentFrom(file);
    return true;
}

void CPriceListDlg::ReadDocumentFrom(const IniFile& file) {
    using namespace doc;
    // What a document brings is nobody's step: the history starts anew.
    const CommandHistory::QuietScope quiet(*m_history);
    auto text = [&file](const char* section, const std::string& key, const std::string& def, int buffer) {
        return file.GetString(section, key, def, static_cast<size_t>(buffer));
    };

    for (int row = 0; row < ids::kRows; ++row) {
        SetItemText(ids::Goods(row), text(kSectionList, RowKey(kKeyGoods, row), "", kTextBuffer));
        SetItemText(ids::Price(row), text(kSectionList, RowKey(kKeyPrice, row), "", kTextBuffer));
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        SetItemText(ids::Name(column), text(ids::ColumnLetter(column), kKeyName, "", kTextBuffer));
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        const std::string value = text(kSectionButtons, ids::ColumnLetter(column), kAllOff, kDigitsBuffer);
        const std::vector<int> digits = DecodeDigits(value, ids::kRows, kDigitsOff);
        for (int row = 0; row < ids::kRows; ++row) {
            const int state = SelectionStateFromDigit(digits[row]);
            if (state >= 0) SelectionButtonState(row, column, state);
        }
    }

    m_btnNumbers.SetCheck(file.GetInt(kSectionSettings, kKeyNumbersOn, 0));

    const std::vector<int> lines =
        DecodeDigits(text(kSectionSettings, kKeyLines, kAllOff, kDigitsBuffer), ids::kSeparators, kDigitsOff);
    for (int i = 0; i < ids::kSeparators; ++i) m_separatorLines[i] = lines[i];

    const std::vector<int> columns =
        DecodeLinkColumns(text(kSectionShared, kKeyLinkColumn, kNoLinks, kDigitsBuffer), ids::kRows);
    for (int row = 0; row < ids::kRows; ++row) {
        m_rowLinkColumn[row] = columns[row];
        m_rowLinkFile[row] = text(kSectionShared, RowKey(kKeyLinkFile, row), "", kTextBuffer);
        EnableRowEdits(row, m_rowLinkColumn[row] < 0 ? TRUE : FALSE);
    }

    for (int row = 0; row < ids::kRows; ++row) {
        RowInfo& info = m_rowInfo[row];
        info.strText = DecodeInfoText(text(kSectionInfo, RowKey(kKeyInfoText, row), "", kInfoTextBuffer));
        info.strSource1 = text(kSectionInfo, RowKey(kKeySource1, row), "", kTextBuffer);
        info.strSource2 = text(kSectionInfo, RowKey(kKeySource2, row), "", kTextBuffer);
    }
    const std::vector<int> autoOpen =
        DecodeDigits(text(kSectionInfo, kKeyAutoOpen, kAllOn, kDigitsBuffer), ids::kRows, kDigitsOn);
    for (int row = 0; row < ids::kRows; ++row) m_rowInfo[row].nAutoOpen = autoOpen[row];

    ApplyNumbering();
    // Looks at the links of another document are no longer true for these
    // rows; the new ones are asked for at once.
    m_linkWatch->Forget();
    m_linkWatch->Look(LinkedPaths());
    m_bPublishPending = TRUE;
    StartNewHistory();
}

bool CPriceListDlg::WriteDocument() {
    // The file as it is, so that every line the document does not own stays.
    IniFile file;
    if (LoadIniFile(m_strDocPath, &file) == IniLoad::kWhole) {
        WriteDocumentInto(file);
        // What this window wrote, not what the file holds after the move:
        // another save landing in between is not taken for ours.
        std::string bytes = file.Bytes();
        if (SaveReplacing(m_strDocPath, bytes, Durability::kFlushed)) {
            m_knownFiles[PathKey(m_strDocPath)] = KnownFile{std::move(bytes), true};
            DocumentSaved();
            return true;
        }
    }
    dialogkit::AppMessageBox(dialogkit::Format(kSaveFailedFormat, m_strDocPath.c_str()), MB_OK);
    return false;
}

void CPriceListDlg::WriteDocumentInto(IniFile& file) {
    using namespace doc;
    auto put = [&file](const char* section, const std::string& key, const std::string& value) {
        file.SetString(section, key, OneLineValue(value));
    };
    for (int row = 0; row < ids::kRows; ++row) {
        put(kSectionList, RowKey(kKeyGoods, row), GetItemText(ids::Goods(row), kTextBuffer));
        put(kSectionList, RowKey(kKeyPrice, row), GetItemText(ids::Price(row), kTextBuffer));
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        put(ids::ColumnLetter(column), kKeyName, GetItemText(ids::Name(column), kTextBuffer));
        put(ids::ColumnLetter(column), kKeySum, GetItemText(ids::Sum(column), kTextBuffer));
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        std::vector<int> states(ids::kRows);
        for (int row = 0; row < ids::kRows; ++row) states[row] = SelectionButtonState(row, column, -1);
        put(kSectionButtons, ids::ColumnLetter(column), EncodeDigits(states));
    }
    put(kSectionSettings, kKeyNumbersOn, std::to_string(m_btnNumbers.GetCheck()));
    put(kSectionSettings, kKeyLines,
        EncodeDigits(std::vector<int>(m_separatorLines, m_separatorLines + ids::kSeparators)));
    for (int row = 0; row < ids::kRows; ++row) put(kSectionShared, RowKey(kKeyLinkFile, row), m_rowLinkFile[row]);
    put(kSectionShared, kKeyLinkColumn, EncodeDigits(std::vector<int>(m_rowLinkColumn.begin(), m_rowLinkColumn.end())));
    std::vector<int> autoOpen(ids::kRows);
    for (int row = 0; row < ids::kRows; ++row) {
        const RowInfo& info = m_rowInfo[row];
        put(kSectionInfo, RowKey(kKeyInfoText, row), EncodeInfoText(info.strText));
        put(kSectionInfo, RowKey(kKeySource1, row), info.strSource1);
        put(kSectionInfo, RowKey(kKeySource2, row), info.strSource2);
        autoOpen[row] = info.nAutoOpen;
    }
    put(kSectionInfo, kKeyAutoOpen, EncodeDigits(autoOpen));
}
