// Reports the user's language code and the usage text the program would show, separated by U+001F.
#include "launcher/texts.h"
#include "wine_process.h"

int wmain()
{
    selectMessageTable();
    writeOutput(std::wstring(userLanguageCode().text) + L'\x1F' + messageTable.usageText);
    return 0;
}
