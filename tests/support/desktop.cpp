#include "desktop.h"

bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        DWORD slice = timeoutMs - elapsed < 20 ? timeoutMs - elapsed : 20;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT);
    }
}

void pumpMessagesFor(DWORD ms)
{
    waitUntil([] { return false; }, ms);
}

HWND waitForWindow(const wchar_t* title, DWORD timeoutMs)
{
    HWND found = nullptr;
    waitUntil(
        [&] {
            found = FindWindowW(nullptr, title);
            return found && IsWindowVisible(found);
        },
        timeoutMs);
    return found && IsWindowVisible(found) ? found : nullptr;
}

namespace {

INPUT keyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = WORD(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void pressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(keyInput(key, false));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) inputs.push_back(keyInput(*key, true));
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

void releaseModifiers()
{
    INPUT inputs[] = {keyInput(VK_SHIFT, true), keyInput(VK_CONTROL, true), keyInput(VK_MENU, true)};
    SendInput(3, inputs, sizeof(INPUT));
}

bool movePointerTo(POINT screen)
{
    // Absolute positions are 0 to 65536 across the primary screen; rounding up lands on the pixel.
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG((LONGLONG(screen.x) * 65536 + width - 1) / width);
    input.mi.dy = LONG((LONGLONG(screen.y) * 65536 + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    return waitUntil(
        [&] {
            POINT now;
            return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
        },
        10000);
}

void leftButton(bool down)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
}

POINT clientToScreen(HWND hwnd, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return point;
}
