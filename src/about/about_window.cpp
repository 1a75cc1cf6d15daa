#include "about_window.h"

#include "about_layout.h"
#include "about_texts.h"
#include "launcher/texts.h"
#include "platform/windows_generation.h"
#include "web_link.h"

namespace {

HWND aboutWindow;          // the window, from buildAboutWindow until closeAboutWindow
HACCEL aboutAccelerators;  // Tab keys from buildAboutWindow, Enter added by showAboutWindow
HFONT segoeUiFont;         // the created control font; null while DEFAULT_GUI_FONT is used
HWND focusWhenDeactivated; // the control to give the focus back to; set by OnActivate

constexpr wchar_t aboutClassName[] = L"TarviskAboutWindow";
constexpr DWORD aboutWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int iconResource = 1;
constexpr wchar_t okText[] = L"OK";

struct ControlTemplate {
    const wchar_t* className;
    DWORD style;
};

// Indexed by identifier. Only the button takes the focus; the labels show '&' as it is.
constexpr ControlTemplate controlTemplates[aboutControlCount] = {
    {L"Static", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX},
    {L"STATIC", WS_CHILD | WS_VISIBLE},
    {L"Static", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX},
    {L"Button", WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON},
};

// Tab commands; WM_COMMAND's high word is 1 when an accelerator sent it.
constexpr WORD nextTabStopCommand = 100;
constexpr WORD previousTabStopCommand = 101;
constexpr WORD fromAccelerator = 1;

// The window has no dialog manager, so its keys are accelerators. Entries without FSHIFT,
// FCONTROL or FALT match only while none of them is held: Shift+Enter does nothing.
constexpr ACCEL aboutKeys[] = {
    {FVIRTKEY | FNOINVERT, VK_TAB, nextTabStopCommand},
    {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, previousTabStopCommand},
    {FVIRTKEY | FNOINVERT, VK_RETURN, okButton},
};
constexpr int tabKeyCount = 2;
constexpr int allKeyCount = 3;

HFONT controlFont()
{
    return segoeUiFont ? segoeUiFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HACCEL createAccelerators(int count)
{
    // CreateAcceleratorTableW only reads the entries.
    return CreateAcceleratorTableW(const_cast<ACCEL*>(aboutKeys), count);
}

void changeKeyboardCues(WORD action)
{
    SendMessageW(aboutWindow, WM_CHANGEUISTATE, MAKEWPARAM(action, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

bool modifierHeld()
{
    return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0;
}

// Tab goes to the next tab stop after the focused control, Shift+Tab to the previous one;
// from no focused control to the first or the last. GetNextDlgTabItem finds nothing backwards
// from no control, so Shift+Tab then searches back from the first control, round to the last.
void moveFocus(bool previous)
{
    HWND from = GetFocus();
    if (!IsChild(aboutWindow, from)) from = previous ? GetWindow(aboutWindow, GW_CHILD) : nullptr;
    HWND next = GetNextDlgTabItem(aboutWindow, from, previous);
    if (next) SetFocus(next);
}

void OnCommand(int id, HWND control, UINT code)
{
    if (id == okButton && (code == BN_CLICKED || code == fromAccelerator)) PostQuitMessage(0);
    else if (id == webLink && control && code == STN_CLICKED) openWebPage();
    else if (id == nextTabStopCommand && code == fromAccelerator) moveFocus(false);
    else if (id == previousTabStopCommand && code == fromAccelerator) moveFocus(true);
}

// WM_CLOSE ends the loop but leaves the window on screen until closeAboutWindow. Posting the
// quit also ends the loop when WM_CLOSE was sent from another thread, inside GetMessageW.
void OnClose()
{
    PostQuitMessage(0);
}

// Remembers the focused control when another window takes over and gives the focus back when
// the window is active again (Raymond Chen's scratch program does the same).
bool OnActivate(HWND hwnd, UINT state)
{
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        focusWhenDeactivated = IsChild(hwnd, focus) ? focus : nullptr;
        changeKeyboardCues(UIS_SET);
        return false;
    }
    if (!focusWhenDeactivated || !IsWindow(focusWhenDeactivated)) return false;
    SetFocus(focusWhenDeactivated);
    return true;
}

LRESULT CALLBACK AboutWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam)); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_ACTIVATE:
        if (OnActivate(hwnd, LOWORD(wParam))) return 0;
        break;
    }
    return DefWindowProcW(hwnd, uMsg, wParam, lParam);
}

// A failed registration shows as a failed CreateWindowExW.
void registerAboutClass(HINSTANCE instance)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = AboutWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(iconResource));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = aboutClassName;
    RegisterClassExW(&wc);
}

// The primary screen's full size, task bar included.
void centreWindow(HWND hwnd)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    int x = centredOrigin(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    int y = centredOrigin(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A control that cannot be created is left out; the others are still made.
void createControls(HINSTANCE instance, const AboutLayout& layout, const wchar_t* usageText)
{
    const wchar_t* texts[aboutControlCount] = {copyrightNotice, webPageAddress, usageText, okText};
    for (int id = 0; id < aboutControlCount; ++id) {
        const LayoutRect& r = layout.controls[id];
        HWND control = CreateWindowExW(0, controlTemplates[id].className, texts[id], controlTemplates[id].style,
                                       r.x, r.y, r.width, r.height, aboutWindow,
                                       reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
        if (!control) continue;
        if (id == webLink) makeWebLink(control);
        SendMessageW(control, WM_SETFONT, WPARAM(controlFont()), TRUE);
    }
}

}  // namespace

void chooseControlFont()
{
    if (segoeUiFont || windowsGeneration() < win81) return;
    int dpiY = referenceDpi;
    if (HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)) {
        dpiY = GetDeviceCaps(display, LOGPIXELSY);
        DeleteDC(display);
    }
    segoeUiFont = CreateFontW(controlFontHeight(dpiY), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 0, L"Segoe UI");
}

HWND buildAboutWindow(const wchar_t* usageText)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    registerAboutClass(instance);

    HDC screen = GetDC(nullptr);
    AboutLayout layout = scaledAboutLayout(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    RECT outer{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRectEx(&outer, aboutWindowStyle, FALSE, 0);

    // Created hidden, centred, then shown and activated before it has any controls.
    aboutWindow = CreateWindowExW(0, aboutClassName, programTitle, aboutWindowStyle, 0, 0, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (!aboutWindow) {
        UnregisterClassW(aboutClassName, instance);
        return nullptr;
    }
    centreWindow(aboutWindow);
    aboutAccelerators = createAccelerators(tabKeyCount);
    ShowWindow(aboutWindow, SW_RESTORE);
    createControls(instance, layout, usageText);
    // No cues until the keyboard is used in the window.
    changeKeyboardCues(UIS_SET);
    return aboutWindow;
}

int showAboutWindow(const wchar_t* usageText)
{
    chooseControlFont();
    // Without a window nothing could ever end the loop.
    if (!buildAboutWindow(usageText)) return 0;
    DestroyAcceleratorTable(aboutAccelerators);
    aboutAccelerators = createAccelerators(allKeyCount);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        HWND active = GetActiveWindow();
        if (active == aboutWindow && TranslateAcceleratorW(active, aboutAccelerators, &msg)) {
            changeKeyboardCues(UIS_CLEAR);
            continue;
        }
        if (active == aboutWindow && modifierHeld()) changeKeyboardCues(UIS_CLEAR);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

void closeAboutWindow()
{
    if (aboutWindow) DestroyWindow(aboutWindow);
    aboutWindow = nullptr;
    focusWhenDeactivated = nullptr;
    UnregisterClassW(aboutClassName, GetModuleHandleW(nullptr));
    if (aboutAccelerators) DestroyAcceleratorTable(aboutAccelerators);
    aboutAccelerators = nullptr;
    if (segoeUiFont) DeleteObject(segoeUiFont);
    segoeUiFont = nullptr;
}
