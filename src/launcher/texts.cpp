#include "texts.h"

namespace {

struct LanguageName {
    unsigned short primaryLanguage;
    wchar_t code[3];
};

// Before Vista the language comes from the primary language of the user's language id.
constexpr LanguageName knownLanguages[] = {
    {7, L"de"}, {9, L"en"}, {10, L"es"}, {12, L"fr"}, {14, L"hu"}, {16, L"it"}, {25, L"ru"},
};

constexpr unsigned short primaryLanguageMask = 0x3FF;

}  // namespace

LanguageCode languageCodeFromLocaleName(const wchar_t* localeName)
{
    // Taken as they are: no change of case, no test that they are letters.
    LanguageCode code{};
    for (int i = 0; i < 2 && localeName[i]; ++i) code.text[i] = localeName[i];
    return code;
}

LanguageCode languageCodeFromLangID(unsigned short langID)
{
    for (const LanguageName& language : knownLanguages)
        if (language.primaryLanguage == (langID & primaryLanguageMask))
            return languageCodeFromLocaleName(language.code);
    return LanguageCode{};
}

LanguageCode languageCodeFor(const LocaleQueries& queries)
{
    if (queries.generation() < vista) return languageCodeFromLangID(queries.userDefaultLangID());
    wchar_t name[localeNameMaxLength] = {};
    if (queries.userDefaultLocaleName(name, localeNameMaxLength) == 0) return LanguageCode{};
    return languageCodeFromLocaleName(name);
}

const wchar_t* messageBlockFor(const LanguageCode& code)
{
    bool german = code.text[0] == L'd' && code.text[1] == L'e' && code.text[2] == 0;
    return german ? germanMessages : englishMessages;
}

MessageTable messageTableFromBlock(const wchar_t* block)
{
    const wchar_t* texts[4];
    for (const wchar_t*& text : texts) {
        text = block;
        while (*block) ++block;
        ++block;
    }
    return MessageTable{texts[0], texts[1], texts[2], texts[3]};
}
