// Every message the program can show is explained in the help: the texts
// handed to the message-box seam, read from the sources, each quoted in the
// help's messages section (a %s or %02i there as the help shows it).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

TEST(AppHelp, QuotesEveryMessageTheProgramShows) {
    const auto slurp = [](const auto& path) { return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str(); };
    const std::filesystem::path root = TARVELO_SOURCE_DIR;
    std::string sources, section = slurp(root / "docs/help/Info_Help.md");
    for (const auto& file : std::filesystem::recursive_directory_iterator(root / "src")) sources += file.is_regular_file() ? slurp(file.path()) : "";
    std::map<std::string, std::string> constants;
    const std::regex constant(R"((\w+) = "([^"]*)\";)"), call(R"(AppMessageBox\(\s*(?:dialogkit::Format\()?(\w+|"[^"]*")\s*[,)])");
    for (std::sregex_iterator m(sources.begin(), sources.end(), constant), end; m != end; ++m) constants[(*m)[1]] = (*m)[2];
    const size_t start = section.find("\n## 11. Meldungen\n");
    ASSERT_NE(start, std::string::npos) << "the help's messages section";
    section = section.substr(start, section.find("\n## ", start + 1) - start);
    int messages = 0;
    for (std::sregex_iterator m(sources.begin(), sources.end(), call), end; m != end; ++m, ++messages) {
        const std::string arg = (*m)[1], text = arg[0] == '"' ? arg.substr(1, arg.size() - 2) : constants[arg];
        ASSERT_FALSE(text.empty()) << arg << " names no text the scan finds";
        const std::string escaped = std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), "\\$&");
        EXPECT_TRUE(std::regex_search(section, std::regex(std::regex_replace(escaped, std::regex("%[-0-9]*[a-z]"), ".+?"))))
            << "the help's messages do not quote: " << text;
    }
    EXPECT_GE(messages, 10) << "the scan finds the program's message boxes";
}
