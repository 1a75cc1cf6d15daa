#pragma once

#include <windows.h>

// The about/usage window: copyright notice, link to the web page, usage line and OK button.

// Shows the window with the usage line and runs its message loop until OK, Enter or the close
// box dismisses it. The window stays on screen until closeAboutWindow. Always returns 0.
int showAboutWindow(const wchar_t* usageText);

// The steps of showAboutWindow before its loop: the control font (Segoe UI from Windows 8.1
// on), then the window with its controls, shown and activated. buildAboutWindow returns null
// when the window cannot be created.
void chooseControlFont();
HWND buildAboutWindow(const wchar_t* usageText);

// Destroys the window, unregisters its class and deletes the font; the run's end calls it.
void closeAboutWindow();
