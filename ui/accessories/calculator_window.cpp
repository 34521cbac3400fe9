#include "ui/accessories/calculator_window.h"

#include "core/calculator.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/draw_bitmap.h"
#include "ui/accessories/accessory_window.h"

const wchar_t kCalculatorClass[] = L"DWClassName";

namespace {

enum { kWidth = 386, kHeight = 279 };

struct Child {
    int id;
    const wchar_t *text;
    int x, y, width, height;
};

const Child kKeys[] = {
    {KeyDigitFirst + 0, L"1", 90, 150, 18, 18}, {KeyDigitFirst + 1, L"2", 110, 150, 18, 18},
    {KeyDigitFirst + 2, L"3", 130, 150, 18, 18}, {KeyDigitFirst + 3, L"4", 90, 170, 16, 18},
    {KeyDigitFirst + 4, L"5", 110, 170, 18, 18}, {KeyDigitFirst + 5, L"6", 130, 170, 18, 18},
    {KeyDigitFirst + 6, L"7", 90, 190, 18, 18}, {KeyDigitFirst + 7, L"8", 110, 190, 18, 18},
    {KeyDigitFirst + 8, L"9", 130, 190, 18, 18}, {KeyZero, L"0", 90, 210, 60, 18},
    {KeyAdd, L"+", 170, 150, 30, 18},           {KeySubtract, L"-", 205, 150, 30, 18},
    {KeyMultiply, L"x", 170, 170, 30, 18},      {KeyDivide, L"÷", 205, 170, 30, 18},
    {KeyPoint, L".", 170, 190, 30, 18},         {KeyClear, L"C", 205, 190, 30, 18},
    {KeyEquals, L"=", 170, 210, 70, 18},
};

HWND CreateChild(HWND parent, const wchar_t *cls, DWORD style, const Child &c) {
    return CreateWindowExW(0, cls, c.text, WS_CHILD | WS_VISIBLE | style, c.x, c.y, c.width,
                           c.height, parent, reinterpret_cast<HMENU>(INT_PTR(c.id)), g_app.hInst,
                           nullptr);
}

// A wide body with two oval lobes on top.
void ApplyShape(HWND hwnd) {
    HRGN body = CreateEllipticRgn(2, 34, 384, 278);
    HRGN left = CreateEllipticRgn(54, 0, 150, 125);
    HRGN right = CreateEllipticRgn(222, 0, 318, 125);
    CombineRgn(body, body, left, RGN_OR);
    CombineRgn(body, body, right, RGN_OR);
    DeleteObject(left);
    DeleteObject(right);
    SetWindowRgn(hwnd, body, TRUE);  // the window owns the region from here on
}

void OnCreate(HWND hwnd) {
    ApplyShape(hwnd);
    CreateChild(hwnd, L"EDIT", WS_BORDER, Child{IDC_CALCULATOR_DISPLAY, L"0", 100, 125, 185, 20});
    for (const Child &key : kKeys) CreateChild(hwnd, L"BUTTON", 0, key);
}

void DrawFace(HDC dc) {
    if (HBITMAP face = LoadBitmapW(g_app.hInst, L"DEN")) {
        DrawBitmap(dc, face, kWidth, kHeight);
        DeleteObject(face);
    }
}

void OnKey(HWND hwnd, int key) {
    if (PressCalculatorKey(g_ui.calculator, key))
        SetDlgItemTextW(hwnd, IDC_CALCULATOR_DISPLAY, g_ui.calculator.display);
}

} // namespace

HWND OpenCalculator() {
    return OpenAccessory(kCalculatorClass, CalculatorProc, L"DentakuWindow", kWidth, kHeight);
}

void CloseCalculator() { CloseAccessory(&g_ui.hCalculator); }

LRESULT CALLBACK CalculatorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        OnKey(hwnd, LOWORD(wParam));
        return 0;
    }
    return AccessoryProc(Accessory{&g_ui.hCalculator, OnCreate, DrawFace}, hwnd, msg, wParam,
                         lParam);
}
