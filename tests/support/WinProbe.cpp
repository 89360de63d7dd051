// Reads another process's window for the end-to-end tests:
//   winprobe origin TITLE        client origin on the screen: "x y"
//   winprobe text TITLE ID       the text of control ID
//   winprobe press TITLE ID      posts the command ID (a message box's answer)
//   winprobe exists TITLE        exit code 0 when a window has that title
//   winprobe answers TITLE S MS  asks the window every 50 ms for S seconds
//                                and prints its slowest answer: exit code 0
//                                when it always answered within MS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

// A hung window must not hang the test that asks it.
constexpr UINT kAnswerLimitMs = 5000;

int main(int argc, char** argv) {
    const HWND wnd = argc < 3 ? nullptr : FindWindowA(nullptr, argv[2]);
    if (!wnd) return 1;
    const std::string what = argv[1];
    POINT origin{0, 0};
    if (what == "origin" && ClientToScreen(wnd, &origin)) printf("%ld %ld\n", origin.x, origin.y);
    if (what == "exists" || what == "origin") return 0;
    const unsigned long number = argc < 4 ? 0 : strtoul(argv[3], nullptr, 10);
    DWORD_PTR answer = 0;
    if (what == "answers" && argc > 4) {
        const DWORD limit = strtoul(argv[4], nullptr, 10);
        DWORD slowest = 0;
        for (const DWORD start = GetTickCount(); GetTickCount() - start < number * 1000; Sleep(50)) {
            const DWORD asked = GetTickCount();
            if (!SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_NORMAL, limit, &answer)) {
                printf("no answer within %lu ms\n", limit);
                return 1;
            }
            slowest = std::max(slowest, GetTickCount() - asked);
        }
        printf("slowest answer %lu ms\n", slowest);
        return 0;
    }
    const int id = static_cast<int>(number);
    if (what == "press") return PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0) ? 0 : 1;
    const HWND item = GetDlgItem(wnd, id);
    char text[1024] = {};
    if (!item || what != "text" ||
        !SendMessageTimeoutA(item, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kAnswerLimitMs, &answer)) {
        return 1;
    }
    printf("%s\n", text);
    return 0;
}
