// Shows the about window as the program does and reports what it saw.
//   about_probe layout [usage]  builds the window and reports its geometry, texts and fonts
//   about_probe show [usage]    runs showAboutWindow and reports whether the window is still open,
//                               and, as they happen, the keyboard cues the window asks for
// Without a usage line it uses the one of the user's language.
#include "about/about_window.h"
#include "launcher/texts.h"
#include "wine_process.h"

#include <commctrl.h>
#include <objbase.h>

#include <string>

namespace {

constexpr wchar_t separator = L'\x1F';

std::wstring field(long long value)
{
    return separator + std::to_wstring(value);
}

std::wstring field(const std::wstring& text)
{
    return separator + text;
}

std::wstring windowText(HWND hwnd)
{
    wchar_t text[512];
    return std::wstring(text, GetWindowTextW(hwnd, text, 512));
}

// One line per fact: its name, then its values, separated by U+001F.
std::wstring describeWindow(HWND window)
{
    std::wstring report;
    HDC screen = GetDC(nullptr);
    report += L"dpi" + field(GetDeviceCaps(screen, LOGPIXELSX)) + field(GetDeviceCaps(screen, LOGPIXELSY)) + L"\n";
    report += L"screen" + field(GetSystemMetrics(SM_CXSCREEN)) + field(GetSystemMetrics(SM_CYSCREEN)) + L"\n";
    RECT rect;
    GetWindowRect(window, &rect);
    report += L"window" + field(GetWindowLongW(window, GWL_STYLE)) + field(GetWindowLongW(window, GWL_EXSTYLE)) +
              field(rect.left) + field(rect.top) + field(rect.right - rect.left) + field(rect.bottom - rect.top) +
              field(IsWindowVisible(window)) + field(GetParent(window) != nullptr) + field(windowText(window)) +
              L"\n";
    GetClientRect(window, &rect);
    report += L"client" + field(rect.right) + field(rect.bottom) + L"\n";

    // Children in creation order: each new child goes to the bottom of the Z order.
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        wchar_t className[64];
        GetClassNameW(control, className, 64);
        auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        LOGFONTW logFont{};
        GetObjectW(font, sizeof logFont, &logFont);
        std::wstring text = windowText(control);
        HGDIOBJ old = SelectObject(screen, font);
        SIZE extent{};
        GetTextExtentPoint32W(screen, text.c_str(), int(text.size()), &extent);
        SelectObject(screen, old);
        report += L"control" + field(GetWindowLongPtrW(control, GWLP_ID)) + field(className) +
                  field(GetWindowLongW(control, GWL_STYLE)) + field(GetWindowLongW(control, GWL_EXSTYLE)) +
                  field(rect.left) + field(rect.top) + field(rect.right - rect.left) + field(rect.bottom - rect.top) +
                  field(reinterpret_cast<LONG_PTR>(font)) + field(font == GetStockObject(DEFAULT_GUI_FONT)) +
                  field(logFont.lfHeight) + field(logFont.lfWeight) + field(logFont.lfQuality) +
                  field(logFont.lfItalic | logFont.lfUnderline | logFont.lfStrikeOut) + field(logFont.lfFaceName) +
                  field(extent.cx) + field(text) + L"\n";
    }
    ReleaseDC(nullptr, screen);
    return report;
}

// Wine keeps no keyboard-cue state (WM_QUERYUISTATE always answers 0), so the probe reports what
// the window asks for instead: each change between hidden and shown cues, as a line.
LRESULT CALLBACK watchKeyboardCues(int code, WPARAM wParam, LPARAM lParam)
{
    static const wchar_t* reported = L"";
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->message == WM_CHANGEUISTATE && !GetParent(msg->hwnd) &&
        HIWORD(msg->wParam) == (UISF_HIDEFOCUS | UISF_HIDEACCEL)) {
        const wchar_t* cues = LOWORD(msg->wParam) == UIS_CLEAR ? L"cues shown\n" : L"cues hidden\n";
        if (cues != reported) writeOutput(cues);
        reported = cues;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// The program's start-up, which the about window relies on: COM and the common controls.
int wmain(int argc, wchar_t** argv)
{
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    selectMessageTable();
    const wchar_t* usage = argc > 2 ? argv[2] : messageTable.usageText;
    std::wstring mode = argc > 1 ? argv[1] : L"";

    if (mode == L"layout") {
        chooseControlFont();
        buildAboutWindow(usage);
        HWND window = FindWindowW(nullptr, programTitle);
        if (!window) return 1;
        writeOutput(describeWindow(window));
        closeAboutWindow();
        return 0;
    }
    if (mode == L"show") {
        SetWindowsHookExW(WH_CALLWNDPROC, watchKeyboardCues, nullptr, GetCurrentThreadId());
        int result = showAboutWindow(usage);
        HWND window = FindWindowW(nullptr, programTitle);
        writeOutput(L"returned" + field(result) + field(window && IsWindowVisible(window)) + L"\n");
        closeAboutWindow();
        return 0;
    }
    return 2;
}
