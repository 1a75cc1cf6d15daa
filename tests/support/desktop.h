#pragma once
// Helpers for tests that drive real windows: bounded waits and real keyboard and mouse input.

#include <windows.h>

#include <functional>
#include <vector>

// Pumps this thread's messages until done() holds or timeoutMs has passed; says whether it held.
bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Pumps this thread's messages for ms milliseconds.
void pumpMessagesFor(DWORD ms);

// The visible top-level window with this title, polled for at most timeoutMs; null if none.
HWND waitForWindow(const wchar_t* title, DWORD timeoutMs);

// Presses the keys in order and releases them in reverse, in one SendInput call, so that
// Shift+Enter is {VK_SHIFT, VK_RETURN}.
void pressKeys(const std::vector<WORD>& keys);

// Releases Shift, Ctrl and Alt, so that a failed test leaves no modifier held for the next.
void releaseModifiers();

// Moves the pointer to a screen point with SendInput, and says whether it got there.
bool movePointerTo(POINT screen);

// Presses or releases the left mouse button where the pointer is.
void leftButton(bool down);

// A screen point given in a window's client coordinates.
POINT clientToScreen(HWND hwnd, int x, int y);
