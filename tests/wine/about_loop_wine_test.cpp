// showAboutWindow's message loop in a probe process, driven from here with real input as a user
// would drive it: what ends the loop, what does not, where the focus goes, and the link.
#include "about/about_layout.h"
#include "about/about_texts.h"
#include "desktop.h"
#include "launcher/texts.h"
#include "wine_process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the probe says once showAboutWindow has returned: it returned 0, the window is still open.
const std::wstring returnedAndStillOpen = L"returned\x1F" L"0\x1F" L"1\n";

std::wstring returnReport(const std::wstring& output)
{
    size_t start = output.find(L"returned");
    return start == std::wstring::npos ? L"" : output.substr(start, output.find(L'\n', start) + 1 - start);
}

// A probe's about window, open and in the foreground, with the loop running.
class ShownAboutWindow {
public:
    ShownAboutWindow()
    {
        releaseModifiers();
        process = startProcess(L"\"" + testProgramDirectory() + L"about_probe.exe\" show");
        window = waitForWindow(programTitle, 20000);
        // Shown before it has controls; built once it has set its first keyboard cues.
        waitUntil([&] { return ready(); }, 10000);
    }

    ~ShownAboutWindow()
    {
        releaseModifiers();
        if (process.process) {
            PostMessageW(window, WM_CLOSE, 0, 0);
            finishProcess(process, 10000);
        }
    }

    bool ready() { return window && GetForegroundWindow() == window && !cues().empty(); }

    // Whether the loop is still running after waiting at most ms for it to end.
    bool stillRunningAfter(DWORD ms) const { return WaitForSingleObject(process.process, ms) == WAIT_TIMEOUT; }

    ProcessResult finish() { return finishProcess(process, 10000); }

    HWND control(int id) const { return GetDlgItem(window, id); }

    HWND focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info.hwndFocus;
    }

    // The keyboard cues the window last asked for, as the probe reports them.
    std::wstring cues()
    {
        std::wstring said = outputSoFar(process);
        size_t last = said.rfind(L"cues ");
        return last == std::wstring::npos ? L"" : said.substr(last, said.find(L'\n', last) - last);
    }

    // A point of the window's client area on the screen.
    POINT at(int x, int y) const { return clientToScreen(window, x, y); }

    StartedProcess process;
    HWND window = nullptr;
};

void click(POINT press, POINT release)
{
    movePointerTo(press);
    leftButton(true);
    movePointerTo(release);
    leftButton(false);
}

POINT centre(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

RECT screenRect(HWND hwnd)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    return rect;
}

struct DismissRow {
    const char* what;
    void (*act)(ShownAboutWindow&);
    bool ends;
};

TEST(AboutLoopUnderWine, WhatEndsTheLoop)
{
    const DismissRow rows[] = {
        {"BM_CLICK on OK",
         [](ShownAboutWindow& about) {
             DWORD_PTR result;
             SendMessageTimeoutW(about.control(okButton), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result);
         },
         true},
        {"a click on OK",
         [](ShownAboutWindow& about) {
             POINT middle = centre(screenRect(about.control(okButton)));
             click(middle, middle);
         },
         true},
        {"Space on the focused OK button", [](ShownAboutWindow&) { pressKeys({VK_TAB}); pressKeys({VK_SPACE}); },
         true},
        {"Enter right after the window opened", [](ShownAboutWindow&) { pressKeys({VK_RETURN}); }, true},
        {"Enter with the focus on OK", [](ShownAboutWindow&) { pressKeys({VK_TAB}); pressKeys({VK_RETURN}); }, true},
        {"WM_CLOSE sent from another process",
         [](ShownAboutWindow& about) {
             DWORD_PTR result;
             SendMessageTimeoutW(about.window, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &result);
         },
         true},
        {"Alt+F4", [](ShownAboutWindow&) { pressKeys({VK_MENU, VK_F4}); }, true},
        {"Close in the system menu",
         [](ShownAboutWindow& about) { PostMessageW(about.window, WM_SYSCOMMAND, SC_CLOSE, 0); }, true},
        {"a click on the close box",
         [](ShownAboutWindow& about) {
             TITLEBARINFO bar{};
             bar.cbSize = sizeof bar;
             ASSERT_TRUE(GetTitleBarInfo(about.window, &bar));
             // The close box is the title bar's last square.
             const RECT& title = bar.rcTitleBar;
             POINT box{title.right - (title.bottom - title.top) / 2, (title.top + title.bottom) / 2};
             DWORD_PTR hit = 0;
             SendMessageTimeoutW(about.window, WM_NCHITTEST, 0, MAKELPARAM(box.x, box.y), SMTO_NORMAL, 5000, &hit);
             ASSERT_EQ(hit, DWORD_PTR(HTCLOSE));
             click(box, box);
         },
         true},
        {"Shift+Enter", [](ShownAboutWindow&) { pressKeys({VK_SHIFT, VK_RETURN}); }, false},
        {"Ctrl+Enter", [](ShownAboutWindow&) { pressKeys({VK_CONTROL, VK_RETURN}); }, false},
        {"Alt+Enter", [](ShownAboutWindow&) { pressKeys({VK_MENU, VK_RETURN}); }, false},
        {"Escape", [](ShownAboutWindow&) { pressKeys({VK_ESCAPE}); }, false},
    };
    for (const DismissRow& row : rows) {
        SCOPED_TRACE(row.what);
        ShownAboutWindow about;
        ASSERT_TRUE(about.ready());
        row.act(about);
        if (!row.ends) {
            EXPECT_TRUE(about.stillRunningAfter(1000)) << "the loop ended";
            EXPECT_TRUE(IsWindowVisible(about.window));
            PostMessageW(about.window, WM_CLOSE, 0, 0);
        }
        ProcessResult result = about.finish();
        EXPECT_TRUE(result.finished) << "the loop did not end";
        EXPECT_EQ(returnReport(result.output), returnedAndStillOpen);
    }
}

struct FocusRow {
    const char* keys;
    std::vector<std::vector<WORD>> presses;
    bool focusOnOk;  // false: no control has the focus, as when the window opened
};

// At first no control has the focus and the cues are hidden; using the keyboard shows them.
TEST(AboutLoopUnderWine, TabFocusesOkAndTheKeyboardShowsCues)
{
    const FocusRow rows[] = {
        {"Tab", {{VK_TAB}}, true},
        {"Shift+Tab", {{VK_SHIFT, VK_TAB}}, true},
        {"Tab, Tab", {{VK_TAB}, {VK_TAB}}, true},
        {"Tab, Shift+Tab", {{VK_TAB}, {VK_SHIFT, VK_TAB}}, true},
        {"Shift", {{VK_SHIFT}}, false},
        {"Ctrl", {{VK_CONTROL}}, false},
    };
    for (const FocusRow& row : rows) {
        SCOPED_TRACE(row.keys);
        ShownAboutWindow about;
        ASSERT_TRUE(about.ready());
        EXPECT_EQ(about.focus(), about.window);
        EXPECT_EQ(about.cues(), L"cues hidden");
        for (const std::vector<WORD>& keys : row.presses) pressKeys(keys);
        HWND expected = row.focusOnOk ? about.control(okButton) : about.window;
        waitUntil([&] { return about.cues() == L"cues shown" && about.focus() == expected; }, 10000);
        EXPECT_EQ(about.cues(), L"cues shown");
        EXPECT_EQ(about.focus(), expected);
    }
}

TEST(AboutLoopUnderWine, FocusComesBackAfterAnotherWindowWasActive)
{
    ShownAboutWindow about;
    ASSERT_TRUE(about.ready());
    pressKeys({VK_TAB});
    ASSERT_TRUE(waitUntil([&] { return about.focus() == about.control(okButton); }, 10000));

    HWND other = CreateWindowExW(0, L"STATIC", L"another window", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other);
    SetForegroundWindow(other);
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == other; }, 10000));
    EXPECT_TRUE(waitUntil([&] { return about.cues() == L"cues hidden"; }, 10000)) << "the cues stay shown";

    // A click on the window's background activates it again.
    click(about.at(200, 45), about.at(200, 45));
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == about.window; }, 10000));
    waitUntil([&] { return about.focus() == about.control(okButton); }, 10000);
    EXPECT_EQ(about.focus(), about.control(okButton));
    EXPECT_EQ(about.cues(), L"cues hidden") << "a click is no use of the keyboard";
    DestroyWindow(other);
}

// The addresses the stand-in browser was asked to open, and a fresh start for the next ones.
std::vector<std::wstring> takeOpenedAddresses(const std::wstring& folder)
{
    std::vector<std::wstring> addresses;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return addresses;
    do {
        std::wstring path = folder + found.cFileName;
        addresses.push_back(awaitRecord(path, 5000));
        DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return addresses;
}

size_t countOpened(const std::wstring& folder)
{
    size_t count = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

struct LinkRow {
    const char* what;
    POINT press, release;  // client coordinates
    int clicks;
    size_t opened;
};

TEST(AboutLoopUnderWine, TheLinkOpensTheWebPageOnEveryRelease)
{
    // No backslash before the closing quote, where it would escape the quote.
    const std::wstring folderName = testProgramDirectory() + L"opened-addresses", folder = folderName + L"\\";
    CreateDirectoryW(folderName.c_str(), nullptr);
    takeOpenedAddresses(folder);
    RegistryValueGuard browser(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", L"",
                               L"\"" + testProgramDirectory() + L"url_handler_probe.exe\" \"" + folderName + L"\" \"%1\"");

    ShownAboutWindow about;
    ASSERT_TRUE(about.ready());
    const LayoutRect link = aboutLayoutAt96.controls[webLink];
    const POINT onText{link.x + 5, link.y + 7}, belowText{link.x + 5, link.y + link.height - 2},
        background{link.x + link.width + 30, link.y + 10},
        copyright{aboutLayoutAt96.controls[copyrightLabel].x + 5, aboutLayoutAt96.controls[copyrightLabel].y + 7},
        usage{aboutLayoutAt96.controls[usageLabel].x + 5, aboutLayoutAt96.controls[usageLabel].y + 7};
    const LinkRow rows[] = {
        {"a click on the text", onText, onText, 1, 1},
        {"a click in the link below the text", belowText, belowText, 1, 1},
        {"a double-click", onText, onText, 2, 2},
        {"pressed on the link, released outside", onText, background, 1, 0},
        {"pressed outside, released on the link", background, onText, 1, 1},
        {"a click on the copyright label", copyright, copyright, 1, 0},
        {"a click on the usage label", usage, usage, 1, 0},
    };
    for (const LinkRow& row : rows) {
        SCOPED_TRACE(row.what);
        click(about.at(row.press.x, row.press.y), about.at(row.release.x, row.release.y));
        if (row.clicks == 2) click(about.at(row.press.x, row.press.y), about.at(row.release.x, row.release.y));
        waitUntil([&] { return countOpened(folder) >= row.opened; }, 10000);
        // Time for a page that should not have opened to show up.
        pumpMessagesFor(1000);
        EXPECT_EQ(takeOpenedAddresses(folder), std::vector<std::wstring>(row.opened, webPageAddress));
        EXPECT_TRUE(about.stillRunningAfter(0)) << "the loop ended";
        EXPECT_TRUE(IsWindowVisible(about.window));
    }
    pressKeys({VK_RETURN});
    ProcessResult result = about.finish();
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(returnReport(result.output), returnedAndStillOpen);
}

}  // namespace
