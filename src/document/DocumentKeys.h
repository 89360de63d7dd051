#pragma once
// Section and key names of a document and of a companion file, and the
// buffer sizes that bound what is read back.

namespace doc {

inline constexpr const char* kSectionList = "LISTE";
inline constexpr const char* kSectionButtons = "BUTTONS";
inline constexpr const char* kSectionSettings = "SETTINGS";
inline constexpr const char* kSectionShared = "SHARED";
inline constexpr const char* kSectionInfo = "INFO";

inline constexpr const char* kKeyGoods = "Ware %02i";
inline constexpr const char* kKeyPrice = "Preis%02i";
inline constexpr const char* kKeyName = "Name";
inline constexpr const char* kKeySum = "Summe";
inline constexpr const char* kKeyNumbersOn = "NumbersOn";
inline constexpr const char* kKeyLines = "Lines";
inline constexpr const char* kKeyLinkFile = "File %02i";
inline constexpr const char* kKeyLinkColumn = "Column";
inline constexpr const char* kKeyInfoText = "Text%02i";
inline constexpr const char* kKeySource1 = "URN1%02i";
inline constexpr const char* kKeySource2 = "URN2%02i";
inline constexpr const char* kKeyAutoOpen = "AutoRn";

// What a companion file says of its writer: the process (WriterTag) and
// how often it wrote the file, which changes at least every refresh.
inline constexpr const char* kSectionWriter = "Schreiber";
inline constexpr const char* kKeyWriter = "Prozess";
inline constexpr const char* kKeyWrites = "Stand";

inline constexpr int kTextBuffer = 260;      // goods, prices, names, sums, paths, sources
inline constexpr int kInfoTextBuffer = 2400;  // an encoded info text
inline constexpr int kDigitsBuffer = 21;      // digit strings

inline constexpr char kDigitsOff = '0';
inline constexpr char kDigitsOn = '1';
inline constexpr char kNoLinkColumn = '/';  // '0' + (-1)

}  // namespace doc
