// The run-as dialog assistant on a real dialog: its keys must reach the focused control of the
// standard dialog in the foreground, and only while a launch is outstanding.
#include "launcher/assistant.h"
#include "launcher/launch.h"
#include "wine_process.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr int currentUserRadio = 101;
constexpr int protectCheckBox = 102;
constexpr int otherUserRadio = 103;

// A dialog shaped like XP's run-as dialog: a radio button, a check box under it and a second
// radio button, all in one group, the first radio button selected and focused.
std::vector<WORD> dialogTemplate()
{
    std::vector<WORD> words;
    auto add = [&](const void* data, size_t size) {
        const WORD* p = static_cast<const WORD*>(data);
        words.insert(words.end(), p, p + size / sizeof(WORD));
    };
    auto align = [&] {
        if (words.size() % 2) words.push_back(0);
    };
    DLGTEMPLATE dialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT, 0, 3, 10, 10, 200, 80};
    add(&dialog, sizeof dialog);
    words.insert(words.end(), {0, 0});  // no menu, default class
    for (wchar_t c : std::wstring(L"Run As")) words.push_back(c);
    words.push_back(0);
    words.push_back(8);
    for (wchar_t c : std::wstring(L"MS Shell Dlg")) words.push_back(c);
    words.push_back(0);
    struct Control {
        DWORD style;
        short y;
        WORD id;
        const wchar_t* text;
    };
    const Control controls[] = {
        {BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, currentUserRadio, L"Current user"},
        {BS_AUTOCHECKBOX, 20, protectCheckBox, L"Protect my computer"},
        {BS_AUTORADIOBUTTON, 35, otherUserRadio, L"The following user"},
    };
    for (const Control& control : controls) {
        align();
        DLGITEMTEMPLATE item{WS_CHILD | WS_VISIBLE | control.style, 0, 10, control.y, 150, 12, control.id};
        add(&item, sizeof item);
        words.insert(words.end(), {0xFFFF, 0x0080});  // Button
        for (const wchar_t* c = control.text; *c; ++c) words.push_back(*c);
        words.insert(words.end(), {0, 0});  // end of text, no creation data
    }
    return words;
}

INT_PTR CALLBACK dialogProcedure(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// Pumps the thread's messages through the dialog manager until done() holds, at most timeoutMs;
// says whether it held.
bool pumpUntil(HWND dialog, const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            if (!dialog || !IsDialogMessageW(dialog, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
    }
    return true;
}

// The real assistant, on a thread that startThread starts as the program does; the event is set
// when it has returned, so every key it pressed is already in the foreground thread's queue.
HANDLE assistantReturned = CreateEventW(nullptr, TRUE, FALSE, nullptr);

unsigned long __stdcall runAssistantThenSignal(void*)
{
    unsigned long result = runAsDialogAssistant(nullptr);
    SetEvent(assistantReturned);
    return result;
}

bool startAssistant()
{
    ResetEvent(assistantReturned);
    return startThread(runAssistantThenSignal, nullptr);
}

bool assistantHasReturned()
{
    return WaitForSingleObject(assistantReturned, 0) == WAIT_OBJECT_0;
}

struct DialogState {
    bool currentUser, protect, otherUser;
    int focus;
    bool operator==(const DialogState& other) const
    {
        return currentUser == other.currentUser && protect == other.protect && otherUser == other.otherUser &&
               focus == other.focus;
    }
};

DialogState stateOf(HWND dialog)
{
    return {IsDlgButtonChecked(dialog, currentUserRadio) == BST_CHECKED,
            IsDlgButtonChecked(dialog, protectCheckBox) == BST_CHECKED,
            IsDlgButtonChecked(dialog, otherUserRadio) == BST_CHECKED, GetDlgCtrlID(GetFocus())};
}

HWND showRunAsLikeDialog()
{
    std::vector<WORD> words = dialogTemplate();
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                             reinterpret_cast<DLGTEMPLATE*>(words.data()), nullptr,
                                             dialogProcedure, 0);
    CheckDlgButton(dialog, currentUserRadio, BST_CHECKED);
    CheckDlgButton(dialog, protectCheckBox, BST_CHECKED);
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, currentUserRadio));
    pumpUntil(dialog, [dialog] { return GetForegroundWindow() == dialog; }, 10000);
    return dialog;
}

// With a launch outstanding, Down moves to the check box, Space clears it, and Down moves to the
// second radio button and selects it; without one the dialog stays as it was.
TEST(AssistantUnderWine, PressesDownSpaceDownOnlyWhileALaunchIsOutstanding)
{
    struct Row {
        std::intptr_t flag;
        DialogState expected;
    };
    const Row rows[] = {
        {1, {false, false, true, otherUserRadio}},
        {0, {true, true, false, currentUserRadio}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "launchInProgress " << row.flag);
        HWND dialog = showRunAsLikeDialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(GetForegroundWindow(), dialog);
        DialogState before = stateOf(dialog);
        EXPECT_TRUE(before.currentUser && before.protect && !before.otherUser);
        EXPECT_EQ(before.focus, currentUserRadio);

        launchInProgress.store(row.flag);
        ASSERT_TRUE(startAssistant());
        EXPECT_TRUE(pumpUntil(dialog, assistantHasReturned, 10000));
        launchInProgress.store(0);
        pumpUntil(dialog, [&] { return stateOf(dialog) == row.expected; }, 10000);

        DialogState after = stateOf(dialog);
        EXPECT_EQ(after.currentUser, row.expected.currentUser);
        EXPECT_EQ(after.protect, row.expected.protect);
        EXPECT_EQ(after.otherUser, row.expected.otherUser);
        EXPECT_EQ(after.focus, row.expected.focus);
        closeAssistantThread();
        DestroyWindow(dialog);
    }
}

// Counts the keys a plain window receives.
int keysReceived = 0;
LRESULT CALLBACK countingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_KEYUP) ++keysReceived;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(AssistantUnderWine, IgnoresAWindowThatIsNotAStandardDialog)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = countingProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TarviskPlainWindow";
    RegisterClassW(&windowClass);
    HWND plain = CreateWindowExW(0, windowClass.lpszClassName, L"Plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(plain);
    SetFocus(plain);
    pumpUntil(nullptr, [plain] { return GetForegroundWindow() == plain; }, 10000);
    ASSERT_EQ(GetForegroundWindow(), plain);

    keysReceived = 0;
    launchInProgress.store(1);
    ASSERT_TRUE(startAssistant());
    pumpUntil(nullptr, [] { return false; }, 500);
    EXPECT_FALSE(assistantHasReturned());
    EXPECT_EQ(keysReceived, 0);

    // The assistant still polls; a dialog in the foreground with no launch outstanding ends it quietly.
    launchInProgress.store(0);
    HWND dialog = showRunAsLikeDialog();
    EXPECT_TRUE(pumpUntil(dialog, assistantHasReturned, 10000));
    pumpUntil(dialog, [] { return false; }, 200);
    EXPECT_TRUE(stateOf(dialog).protect);
    EXPECT_EQ(keysReceived, 0);
    closeAssistantThread();
    DestroyWindow(dialog);
    DestroyWindow(plain);
}

TEST(WindowClassNameUnderWine, WholeNameUpTo255Characters)
{
    struct Row {
        size_t length;
        size_t expected;
    };
    for (Row row : {Row{6, 6}, Row{255, 255}, Row{256, 255}}) {
        SCOPED_TRACE(testing::Message() << "class name of " << row.length << " characters");
        std::wstring name(row.length, L'c');
        name[0] = wchar_t(L'A' + row.length % 26);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = name.c_str();
        if (!RegisterClassW(&windowClass)) {
            // Windows refuses class names longer than 255 characters; there is nothing to read then.
            EXPECT_GT(row.length, 255u);
            continue;
        }
        HWND window = CreateWindowExW(0, name.c_str(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
        ClassName read = windowClassName(window);
        EXPECT_EQ(size_t(read.length), row.expected);
        EXPECT_EQ(std::wstring(read.text), name.substr(0, row.expected));
        DestroyWindow(window);
    }
    EXPECT_EQ(windowClassName(nullptr).length, 0);
    EXPECT_EQ(windowClassName(nullptr).text[0], 0);
}

TEST(SendKeyUnderWine, InjectsOneEvent)
{
    EXPECT_EQ(sendKey(VK_SHIFT, keyPress), 1u);
    EXPECT_EQ(sendKey(VK_SHIFT, keyRelease), 1u);
}

}  // namespace
