// The main template shown by a bare dialog procedure that ends at its first
// paint: what start-up costs without any of the program's own work.
#include <windows.h>

#include "../../res/resource.h"

static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        EndDialog(hwnd, IDOK);
        return TRUE;
    }
    return msg == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PRICELIST), nullptr, Proc, 0));
}
