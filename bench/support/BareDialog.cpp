// The main template shown by a bare dialog procedure that ends at its first
// paint: what start-up costs without any of the program's own work. Like
// Tarvelo.exe it sets the event named in TARVELO_FIRST_PAINT_EVENT then.
#include <windows.h>

#include "../../res/resource.h"

static void SignalFirstPaint() {
    char name[MAX_PATH] = {};
    if (GetEnvironmentVariableA("TARVELO_FIRST_PAINT_EVENT", name, sizeof name) == 0) return;
    if (const HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name)) {
        SetEvent(event);
        CloseHandle(event);
    }
}

static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        SignalFirstPaint();
        EndDialog(hwnd, IDOK);
        return TRUE;
    }
    return msg == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PRICELIST), nullptr, Proc, 0));
}
