// Reads another process's window for the end-to-end tests:
//   winprobe origin TITLE        client origin on the screen: "x y"
//   winprobe text TITLE ID       the text of control ID
//   winprobe enabled TITLE ID    1 when control ID is enabled
//   winprobe sel TITLE ID        the selection of edit ID: "start end"
//   winprobe press TITLE ID      posts the command ID (a message box's answer)
//   winprobe exists TITLE        exit code 0 when a window has that title
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A hung window must not hang the test that asks it.
constexpr UINT kAnswerLimitMs = 5000;

bool Ask(HWND item, UINT msg, WPARAM wParam, LPARAM lParam, DWORD_PTR& answer) {
    return SendMessageTimeoutA(item, msg, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerLimitMs, &answer) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const HWND wnd = FindWindowA(nullptr, argv[2]);
    if (!wnd) return 1;
    const char* what = argv[1];
    if (!strcmp(what, "exists")) return 0;
    if (!strcmp(what, "origin")) {
        POINT p{0, 0};
        ClientToScreen(wnd, &p);
        printf("%ld %ld\n", p.x, p.y);
        return 0;
    }
    if (argc < 4) return 2;
    const int id = atoi(argv[3]);
    if (!strcmp(what, "press")) return PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0) ? 0 : 1;
    const HWND item = GetDlgItem(wnd, id);
    if (!item) return 1;
    DWORD_PTR answer = 0;
    if (!strcmp(what, "text")) {
        char buffer[1024] = {};
        if (!Ask(item, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), answer)) return 1;
        printf("%s\n", buffer);
    } else if (!strcmp(what, "sel")) {
        // The positions come back in the result: pointers do not cross processes.
        if (!Ask(item, EM_GETSEL, 0, 0, answer)) return 1;
        printf("%u %u\n", static_cast<unsigned>(LOWORD(answer)), static_cast<unsigned>(HIWORD(answer)));
    } else if (!strcmp(what, "enabled")) {
        printf("%d\n", IsWindowEnabled(item) ? 1 : 0);
    } else {
        return 2;
    }
    return 0;
}
