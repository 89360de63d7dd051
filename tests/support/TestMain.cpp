// The test program: one application object named like the product, and a
// fresh working folder, since the untitled document lives in the current
// directory.
#include "support/Harness.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <regex>

namespace {

// "--check-suites=P1:P2:…" runs nothing: it fails, naming them, when a
// test suite's name starts with none of the prefixes, since each ctest
// entry runs the suites of one prefix and such a suite would never run.
int CheckSuites(const std::string& prefixes) {
    std::string alternatives = prefixes;
    std::replace(alternatives.begin(), alternatives.end(), ':', '|');
    const std::regex covered("(" + alternatives + ").*");
    int unrun = 0;
    const auto& tests = *::testing::UnitTest::GetInstance();
    for (int i = 0; i < tests.total_test_suite_count(); ++i) {
        const char* suite = tests.GetTestSuite(i)->name();
        if (std::regex_match(suite, covered)) continue;
        std::fprintf(stderr, "test suite %s is run by no ctest entry (prefixes %s)\n", suite, prefixes.c_str());
        ++unrun;
    }
    std::printf("%d test suites, %d run by no ctest entry\n", tests.total_test_suite_count(), unrun);
    return unrun == 0 ? 0 : 1;
}

}  // namespace

const std::string& TestDir() {
    static const std::string dir = [] {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        const std::string made = std::string(temp) + "tarvelo-tests-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(made.c_str(), nullptr);
        return made;
    }();
    return dir;
}

CPriceListApp& TestApp() {
    static CPriceListApp app;
    return app;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    constexpr char kCheckSuites[] = "--check-suites=";
    if (argc == 2 && std::strncmp(argv[1], kCheckSuites, sizeof kCheckSuites - 1) == 0)
        return CheckSuites(argv[1] + sizeof kCheckSuites - 1);
    TestApp().SetModulePath(TestDir() + "\\Tarvelo.exe");
    ::SetCurrentDirectoryA(TestDir().c_str());
    TestApp().DerivePaths();
    const int failed = RUN_ALL_TESTS();
    // A ctest entry whose filter names no test must not pass.
    if (::testing::UnitTest::GetInstance()->test_to_run_count() > 0) return failed;
    std::fprintf(stderr, "no test matches the filter\n");
    return 1;
}
