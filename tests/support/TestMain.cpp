// The test program: one application object named like the product, and a
// fresh working folder, since the untitled document lives in the current
// directory.
#include "support/Harness.h"

namespace {

std::string MakeTestDir() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "tarvelo-tests-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

}  // namespace

const std::string& TestDir() {
    static const std::string dir = MakeTestDir();
    return dir;
}

CPriceListApp& TestApp() {
    static CPriceListApp app;
    return app;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::SetCurrentDirectoryA(TestDir().c_str());
    CPriceListApp& app = TestApp();
    app.SetModulePath(TestDir() + "\\Tarvelo.exe");
    app.DerivePaths();
    const int result = RUN_ALL_TESTS();
    return result;
}
