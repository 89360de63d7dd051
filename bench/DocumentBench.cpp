// Reading and writing a document with every field at its limit: 259
// characters in every text and path, 20 links, 20 info texts of 2,399
// encoded characters. Beside each figure its floor, measured in turns with
// it: one plain write of the same bytes, a bare loop of the same control calls.
#include "Bench.h"
#include "commands/CommandHistory.h"
#include "document/DocumentCodec.h"
#include "document/DocumentKeys.h"
#include "document/Profile.h"
#include "document/SafeSave.h"
#include "model/ControlIds.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

std::string Filled(char first, int n, size_t length) {
    std::string text(1, first);
    while (text.size() < length) text += static_cast<char>('a' + (text.size() * 7 + static_cast<size_t>(n)) % 26);
    return text;
}

// Every field at its limit; the two variants differ in every value.
void FillMaximal(CPriceListDlg& dlg, int variant) {
    const HWND wnd = dlg.GetSafeHwnd();
    const char lead = variant ? 'Y' : 'X';
    for (int row = 0; row < ids::kRows; ++row) {
        ::SetDlgItemTextA(wnd, ids::Goods(row), Filled(lead, row, 259).c_str());
        ::SetDlgItemTextA(wnd, ids::Price(row), (std::to_string(1 + variant) + std::string(258, '0')).c_str());
        for (int column = 0; column < ids::kColumns; ++column) {
            dlg.SelectionButtonState(row, column, (row + column + variant) % 2);
        }
        dlg.m_rowLinkFile[row] = "C:\\" + Filled(lead, row, 252) + ".pgx";
        dlg.m_rowLinkColumn[row] = (row + variant) % 7;
        // 2,399 characters once encoded, with line breaks.
        std::string text(1, lead);
        while (EncodeInfoText(text).size() + 3 <= 2399) text += text.size() % 60 == 58 ? "\r\n" : "t";
        while (EncodeInfoText(text).size() < 2399) text += 'x';
        dlg.m_rowInfo[row] = RowInfo{text, Filled(lead, row, 259), Filled(lead, row + 1, 259), (row + variant) % 2};
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        ::SetDlgItemTextA(wnd, ids::Name(column), Filled(lead, column, 259).c_str());
    }
    dlg.m_btnNumbers.SetCheck(1 - variant);
    for (int i = 0; i < ids::kSeparators; ++i) dlg.m_separatorLines[i] = (i + variant) % 2;
    dlg.UpdateSums();
}

// Median of n timed runs of timed, each after an untimed prepare(i).
double MedianPrepared(int n, const std::function<void(int)>& prepare, const std::function<void()>& timed) {
    std::vector<double> samples;
    for (int i = 0; i < n; ++i) {
        prepare(i);
        samples.push_back(MedianMicros(1, timed));
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// The keys of a document, in writing order.
std::vector<std::pair<const char*, std::string>> DocumentKeys() {
    std::vector<std::pair<const char*, std::string>> keys;
    for (int row = 0; row < ids::kRows; ++row) {
        keys.emplace_back(doc::kSectionList, RowKey(doc::kKeyGoods, row));
        keys.emplace_back(doc::kSectionList, RowKey(doc::kKeyPrice, row));
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        keys.emplace_back(ids::ColumnLetter(column), doc::kKeyName);
        keys.emplace_back(ids::ColumnLetter(column), doc::kKeySum);
    }
    for (int column = 0; column < ids::kColumns; ++column) keys.emplace_back(doc::kSectionButtons, ids::ColumnLetter(column));
    keys.emplace_back(doc::kSectionSettings, doc::kKeyNumbersOn);
    keys.emplace_back(doc::kSectionSettings, doc::kKeyLines);
    for (int row = 0; row < ids::kRows; ++row) keys.emplace_back(doc::kSectionShared, RowKey(doc::kKeyLinkFile, row));
    keys.emplace_back(doc::kSectionShared, doc::kKeyLinkColumn);
    for (int row = 0; row < ids::kRows; ++row) {
        keys.emplace_back(doc::kSectionInfo, RowKey(doc::kKeyInfoText, row));
        keys.emplace_back(doc::kSectionInfo, RowKey(doc::kKeySource1, row));
        keys.emplace_back(doc::kSectionInfo, RowKey(doc::kKeySource2, row));
    }
    keys.emplace_back(doc::kSectionInfo, doc::kKeyAutoOpen);
    return keys;
}

void WriteWhole(const std::string& path, const std::string& bytes) {
    const HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::FlushFileBuffers(h);
    ::CloseHandle(h);
}

std::string PathOf(const char* name) { return BenchDir() + "\\" + name; }

// Both variants written once, for the reads.
void WriteVariants(CPriceListDlg& dlg) {
    for (int variant = 0; variant < 2; ++variant) {
        FillMaximal(dlg, variant);
        dlg.SetDocumentPath(PathOf(variant ? "MaximalY.pgx" : "MaximalX.pgx"), TRUE);
        dlg.WriteDocument();
    }
}

std::string WriteMaximal() {
    BenchDialog bench;
    CPriceListDlg& dlg = bench.Dlg();
    WriteVariants(dlg);
    const std::string document = PathOf("Maximal.pgx");
    dlg.SetDocumentPath(document, TRUE);
    std::string after;
    ReadWholeFile(PathOf("MaximalY.pgx"), &after);
    const std::string copy = PathOf("Kopie.pgx");

    // The usual save (the document exists, every value has changed), in
    // turns with its floor: one plain, flushed write of the finished file.
    std::vector<double> changed, plain;
    for (int i = 0; i < 21; ++i) {
        FillMaximal(dlg, i % 2);
        changed.push_back(MedianMicros(1, [&] { dlg.WriteDocument(); }));
        plain.push_back(MedianMicros(1, [&] { WriteWhole(copy, after); }));
    }
    const double fresh = MedianPrepared(11, [&](int) { ::DeleteFileA(document.c_str()); }, [&] { dlg.WriteDocument(); });
    ::DeleteFileA(copy.c_str());
    std::sort(changed.begin(), changed.end());
    std::sort(plain.begin(), plain.end());
    char out[512];
    std::snprintf(out, sizeof out, "%s every value changed, %s first save (%zu bytes); floor: one plain write %s",
                  Micros(changed[changed.size() / 2]).c_str(), Micros(fresh).c_str(), after.size(),
                  Micros(plain[plain.size() / 2]).c_str());
    return out;
}

// The file part of a read: the file read once, parsed, every key looked up.
void ReadKeys(const std::string& path, const std::vector<std::pair<const char*, std::string>>& keys) {
    IniFile file;
    LoadIniFile(path, &file);
    for (const auto& [section, key] : keys) file.GetString(section, key, "", doc::kInfoTextBuffer);
}

std::string ReadMaximal() {
    BenchDialog bench;
    CPriceListDlg& dlg = bench.Dlg();
    WriteVariants(dlg);
    const auto keys = DocumentKeys();
    const double filePart = MedianMicros(31, [&] { ReadKeys(PathOf("MaximalX.pgx"), keys); });

    // The control part: the parsed file into the window, alternately the
    // two variants so every control changes, in turns with a bare loop of
    // the same control calls on the same values.
    IniFile files[2];
    LoadIniFile(PathOf("MaximalX.pgx"), &files[0]);
    LoadIniFile(PathOf("MaximalY.pgx"), &files[1]);
    struct Values {
        std::vector<std::string> texts;
        std::vector<int> states, enabled;
        int numbers = 0;
    } values[2];
    for (int v = 0; v < 2; ++v) {
        dlg.ReadDocumentFrom(files[v]);
        for (int row = 0; row < ids::kRows; ++row) {
            values[v].texts.push_back(dlg.GetItemText(ids::Goods(row), 260));
            values[v].texts.push_back(dlg.GetItemText(ids::Price(row), 260));
            values[v].enabled.push_back(::IsWindowEnabled(dlg.Item(ids::Goods(row))));
        }
        for (int column = 0; column < ids::kColumns; ++column) values[v].texts.push_back(dlg.GetItemText(ids::Name(column), 260));
        for (int i = 0; i < ids::kRows * ids::kColumns; ++i) values[v].states.push_back(dlg.SelectionButtonState(i % 20, i / 20, -1));
        values[v].numbers = dlg.m_btnNumbers.GetCheck();
    }
    auto bare = [&](const Values& v) {
        for (int row = 0; row < ids::kRows; ++row) {
            ::SetWindowTextA(dlg.Item(ids::Goods(row)), v.texts[2 * row].c_str());
            ::SetWindowTextA(dlg.Item(ids::Price(row)), v.texts[2 * row + 1].c_str());
        }
        for (int column = 0; column < ids::kColumns; ++column) {
            ::SetWindowTextA(dlg.Item(ids::Name(column)), v.texts[2 * ids::kRows + column].c_str());
        }
        for (int i = 0; i < ids::kRows * ids::kColumns; ++i) dlg.SelectionButtonState(i % 20, i / 20, v.states[i]);
        dlg.m_btnNumbers.SetCheck(v.numbers);
        for (int row = 0; row < ids::kRows; ++row) {
            ::EnableWindow(dlg.Item(ids::Goods(row)), v.enabled[row]);
            ::EnableWindow(dlg.Item(ids::Price(row)), v.enabled[row]);
        }
        dlg.ApplyNumbering();
    };
    std::vector<double> controls, floor;
    for (int i = 0; i < 31; ++i) {
        controls.push_back(MedianMicros(1, [&] { dlg.ReadDocumentFrom(files[i % 2]); }));
        floor.push_back(MedianMicros(1, [&] { bare(values[(i + 1) % 2]); }));
    }
    std::sort(controls.begin(), controls.end());
    std::sort(floor.begin(), floor.end());
    const double c = controls[controls.size() / 2], f = floor[floor.size() / 2];
    char out[256];
    std::snprintf(out, sizeof out, "file part %s (goal <= 5 ms); control part %s against a bare loop of the same calls %s (%.2fx, goal <= 1.2x)",
                  Micros(filePart).c_str(), Micros(c).c_str(), Micros(f).c_str(), c / f);
    return out;
}

// A step of the history taken on a maximal document, and one undone: a
// row exchanged, and the worst case, every value of the document differing
// from the step's, which is as many control calls as reading a document.
std::string StepMaximal() {
    BenchDialog bench;
    CPriceListDlg& dlg = bench.Dlg();
    // Filled as a program fills it: not typed, no steps of its own.
    auto fill = [&](int variant) {
        const CommandHistory::QuietScope quiet(*dlg.m_history);
        FillMaximal(dlg, variant);
    };
    std::vector<double> take, typed, rewrite, exchange, row, rowTexts, whole;
    // A step of the whole list, as every change takes one.
    const auto takeStep = [&] {
        dlg.m_history->EndTyping();
        dlg.m_history->Take(dlg.CaptureValues());
    };
    for (int i = 0; i < 31; ++i) {
        fill(i % 2);
        take.push_back(MedianMicros(1, takeStep));
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Price(i % 20), "12.50");  // typed: a step of its own
        typed.push_back(MedianMicros(1, [&] { dlg.OnUndo(); }));
        // Its floor: the price put back into its edit alone, as the program
        // puts it there (no step).
        const std::string price = dlg.GetItemText(ids::Price(i % 20), 260);
        {
            const CommandHistory::QuietScope quiet(*dlg.m_history);
            ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Price(i % 20), "12.50");
            rewrite.push_back(MedianMicros(1, [&] { ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Price(i % 20), price.c_str()); }));
        }
        exchange.push_back(MedianMicros(1, [&] { dlg.TransferRow(i % 19, i % 19 + 1, FALSE); }));
        row.push_back(MedianMicros(1, [&] { dlg.OnUndo(); }));
        // Its floor: the two rows' goods and prices written back into their
        // edits alone, from the exchanged texts, as the undo writes them.
        {
            const CommandHistory::QuietScope quiet(*dlg.m_history);
            const int rows[2] = {i % 19, i % 19 + 1};
            std::string texts[2][2];
            for (int k = 0; k < 2; ++k) {
                texts[k][0] = dlg.GetItemText(ids::Goods(rows[k]), 260);
                texts[k][1] = dlg.GetItemText(ids::Price(rows[k]), 260);
            }
            auto put = [&](int first) {
                for (int k = 0; k < 2; ++k) {
                    ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Goods(rows[k]), texts[(k + first) % 2][0].c_str());
                    ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Price(rows[k]), texts[(k + first) % 2][1].c_str());
                }
            };
            put(1);
            rowTexts.push_back(MedianMicros(1, [&] { put(0); }));
        }
        takeStep();
        fill((i + 1) % 2);
        whole.push_back(MedianMicros(1, [&] { dlg.OnUndo(); }));
    }
    for (auto* samples : {&take, &typed, &rewrite, &exchange, &row, &rowTexts, &whole}) std::sort(samples->begin(), samples->end());
    char out[512];
    std::snprintf(out, sizeof out, "take a step %s; undo a typed price %s (the price written back alone %s); undo a row exchange %s (the exchange itself %s; floor: its four texts written back alone %s); undo with every value differing %s",
                  Micros(take[take.size() / 2]).c_str(), Micros(typed[typed.size() / 2]).c_str(),
                  Micros(rewrite[rewrite.size() / 2]).c_str(), Micros(row[row.size() / 2]).c_str(),
                  Micros(exchange[exchange.size() / 2]).c_str(), Micros(rowTexts[rowTexts.size() / 2]).c_str(),
                  Micros(whole[whole.size() / 2]).c_str());
    return out;
}

const BenchRegistrar step("Undo history, maximal document (median of 31)", "<= 1 ms each (every value: a read's controls)",
                         StepMaximal);
const BenchRegistrar write("Document write, maximal document (median of 21)", "<= 20 ms", WriteMaximal);
const BenchRegistrar read("Document read, maximal document (median of 31)", "file part <= 5 ms; controls <= 1.2x bare",
                          ReadMaximal);

}  // namespace
