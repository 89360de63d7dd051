#pragma once
// Plain rules of linked rows, apart from any window.
#include "document/IniFile.h"
#include "document/WriterId.h"
#include "model/ControlIds.h"

#include <array>
#include <optional>
#include <string>

// The column a link moves to: the stored column plus the step, wrapped
// around the seven columns (beyond G comes A, before A comes G). A stored
// "no column" (-1) with step 0 thereby becomes G.
int SteppedLinkColumn(int storedColumn, int step);

// What the goods edit of a linked row shows: "[B] - [Haushalt]--> Lebensmittel".
std::string LinkedGoodsText(int column, const std::string& title, const std::string& name);

// The companion path of an existing file: its folder, a backslash, its
// title (the name up to its last dot) and ".pgw"; ".\" stands for an empty
// folder. Unlike the document path analysis it accepts any file name.
std::string CompanionPathOf(const std::string& filePath);

// A column's "Name" and "Summe" as a document or a companion file holds
// them; what the file lacks, or a file that cannot be read, gives empty
// values.
struct PublishedColumn {
    std::string strName;
    std::string strSum;
    bool operator==(const PublishedColumn&) const = default;
};
using PublishedColumns = std::array<PublishedColumn, ids::kColumns>;
PublishedColumns PublishedColumnsOf(const IniFile& file);
PublishedColumns ReadPublishedColumns(const std::string& path);

// The writer a companion file names; none in a file that names none, as
// one another program wrote.
std::optional<WriterId> CompanionWriterOf(const IniFile& file);
