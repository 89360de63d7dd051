#pragma once
#include "dialogkit/Win32.h"

#include <utility>

namespace dialogkit {

// A paint DC: BeginPaint on construction, EndPaint on destruction.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : m_hWnd(hwnd), m_hdc(::BeginPaint(hwnd, &m_ps)) {}
    ~PaintDc() {
        if (m_hdc) ::EndPaint(m_hWnd, &m_ps);
    }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return m_hdc; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hdc;
};

// A client-area DC of one window, released to that window.
class ClientDc {
public:
    explicit ClientDc(HWND hwnd) : m_hWnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    ~ClientDc() {
        if (m_hdc) ::ReleaseDC(m_hWnd, m_hdc);
    }
    ClientDc(ClientDc&& other) noexcept
        : m_hWnd(other.m_hWnd), m_hdc(std::exchange(other.m_hdc, nullptr)) {}
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;
    ClientDc& operator=(ClientDc&&) = delete;
    HDC Get() const { return m_hdc; }

private:
    HWND m_hWnd;
    HDC m_hdc;
};

// A GDI object (pen, brush) owned for one paint; deleted on destruction.
template <typename Handle>
class GdiObject {
public:
    explicit GdiObject(Handle h) : m_h(h) {}
    ~GdiObject() {
        if (m_h) ::DeleteObject(m_h);
    }
    GdiObject(GdiObject&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject& operator=(GdiObject&&) = delete;
    Handle Get() const { return m_h; }

private:
    Handle m_h;
};
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;

// Selects an object into a DC and puts the previous one back on destruction.
// Declare it after the object it selects, so the object outlives the selection.
class SelectGuard {
public:
    SelectGuard(HDC hdc, HGDIOBJ obj) : m_hdc(hdc), m_old(::SelectObject(hdc, obj)) {}
    ~SelectGuard() {
        if (m_hdc && m_old) ::SelectObject(m_hdc, m_old);
    }
    SelectGuard(SelectGuard&& other) noexcept
        : m_hdc(std::exchange(other.m_hdc, nullptr)), m_old(std::exchange(other.m_old, nullptr)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    SelectGuard& operator=(SelectGuard&&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

// A popup menu owned for one showing; destroyed on destruction.
class MenuHandle {
public:
    explicit MenuHandle(HMENU menu) : m_menu(menu) {}
    ~MenuHandle() {
        if (m_menu) ::DestroyMenu(m_menu);
    }
    MenuHandle(MenuHandle&& other) noexcept : m_menu(std::exchange(other.m_menu, nullptr)) {}
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;
    MenuHandle& operator=(MenuHandle&&) = delete;
    HMENU Get() const { return m_menu; }

private:
    HMENU m_menu;
};

}  // namespace dialogkit
