#include "texts.h"

#include <windows.h>

MessageTable messageTable;

namespace {

using GetUserDefaultLocaleNameFunction = int(WINAPI*)(LPWSTR, int);

// GetUserDefaultLocaleName exists from Vista on, so it is looked up rather than imported.
int queryUserDefaultLocaleName(wchar_t* name, int size)
{
    HMODULE kernel32 = LoadLibraryW(L"kernel32.dll");
    if (!kernel32) return 0;
    auto getUserDefaultLocaleName = reinterpret_cast<GetUserDefaultLocaleNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "GetUserDefaultLocaleName")));
    int length = getUserDefaultLocaleName ? getUserDefaultLocaleName(name, size) : 0;
    FreeLibrary(kernel32);
    return length;
}

unsigned short queryUserDefaultLangID()
{
    return GetUserDefaultLangID();
}

}  // namespace

LanguageCode userLanguageCode()
{
    return languageCodeFor({windowsGeneration, queryUserDefaultLocaleName, queryUserDefaultLangID});
}

void selectMessageTable()
{
    messageTable = messageTableFromBlock(messageBlockFor(userLanguageCode()));
}
