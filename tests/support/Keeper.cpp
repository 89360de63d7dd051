// Holds Wine's desktop open for the whole test run, so that no test waits
// for it to close and open again.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
