// Reads another process's window for the end-to-end tests:
//   winprobe origin TITLE        client origin on the screen: "x y"
//   winprobe text TITLE ID       the text of control ID
//   winprobe check TITLE ID      the check state of control ID
//   winprobe enabled TITLE ID    1 when control ID is enabled
//   winprobe exists TITLE        exit code 0 when a window has that title
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    const HWND item = GetDlgItem(wnd, atoi(argv[3]));
    if (!item) return 1;
    if (!strcmp(what, "text")) {
        char buffer[1024] = {};
        SendMessageA(item, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        printf("%s\n", buffer);
    } else if (!strcmp(what, "check")) {
        printf("%d\n", static_cast<int>(SendMessageA(item, BM_GETCHECK, 0, 0)));
    } else if (!strcmp(what, "enabled")) {
        printf("%d\n", IsWindowEnabled(item) ? 1 : 0);
    } else {
        return 2;
    }
    return 0;
}
