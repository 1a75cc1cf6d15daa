#pragma once
// Wide test data made readable in GoogleTest's messages.

#include <string>

// ASCII as it is, a tab as <TAB>, anything else as ?.
inline std::string narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) {
        if (c == L'\t')
            out += "<TAB>";
        else
            out += c < 128 ? char(c) : '?';
    }
    return out;
}
