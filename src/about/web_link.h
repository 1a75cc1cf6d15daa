#pragma once

#include <windows.h>

// The link to the web page: a "STATIC" control whose painting and mouse handling are replaced.

inline constexpr COLORREF linkColour = RGB(0, 0, 255);

// Takes over a freshly created static control; call before it gets its font.
void makeWebLink(HWND control);

// Opens webPageAddress in the user's default browser, without waiting for it.
void openWebPage();
