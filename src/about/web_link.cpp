#include "web_link.h"

#include "about_texts.h"

#include <shellapi.h>

namespace {

WNDPROC staticWindowProc;  // the static control's own procedure; written by makeWebLink
HFONT linkFont;            // what WM_SETFONT last gave the link; written by WebLinkProc

constexpr int maxLinkText = 511;

// A double-click releases the button twice, so it opens the page twice.
void OnLButtonUp(HWND hwnd)
{
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED), LPARAM(hwnd));
}

BOOL OnSetCursor()
{
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    SetCursor(hand ? hand : LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

void OnSetFont(HWND hwnd, HFONT font, BOOL redraw)
{
    linkFont = font;
    if (redraw) InvalidateRect(hwnd, nullptr, TRUE);
}

// The text in the link colour with a one-pixel line along the row below its cell; the font is
// not underlined. Static controls paint with their parent's DC (CS_PARENTDC), hence the clip.
void PaintContent(HWND hwnd, PAINTSTRUCT* pps)
{
    HDC hdc = pps->hdc;
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, WPARAM(hdc), LPARAM(hwnd)));
    if (brush) FillRect(hdc, &pps->rcPaint, brush);

    wchar_t text[maxLinkText + 1];
    int length = GetWindowTextW(hwnd, text, maxLinkText + 1);
    int saved = SaveDC(hdc);
    SelectObject(hdc, linkFont);
    RECT client;
    GetClientRect(hwnd, &client);
    IntersectClipRect(hdc, client.left, client.top, client.right, client.bottom);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, linkColour);
    TextOutW(hdc, 0, 0, text, length);

    SIZE extent{};
    GetTextExtentPoint32W(hdc, text, length, &extent);
    HPEN pen = CreatePen(PS_SOLID, 0, linkColour);
    SelectObject(hdc, pen);
    MoveToEx(hdc, 0, extent.cy, nullptr);
    LineTo(hdc, extent.cx, extent.cy);
    RestoreDC(hdc, saved);
    DeleteObject(pen);
}

void OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    PaintContent(hwnd, &ps);
    EndPaint(hwnd, &ps);
}

void OnPrintClient(HWND hwnd, HDC hdc)
{
    PAINTSTRUCT ps{};
    ps.hdc = hdc;
    GetClientRect(hwnd, &ps.rcPaint);
    PaintContent(hwnd, &ps);
}

LRESULT CALLBACK WebLinkProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    // A static control without SS_NOTIFY lets the mouse through to its parent.
    case WM_NCHITTEST: return HTCLIENT;
    case WM_SETCURSOR: return OnSetCursor();
    case WM_LBUTTONUP: OnLButtonUp(hwnd); return 0;
    case WM_LBUTTONDBLCLK: return 0;
    case WM_SETFONT: OnSetFont(hwnd, reinterpret_cast<HFONT>(wParam), LOWORD(lParam)); return 0;
    case WM_GETFONT: return LRESULT(linkFont);
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_PRINTCLIENT: OnPrintClient(hwnd, reinterpret_cast<HDC>(wParam)); return 0;
    }
    return CallWindowProcW(staticWindowProc, hwnd, uMsg, wParam, lParam);
}

}  // namespace

void makeWebLink(HWND control)
{
    staticWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WebLinkProc)));
}

// The browser is never waited for: its process handle is closed at once. SEE_MASK_FLAG_NO_UI
// keeps the shell quiet when no browser is registered; the result is not examined.
void openWebPage()
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpFile = webPageAddress;
    info.lpParameters = L"";
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info) && info.hProcess) CloseHandle(info.hProcess);
}
