// Reading and writing a document with every field at its limit: 259
// characters in every text and path, 20 links, 20 info texts of 2,399
// encoded characters. Beside each figure, what the profile functions alone
// cost for the same keys, and what one plain write of the same bytes costs.
#include "Bench.h"
#include "document/DocumentCodec.h"
#include "document/DocumentKeys.h"
#include "document/Profile.h"
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

// The keys and values of the document as the file holds them.
struct KeyValue {
    const char* section;
    std::string key;
    std::string value;
};

std::vector<KeyValue> KeysOf(const std::string& file) {
    std::vector<KeyValue> keys;
    auto add = [&](const char* section, const std::string& key) {
        keys.push_back({section, key, ReadProfileString(file, section, key, "", doc::kInfoTextBuffer)});
    };
    for (int row = 0; row < ids::kRows; ++row) {
        add(doc::kSectionList, RowKey(doc::kKeyGoods, row));
        add(doc::kSectionList, RowKey(doc::kKeyPrice, row));
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        add(ids::ColumnLetter(column), doc::kKeyName);
        add(ids::ColumnLetter(column), doc::kKeySum);
    }
    for (int column = 0; column < ids::kColumns; ++column) add(doc::kSectionButtons, ids::ColumnLetter(column));
    add(doc::kSectionSettings, doc::kKeyNumbersOn);
    add(doc::kSectionSettings, doc::kKeyLines);
    for (int row = 0; row < ids::kRows; ++row) add(doc::kSectionShared, RowKey(doc::kKeyLinkFile, row));
    add(doc::kSectionShared, doc::kKeyLinkColumn);
    for (int row = 0; row < ids::kRows; ++row) {
        add(doc::kSectionInfo, RowKey(doc::kKeyInfoText, row));
        add(doc::kSectionInfo, RowKey(doc::kKeySource1, row));
        add(doc::kSectionInfo, RowKey(doc::kKeySource2, row));
    }
    add(doc::kSectionInfo, doc::kKeyAutoOpen);
    return keys;
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    const HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(::GetFileSize(h, nullptr));
    DWORD read = 0;
    ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(h);
    bytes.resize(read);
    return bytes;
}

void WriteWhole(const std::string& path, const std::string& bytes) {
    const HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::FlushFileBuffers(h);
    ::CloseHandle(h);
}

std::string PathOf(const char* name) { return BenchDir() + "\\" + name; }

// Both variants written once, for the reads and for the bare profile writes.
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

    // The usual save: the document exists, every value has changed.
    const double changed = MedianPrepared(21, [&](int i) { FillMaximal(dlg, i % 2); }, [&] { dlg.WriteDocument(); });
    // The first save of a new document.
    const double fresh = MedianPrepared(11, [&](int) { ::DeleteFileA(document.c_str()); }, [&] { dlg.WriteDocument(); });
    // Saving again without a change.
    const double unchanged = MedianMicros(11, [&] { dlg.WriteDocument(); });

    // What the profile functions alone take for the same keys, every value
    // changed, against one plain write of the finished file.
    const std::vector<KeyValue> keys = KeysOf(PathOf("MaximalY.pgx"));
    const std::string before = FileBytes(PathOf("MaximalX.pgx"));
    const std::string copy = PathOf("Kopie.pgx");
    const double profile = MedianPrepared(11, [&](int) { WriteWhole(copy, before); }, [&] {
        for (const KeyValue& kv : keys) WriteProfileString(copy, kv.section, kv.key, kv.value);
        FlushProfile(copy);
    });
    const std::string after = FileBytes(PathOf("MaximalY.pgx"));
    const double plain = MedianMicros(11, [&] { WriteWhole(copy, after); });
    ::DeleteFileA(copy.c_str());

    char out[512];
    std::snprintf(out, sizeof out,
                  "%s every value changed; %s first save; %s unchanged (%zu bytes, %zu keys; the profile writes "
                  "alone %s, one plain write of the file %s)",
                  Micros(changed).c_str(), Micros(fresh).c_str(), Micros(unchanged).c_str(), after.size(),
                  keys.size(), Micros(profile).c_str(), Micros(plain).c_str());
    return out;
}

std::string ReadMaximal() {
    BenchDialog bench;
    CPriceListDlg& dlg = bench.Dlg();
    WriteVariants(dlg);
    // Alternately the two variants, so every control changes on every read.
    int variant = 0;
    const double read = MedianPrepared(31, [&](int i) {
        variant = i % 2;
        dlg.m_strDocPath = PathOf(variant ? "MaximalY.pgx" : "MaximalX.pgx");
    }, [&] { dlg.ReadDocument(); });
    const double profile = MedianMicros(31, [&] { KeysOf(PathOf("MaximalX.pgx")); });
    const double small = MedianMicros(31, [&] {
        dlg.m_strDocPath = PathOf("fehlt.pgx");
        dlg.ReadDocument();
    });
    char out[256];
    std::snprintf(out, sizeof out, "%s (the profile reads alone %s; reading a missing file %s)", Micros(read).c_str(),
                  Micros(profile).c_str(), Micros(small).c_str());
    return out;
}

const BenchRegistrar write("Document write, maximal document (median)", "<= 20 ms", WriteMaximal);
const BenchRegistrar read("Document read, maximal document (median of 31)", "<= 10 ms", ReadMaximal);

}  // namespace
