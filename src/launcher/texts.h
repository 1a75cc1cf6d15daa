#pragma once

#include "platform/windows_generation.h"

// The four texts in the user's language, in the order of their block.
struct MessageTable {
    const wchar_t* usageText;           // the about window's usage line
    const wchar_t* notSupportedText;    // the whole message when elevation is not available
    const wchar_t* fileNotFoundPrefix;  // the message before the target when the file is missing
    const wchar_t* runErrorPrefix;      // the message before the target for any other failure
};

inline constexpr wchar_t programTitle[] = L"Tarvisk 1.11 (x64)";
inline constexpr wchar_t messageSuffix[] = L"'.";

// Each language's texts are one block of four zero-terminated strings, back to back.
inline constexpr wchar_t germanMessages[] =
    L"Aufruf: Tarvisk64 [/s|/shift] <Programm>\0"
    L"Fehler: Die Funktion wird von Windows NT nicht unterst\u00FCtzt.\0"
    L"Datei nicht gefunden: '\0"
    L"Fehler beim Ausf\u00FChren von '";
inline constexpr wchar_t englishMessages[] =
    L"Usage: Tarvisk64 [/s|/shift] <program>\0"
    L"Error: The function is not supported by Windows NT.\0"
    L"File not found: '\0"
    L"Error trying to run '";

// At most two characters from the user's default locale, or empty when it is unknown.
struct LanguageCode {
    wchar_t text[3];
};

// What the language queries answer; the program asks Windows, the tests fakes.
struct LocaleQueries {
    WindowsGeneration (*generation)();
    // GetUserDefaultLocaleName looked up at run time: the length copied, or 0 when the function
    // cannot be loaded, is missing or fails.
    int (*userDefaultLocaleName)(wchar_t* name, int size);
    unsigned short (*userDefaultLangID)();
};

constexpr int localeNameMaxLength = 85;  // LOCALE_NAME_MAX_LENGTH

LanguageCode languageCodeFromLocaleName(const wchar_t* localeName);
LanguageCode languageCodeFromLangID(unsigned short langID);
LanguageCode languageCodeFor(const LocaleQueries& queries);
const wchar_t* messageBlockFor(const LanguageCode& code);
MessageTable messageTableFromBlock(const wchar_t* block);

// The language code of the user's default locale.
LanguageCode userLanguageCode();

// Fills messageTable once, before any text is needed; it is only read afterwards.
void selectMessageTable();
extern MessageTable messageTable;
