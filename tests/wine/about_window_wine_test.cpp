// The about window built in this process, where its class, fonts and pixels can be read
// directly: the class and the clean-up, the order of building, controls or a window that
// cannot be created, the link's painting and pointer, and the labels' ampersands.
#include "about/about_layout.h"
#include "about/about_texts.h"
#include "about/about_window.h"
#include "desktop.h"
#include "launcher/texts.h"
#include "narrow.h"

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring hex(unsigned long value)
{
    wchar_t text[16];
    swprintf(text, 16, L"%08lX", value);
    return text;
}

// A top-down 32-bit DIB section in a memory DC, filled with one colour.
class Bitmap {
public:
    Bitmap(int width, int height, COLORREF fill) : width(width), height(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Bitmap()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    COLORREF at(int x, int y) const
    {
        GdiFlush();
        DWORD pixel = bits[y * width + x];  // 0x00RRGGBB
        return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }

    bool operator==(const Bitmap& other) const
    {
        GdiFlush();
        return width == other.width && height == other.height &&
               std::equal(bits, bits + width * height, other.bits);
    }

    const int width, height;
    HDC dc;

private:
    HBITMAP bitmap;
    HGDIOBJ old;
    DWORD* bits = nullptr;
};

RECT clientRect(HWND hwnd)
{
    RECT rect;
    GetClientRect(hwnd, &rect);
    return rect;
}

// A control's rectangle in its parent's client coordinates.
RECT rectInParent(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE textExtent(HWND control, const std::wstring& text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
    SelectObject(dc, old);
    DeleteDC(dc);
    return extent;
}

std::vector<int> childIdentifiers(HWND window)
{
    std::vector<int> ids;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(child));
    return ids;
}

bool isAboutWindow(HWND hwnd)
{
    wchar_t title[64];
    return hwnd && GetWindowTextW(hwnd, title, 64) && std::wstring(title) == programTitle;
}

// What a WH_CBT hook saw while the window was built, and which creation it refuses:
// -1 the window itself, 0 to 3 that control, anything else none.
std::vector<std::wstring> buildEvents;
int refusedCreation = 100;

LRESULT CALLBACK watchBuilding(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        bool window = !cs->hwndParent && !IS_INTRESOURCE(cs->lpszName) && cs->lpszName &&
                      std::wstring(cs->lpszName) == programTitle;
        bool control = isAboutWindow(cs->hwndParent);
        int id = int(reinterpret_cast<INT_PTR>(cs->hMenu));
        if (window) buildEvents.push_back(L"create window " + hex(cs->style));
        if (control) buildEvents.push_back(L"create " + std::to_wstring(id) + L" " + hex(cs->style));
        if ((window && refusedCreation == -1) || (control && refusedCreation == id)) return 1;
    }
    if (code == HCBT_ACTIVATE && isAboutWindow(reinterpret_cast<HWND>(wParam))) {
        RECT rect;
        GetWindowRect(reinterpret_cast<HWND>(wParam), &rect);
        buildEvents.push_back(L"activate at " + std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class AboutWindow : public testing::Test {
protected:
    // As the program starts: COM and the common controls.
    static void SetUpTestSuite()
    {
        CoInitialize(nullptr);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void TearDown() override
    {
        if (hook) UnhookWindowsHookEx(hook);
        closeAboutWindow();
    }

    HWND build(const wchar_t* usage = L"Usage: about_window_wine_test")
    {
        chooseControlFont();
        return buildAboutWindow(usage);
    }

    void watch(int refused)
    {
        buildEvents.clear();
        refusedCreation = refused;
        hook = SetWindowsHookExW(WH_CBT, watchBuilding, nullptr, GetCurrentThreadId());
    }

    void stopWatching()
    {
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }

    HHOOK hook = nullptr;
};

TEST_F(AboutWindow, ClassAndCleanUp)
{
    HWND window = build();
    ASSERT_TRUE(window);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    ASSERT_TRUE(icon);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE), ULONG_PTR(CS_DBLCLKS));
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON)), icon);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR)), LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND), ULONG_PTR(COLOR_BTNFACE + 1));
    EXPECT_EQ(GetClassLongPtrW(window, GCL_CBCLSEXTRA), 0u);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_CBWNDEXTRA), 0u);
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);

    wchar_t className[64];
    ASSERT_TRUE(GetClassNameW(window, className, 64));
    auto font = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, okButton), WM_GETFONT, 0, 0));
    ASSERT_EQ(GetObjectType(font), DWORD(OBJ_FONT));
    ASSERT_NE(font, GetStockObject(DEFAULT_GUI_FONT)) << "this prefix emulates Windows 10: Segoe UI";

    closeAboutWindow();
    EXPECT_FALSE(IsWindow(window));
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    EXPECT_FALSE(GetClassInfoExW(instance, className, &info)) << "the class is still registered";
    EXPECT_EQ(GetObjectType(font), 0u) << "the font was not deleted";

    // Nothing is left that would stop the window being built again.
    ASSERT_TRUE(build());
}

// Created hidden, centred, shown and activated, and only then given its controls in order.
TEST_F(AboutWindow, BuildOrder)
{
    watch(100);
    HWND window = build();
    stopWatching();
    ASSERT_TRUE(window);
    RECT rect;
    GetWindowRect(window, &rect);
    const std::vector<std::wstring> expected = {
        L"create window 00C80000",
        L"activate at " + std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top),
        L"create 0 50020080",
        L"create 1 50000000",
        L"create 2 50020080",
        L"create 3 50030001",
    };
    EXPECT_EQ(buildEvents, expected);
}

TEST_F(AboutWindow, AMissingControlLeavesTheOthers)
{
    for (int refused = 0; refused < aboutControlCount; ++refused) {
        SCOPED_TRACE(testing::Message() << "control " << refused << " cannot be created");
        watch(refused);
        HWND window = build();
        stopWatching();
        ASSERT_TRUE(window);
        std::vector<int> expected;
        for (int id = 0; id < aboutControlCount; ++id)
            if (id != refused) expected.push_back(id);
        EXPECT_EQ(childIdentifiers(window), expected);
        closeAboutWindow();
    }
}

void CALLBACK endLoop(HWND, UINT, UINT_PTR, DWORD)
{
    PostQuitMessage(0);
}

TEST_F(AboutWindow, ShowReturnsAtOnceWithoutAWindow)
{
    wchar_t className[64];
    ASSERT_TRUE(GetClassNameW(build(), className, 64));
    closeAboutWindow();

    watch(-1);
    // A loop that waited for a window that does not exist would wait for ever: a timer ends it.
    UINT_PTR timer = SetTimer(nullptr, 0, 3000, endLoop);
    DWORD start = GetTickCount();
    EXPECT_EQ(showAboutWindow(L"usage"), 0);
    DWORD elapsed = GetTickCount() - start;
    KillTimer(nullptr, timer);
    stopWatching();
    EXPECT_LT(elapsed, 2000u) << "showAboutWindow waited for messages without a window";
    EXPECT_EQ(FindWindowW(nullptr, programTitle), nullptr);
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), className, &info)) << "the class is still registered";
}

constexpr COLORREF pureBlue = 0x00FF0000;
constexpr COLORREF untouched = RGB(0, 255, 0);

bool isBlueOverFace(COLORREF colour)
{
    // Smoothed text mixes blue into the grey face colour: red and green fall together, blue stays.
    return GetRValue(colour) == GetGValue(colour) && GetBValue(colour) > GetRValue(colour);
}

// Where a pixel of the link, drawn into an image wider than the link, differs from what it
// should be, or empty. Past the link's width nothing may be drawn at all.
std::string checkLinkPixels(const Bitmap& image, int linkWidth, SIZE extent)
{
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const int underlineEnd = std::min<int>(extent.cx, linkWidth);
    int blueInText = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            COLORREF got = image.at(x, y);
            bool right;
            if (x >= linkWidth) {
                right = got == untouched;
            } else if (y < extent.cy) {
                blueInText += got == pureBlue;
                right = x < extent.cx + 2 ? got == face || got == pureBlue || isBlueOverFace(got) : got == face;
            } else if (y == extent.cy) {
                right = got == (x < underlineEnd ? pureBlue : face);
            } else {
                right = got == face;
            }
            if (!right) {
                char where[96];
                snprintf(where, sizeof where, "pixel %d,%d is #%02X%02X%02X", x, y, GetRValue(got), GetGValue(got),
                         GetBValue(got));
                return where;
            }
        }
    }
    return blueInText >= 20 ? "" : "only " + std::to_string(blueInText) + " pure blue pixels in the text";
}

TEST_F(AboutWindow, LinkIsBlueTextWithALineBelowItsCell)
{
    HWND window = build();
    ASSERT_TRUE(window);
    HWND link = GetDlgItem(window, webLink);
    RECT inParent = rectInParent(link);
    const std::wstring texts[] = {webPageAddress, L"http://tarvisk.example/an/address/wider/than/the/link"};
    for (const std::wstring& text : texts) {
        SCOPED_TRACE(narrow(text));
        SetWindowTextW(link, text.c_str());
        SIZE extent = textExtent(link, text);
        RECT client = clientRect(link);
        ASSERT_LT(extent.cy + 1, client.bottom) << "no room below the underline to check";

        // Printed into an image wider than the link: the link paints its own rectangle only.
        const int spill = 40;
        Bitmap printed(client.right + spill, client.bottom, untouched);
        SendMessageW(link, WM_PRINTCLIENT, WPARAM(printed.dc), PRF_CLIENT);
        EXPECT_EQ(checkLinkPixels(printed, client.right, extent), "");

        // On screen, WM_PAINT draws the same pixels.
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        Bitmap onScreen(client.right, client.bottom, untouched);
        HDC windowDc = GetDC(window);
        BitBlt(onScreen.dc, 0, 0, client.right, client.bottom, windowDc, inParent.left, inParent.top, SRCCOPY);
        ReleaseDC(window, windowDc);
        Bitmap printedLink(client.right, client.bottom, untouched);
        BitBlt(printedLink.dc, 0, 0, client.right, client.bottom, printed.dc, 0, 0, SRCCOPY);
        EXPECT_TRUE(onScreen == printedLink) << "the painted link differs from the printed one";
    }
}

// Drawn as a static control draws left-aligned text: its parent's colours, the control's font.
void drawReference(const Bitmap& image, HWND label, const std::wstring& text, UINT prefix)
{
    RECT rect{0, 0, image.width, image.height};
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, WPARAM(image.dc), LPARAM(label)));
    FillRect(image.dc, &rect, brush);
    HGDIOBJ old = SelectObject(image.dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    DrawTextW(image.dc, text.c_str(), -1, &rect, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | prefix);
    SelectObject(image.dc, old);
}

TEST_F(AboutWindow, LabelsShowAmpersandsAsTheyAre)
{
    const wchar_t usage[] = L"Usage: this & that && more";
    HWND window = build(usage);
    ASSERT_TRUE(window);
    const struct {
        int id;
        const wchar_t* text;
    } rows[] = {{usageLabel, usage}, {copyrightLabel, L"Copyright (c) Smith & Jones"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(narrow(row.text));
        HWND label = GetDlgItem(window, row.id);
        SetWindowTextW(label, row.text);
        RECT client = clientRect(label);
        Bitmap printed(client.right, client.bottom, RGB(0, 255, 0));
        SendMessageW(label, WM_PRINTCLIENT, WPARAM(printed.dc), PRF_CLIENT);
        Bitmap literal(client.right, client.bottom, RGB(0, 255, 0));
        drawReference(literal, label, row.text, DT_NOPREFIX);
        Bitmap prefixed(client.right, client.bottom, RGB(0, 255, 0));
        drawReference(prefixed, label, row.text, 0);
        ASSERT_FALSE(literal == prefixed) << "the text looks the same either way";
        EXPECT_TRUE(printed == literal) << "the label does not show its ampersands as they are";
    }
}

TEST_F(AboutWindow, HandOverTheWholeLinkOnly)
{
    HWND window = build();
    ASSERT_TRUE(window);
    HWND link = GetDlgItem(window, webLink);
    RECT rect = rectInParent(link);
    SIZE extent = textExtent(link, webPageAddress);
    ASSERT_LT(extent.cy + 2, rect.bottom - rect.top);
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND), arrow = LoadCursorW(nullptr, IDC_ARROW);
    const struct {
        const char* where;
        LONG x, y;
        HCURSOR expected;
    } rows[] = {
        {"on the link's text", rect.left + 3, rect.top + extent.cy / 2, hand},
        {"on the copyright label", rect.left + 3, rect.top - 10, arrow},
        {"in the link below its text", rect.left + 3, rect.top + extent.cy + 2, hand},
        {"on the background beside the link", rect.right + 10, rect.top + 5, arrow},
        {"in the link's bottom right corner", rect.right - 1, rect.bottom - 1, hand},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_TRUE(movePointerTo(clientToScreen(window, row.x, row.y)));
        waitUntil([&] { return GetCursor() == row.expected; }, 10000);
        EXPECT_EQ(GetCursor(), row.expected);
    }
}

}  // namespace
