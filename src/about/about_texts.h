#pragma once

// The about window's fixed texts, the same in every language.

// One line in the 250-pixel label.
inline constexpr wchar_t copyrightNotice[] = L"Copyright (c) 2026 The Tarvisk developers";

// The link's text and the address it opens. The project has no domain of its own yet, so the
// address uses a name reserved for examples. Short enough for the 125-pixel link, also in
// Tahoma, which stands in for Segoe UI where it is missing.
inline constexpr wchar_t webPageAddress[] = L"http://tarvisk.example";
