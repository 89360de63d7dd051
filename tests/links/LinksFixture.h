#pragma once
// Shared by the linked-row tests: documents and companion files written
// byte by byte, as another instance or an earlier save would leave them.
#include "support/Harness.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// A column's name and sum as a document or companion file holds them.
struct ColumnText {
    std::string name;
    std::string sum;
};

// An INI text with sections "A".."G" holding "Name" and "Summe".
inline std::string ColumnsIni(const std::map<int, ColumnText>& columns) {
    std::string out;
    for (const auto& [column, text] : columns) {
        out += std::string("[") + ids::ColumnLetter(column) + "]\r\nName=" + text.name + "\r\nSumme=" + text.sum +
               "\r\n";
    }
    return out;
}

// The sections of an INI text in file order, each with its keys in order.
using IniSections = std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>;

inline IniSections ParseIni(const std::string& bytes) {
    IniSections sections;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            sections.push_back({line.substr(1, line.size() - 2), {}});
        } else if (!sections.empty()) {
            const size_t eq = line.find('=');
            sections.back().second.push_back({line.substr(0, eq), eq == std::string::npos ? "" : line.substr(eq + 1)});
        }
    }
    return sections;
}

class LinksTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        Open();
        FirstPaint();
        dlg->m_bModified = FALSE;
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        for (const std::string& file : m_files) RemoveFile(file);
    }

    // A file in the test folder, removed after the test.
    std::string Path(const std::string& name) {
        const std::string path = TestDir() + "\\" + name;
        m_files.push_back(path);
        return path;
    }
    void Write(const std::string& path, const std::map<int, ColumnText>& columns) const {
        WriteFileBytes(path, ColumnsIni(columns));
    }
    // The document Haushalt.pgx with column B named Lebensmittel, saved
    // with the sum 10.00; other columns as given.
    std::string Haushalt() {
        const std::string path = Path("Haushalt.pgx");
        Write(path, {{0, {"Drogerie", "3.10"}}, {1, {"Lebensmittel", "10.00"}}, {6, {"Sonstiges", "7.70"}}});
        Path("Haushalt.pgw");
        return path;
    }
    void Link(int row, const std::string& path, int column) const {
        dlg->m_rowLinkFile[row] = path;
        dlg->m_rowLinkColumn[row] = column;
    }

private:
    std::vector<std::string> m_files;
};
