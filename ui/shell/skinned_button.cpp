#include "ui/shell/skinned_button.h"

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/draw_bitmap.h"
#include "ui/shell/button_actions.h"
#include "ui/accessories/photo_capture.h"
#include "services/skin.h"
#include "ui/shell/side_windows.h"

namespace {

int SlotOf(HWND hwnd) {
    for (int slot = 0; slot < kButtonCount; ++slot)
        if (g_ui.buttons[slot] == hwnd) return slot;
    return -1;
}

RECT RepaintRect(int slot) {
    const Box &b = kButtonArt[slot].repaint;
    return RECT{b.left, b.top, b.right, b.bottom};
}

HBITMAP LoadFace(const wchar_t *resource, const wchar_t *file) {
    return SkinBitmap(resource, resource, file);
}

// A button draws through its parent's device context, clipped to what needs painting: under
// Wine a child's own context costs a visible-region computation of its own, over a millisecond
// a button (BeginPaint), and the main window shows twenty of them at once. The faces need no
// clipping to the button's shape: the masks keep what lies outside it.
void OnPaint(HWND hwnd, int slot) {
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetUpdateRgn(hwnd, update, FALSE);
    ValidateRect(hwnd, nullptr);
    HWND parent = GetParent(hwnd);
    if (parent && kind != ERROR && kind != NULLREGION) {
        POINT at = {0, 0};
        MapWindowPoints(hwnd, parent, &at, 1);
        HDC dc = GetDCEx(parent, nullptr, DCX_CACHE);  // children not clipped away
        OffsetRgn(update, at.x, at.y);
        ExtSelectClipRgn(dc, update, RGN_COPY);
        SetViewportOrgEx(dc, at.x, at.y, nullptr);
        DrawButton(dc, slot);
        ReleaseDC(parent, dc);
    }
    DeleteObject(update);
}

void OnPress(HWND hwnd, int slot) {
    if (g_app.paused && BlockedWhilePaused(slot)) return;
    const ButtonArt &art = kButtonArt[slot];
    const RECT repaint = RepaintRect(slot);
    switch (art.kind) {
    case KindMomentary:
        g_ui.buttonFace[slot] = 1;
        InvalidateRect(hwnd, &repaint, FALSE);
        OnButtonPressed(slot, 1);
        SetTimer(hwnd, TIMER_BUTTON_RELEASE, 100, nullptr);
        break;
    case KindToggle:
        g_ui.buttonFace[slot] = !g_ui.buttonFace[slot];
        InvalidateRect(hwnd, &repaint, FALSE);
        if (!OnButtonPressed(slot, g_ui.buttonFace[slot])) g_ui.buttonFace[slot] = 0;
        break;
    case KindFinal:
        g_ui.buttonFace[slot] = 1;
        InvalidateRect(hwnd, &repaint, FALSE);
        ShutDown();
        break;
    }
}

void OnRelease(HWND hwnd, int slot) {
    g_ui.buttonFace[slot] = 0;
    InvalidateRect(hwnd, nullptr, FALSE);
    KillTimer(hwnd, TIMER_BUTTON_RELEASE);
    OnButtonReleased(slot);
}

}  // namespace

void DrawButton(HDC dc, int slot) {
    const ButtonArt &art = kButtonArt[slot];
    const bool pushed = g_ui.buttonFace[slot] == 1;
    // Only the faces drawn are loaded; they stay loaded until the skin changes.
    HBITMAP normal = art.mask && pushed ? nullptr : LoadFace(art.normal, art.normalFile);
    HBITMAP push = pushed ? LoadFace(art.push, art.pushFile) : nullptr;
    if (art.mask) {
        // The mask is black inside the outline and the faces black outside it, so AND then
        // OR leaves the face over whatever the parent painted beneath the button.
        DrawBitmap(dc, ResourceBitmap(art.mask), art.area, art.area, SRCAND);
        DrawBitmap(dc, pushed ? push : normal, art.area, art.area, SRCPAINT);
    } else {
        // The tabs are taller than any square: copy them at their own size.
        DrawBitmap(dc, normal);
        if (pushed) DrawBitmap(dc, push);
    }
}

HWND CreateSkinnedButton(HWND parent, int slot) {
    const ButtonPlacement &place = PlacementOfSlot(slot);
    const ButtonPos &pos = g_app.settings.buttons[slot];
    HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, pos.x, pos.y,
                                  place.width, place.height, parent,
                                  reinterpret_cast<HMENU>(INT_PTR(slot)), g_app.hInst, nullptr);
    g_ui.buttons[slot] = button;
    if (!button) return nullptr;
    if (slot == SlotEnd)
        SetClassLongPtrW(button, GCLP_HCURSOR,
                         reinterpret_cast<LONG_PTR>(
                             LoadCursorW(g_app.hInst, MAKEINTRESOURCEW(IDC_MIRELO))));
    SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SkinnedButtonProc));
    return button;
}

void ApplyMainWindowShapes(HWND mainWindow) {
    HRGN body = CreateEllipticRgn(0, 6, 397, 363);
    HRGN ear = CreateEllipticRgn(0, 0, 138, 134);
    CombineRgn(body, body, ear, RGN_OR);
    DeleteObject(ear);
    SetWindowRgn(mainWindow, body, TRUE);  // the window owns the region from here on
    for (int slot = 0; slot < kButtonCount; ++slot) {
        const ButtonArt &art = kButtonArt[slot];
        if (!art.shaped || !g_ui.buttons[slot]) continue;
        const Box &b = art.repaint;
        SetWindowRgn(g_ui.buttons[slot], CreateEllipticRgn(b.left, b.top, b.right, b.bottom),
                     TRUE);
    }
}

void PressButton(int slot) {
    if (slot < 0 || slot >= kButtonCount) return;
    MakeSideWindowHolding(slot);
    if (!g_ui.buttons[slot]) return;
    SendMessageW(g_ui.buttons[slot], WM_LBUTTONDOWN, 0, 0);
}

void SetButtonFace(int slot, int face) {
    g_ui.buttonFace[slot] = face;
    if (g_ui.buttons[slot]) {
        const RECT repaint = RepaintRect(slot);
        InvalidateRect(g_ui.buttons[slot], &repaint, FALSE);
    }
}

LRESULT CALLBACK SkinnedButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int slot = SlotOf(hwnd);
    if (slot < 0) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT:
        OnPaint(hwnd, slot);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second click is a second press
        OnPress(hwnd, slot);
        return 0;
    case WM_TIMER:
        if (wParam == TIMER_BUTTON_RELEASE) OnRelease(hwnd, slot);
        if (wParam == TIMER_SHOT) OnShotTimer(hwnd);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
