#include "ui/accessories/avi_edit_window.h"

#include "core/toolkit.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/avi_edit.h"
#include "ui/shell/window_class.h"

namespace {

const wchar_t kClassName[] = L"AWClassName";

struct AviEdit {
    AviPreview preview;
    long frame = 0;  // the frame the preview shows
};

AviEdit *StateOf(HWND window) {
    if (!window || !IsWindow(window)) return nullptr;
    return reinterpret_cast<AviEdit *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintAviEditFrame(hwnd, dc);
    EndPaint(hwnd, &ps);
}

}  // namespace

HWND OpenAviEditWindow(const wchar_t *path) {
    if (g_ui.hAviEdit && IsWindow(g_ui.hAviEdit)) DestroyWindow(g_ui.hAviEdit);
    RegisterProgramClass(kClassName, AviEditWindowProc, L"MYICON",
                         static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    AviEdit *edit = new AviEdit;
    edit->preview.Open(path);
    g_ui.hAviEdit = CreateWindowExW(0, kClassName, L"Avi編集", WS_OVERLAPPEDWINDOW, 200, 100, 535,
                                     400, nullptr, nullptr, g_app.hInst, &edit);
    if (!g_ui.hAviEdit) {
        delete edit;
        return nullptr;
    }
    ShowWindow(g_ui.hAviEdit, SW_SHOW);
    return g_ui.hAviEdit;
}

long AviEditFrames(HWND window) {
    const AviEdit *edit = StateOf(window);
    return edit ? edit->preview.Frames() : 0;
}

void ShowAviEditFrame(HWND window, long position) {
    AviEdit *edit = StateOf(window);
    if (!edit) return;
    edit->frame = PreviewFrame(position, edit->preview.Frames());
    InvalidateRect(window, nullptr, FALSE);
}

bool PaintAviEditFrame(HWND window, HDC dc) {
    AviEdit *edit = StateOf(window);
    const BITMAPINFOHEADER *frame = edit ? edit->preview.Frame(edit->frame) : nullptr;
    if (!frame) return false;
    const BITMAPINFO *info = reinterpret_cast<const BITMAPINFO *>(frame);
    const void *bits = reinterpret_cast<const BYTE *>(frame) + frame->biSize +
                       frame->biClrUsed * sizeof(RGBQUAD);
    const int w = frame->biWidth, h = frame->biHeight < 0 ? -frame->biHeight : frame->biHeight;
    StretchDIBits(dc, 0, 0, w, h, 0, 0, w, h, bits, info, DIB_RGB_COLORS, SRCCOPY);
    return true;
}

LRESULT CALLBACK AviEditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
        AdoptWindowState<AviEdit>(hwnd, lParam);
        break;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_NCDESTROY:
        FreeWindowState<AviEdit>(hwnd);
        if (g_ui.hAviEdit == hwnd) g_ui.hAviEdit = nullptr;
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
