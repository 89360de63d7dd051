#pragma once
// Control ids of the main dialog: each block is a base plus an index.

namespace ids {

inline constexpr int kRows = 20;
inline constexpr int kColumns = 7;
inline constexpr int kSeparators = kRows - 1;

inline constexpr int kGoodsBase = 1000;      // + row
inline constexpr int kPriceBase = 1020;      // + row
inline constexpr int kSelectionBase = 1040;  // + column * kRows + row
inline constexpr int kNameBase = 1180;       // + column
inline constexpr int kSumBase = 1187;        // + column
inline constexpr int kTotal = 1194;
inline constexpr int kLoad = 1196;
inline constexpr int kSaveAs = 1197;
inline constexpr int kReset = 1198;
inline constexpr int kNumbers = 1199;
inline constexpr int kHelp = 1233;
inline constexpr int kPrint = 1234;

static_assert(kPriceBase == kGoodsBase + kRows);
static_assert(kSelectionBase == kPriceBase + kRows);
static_assert(kNameBase == kSelectionBase + kColumns * kRows);
static_assert(kSumBase == kNameBase + kColumns);
static_assert(kTotal == kSumBase + kColumns);

constexpr int Goods(int row) { return kGoodsBase + row; }
constexpr int Price(int row) { return kPriceBase + row; }
constexpr int Selection(int row, int column) { return kSelectionBase + column * kRows + row; }
constexpr int Name(int column) { return kNameBase + column; }
constexpr int Sum(int column) { return kSumBase + column; }

// Which block an id is of: the one place the ranges are written out.
constexpr bool InBlock(int id, int base, int count) { return id >= base && id < base + count; }
constexpr bool IsGoods(int id) { return InBlock(id, kGoodsBase, kRows); }
constexpr bool IsPrice(int id) { return InBlock(id, kPriceBase, kRows); }
constexpr bool IsSelection(int id) { return InBlock(id, kSelectionBase, kRows * kColumns); }
constexpr bool IsName(int id) { return InBlock(id, kNameBase, kColumns); }
// The edits whose typing is the user's: goods, prices and column names.
constexpr bool IsTextField(int id) { return IsGoods(id) || IsPrice(id) || IsName(id); }

// Column-pick dialog.
inline constexpr int kPickSumBase = 1203;     // + column
inline constexpr int kPickNameBase = 1210;    // + column
inline constexpr int kPickChoiceBase = 1217;  // + column
static_assert(kPickNameBase == kPickSumBase + kColumns);
static_assert(kPickChoiceBase == kPickNameBase + kColumns);

// Row info dialog.
inline constexpr int kInfoText = 1224;
inline constexpr int kInfoSource1 = 1225;
inline constexpr int kInfoSource2 = 1226;
inline constexpr int kInfoBrowse1 = 1227;
inline constexpr int kInfoBrowse2 = 1228;
inline constexpr int kInfoOpen1 = 1229;
inline constexpr int kInfoOpen2 = 1230;
inline constexpr int kInfoClearAll = 1231;
inline constexpr int kInfoAutoOpen = 1232;
static_assert(kInfoAutoOpen + 1 == kHelp);

// Column letters: the single upper-case letter, also the INI section name.
inline const char* ColumnLetter(int column) {
    static const char* const kLetters[kColumns] = {"A", "B", "C", "D", "E", "F", "G"};
    return kLetters[column];
}

}  // namespace ids
