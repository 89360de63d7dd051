#include "links/LinkRules.h"

#include "dialogkit/Format.h"
#include "document/DocumentKeys.h"
#include "document/DocumentPath.h"
#include "document/Profile.h"
#include "model/ControlIds.h"

namespace {

constexpr const char* kLinkedGoodsFormat = "[%s] - [%s]--> %s";

}  // namespace

int SteppedLinkColumn(int storedColumn, int step) {
    int column = storedColumn + step;
    if (column > ids::kColumns - 1) column = 0;
    if (column < 0) column = ids::kColumns - 1;
    return column;
}

std::string LinkedGoodsText(int column, const std::string& title, const std::string& name) {
    return dialogkit::Format(kLinkedGoodsFormat, ids::ColumnLetter(column), title.c_str(), name.c_str());
}

std::string CompanionPathOf(const std::string& filePath) {
    const size_t slash = filePath.rfind('\\');
    const std::string folder = slash == std::string::npos ? std::string() : filePath.substr(0, slash);
    std::string title = slash == std::string::npos ? filePath : filePath.substr(slash + 1);
    const size_t dot = title.rfind('.');
    if (dot != std::string::npos) title.erase(dot);
    return (folder.empty() ? std::string(".") : folder) + "\\" + title + kCompanionExtension;
}

PublishedColumns PublishedColumnsOf(const IniFile& file) {
    PublishedColumns columns;
    for (int column = 0; column < ids::kColumns; ++column) {
        const char* section = ids::ColumnLetter(column);
        columns[column].strName = file.GetString(section, doc::kKeyName, "", doc::kTextBuffer);
        columns[column].strSum = file.GetString(section, doc::kKeySum, "", doc::kTextBuffer);
    }
    return columns;
}

PublishedColumns ReadPublishedColumns(const std::string& path) {
    IniFile file;
    LoadIniFile(path, &file);
    return PublishedColumnsOf(file);
}

std::optional<WriterId> CompanionWriterOf(const IniFile& file) {
    WriterId writer;
    const std::string tag = file.GetString(doc::kSectionWriter, doc::kKeyWriter, "", doc::kTextBuffer);
    if (!WriterFromTag(tag, &writer)) return std::nullopt;
    return writer;
}
