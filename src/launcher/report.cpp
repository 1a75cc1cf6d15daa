#include "report.h"

namespace {

constexpr LaunchResult fileNotFound = 2;    // SE_ERR_FNF
constexpr LaunchResult accessDenied = 5;    // SE_ERR_ACCESSDENIED, also a declined elevation
constexpr LaunchResult notSupported = -1;   // elevation needed below Windows 2000
constexpr LaunchResult highestError = 32;

size_t append(const wchar_t* text, wchar_t* out, size_t capacity, size_t length)
{
    for (; *text; ++text, ++length)
        if (length + 1 < capacity) out[length] = *text;
    return length;
}

}  // namespace

Report reportFor(LaunchResult result, const MessageTable& messages)
{
    if (result == fileNotFound) return {exitFileNotFound, messages.fileNotFoundPrefix, true};
    if (result == accessDenied) return {exitCancelled, nullptr, false};
    if (result == notSupported) return {exitFailed, messages.notSupportedText, false};
    if (result >= 0 && result <= highestError) return {exitFailed, messages.runErrorPrefix, true};
    return {exitLaunched, nullptr, false};
}

size_t composeMessage(const Report& report, const wchar_t* target, wchar_t* out, size_t capacity)
{
    size_t length = append(report.text ? report.text : L"", out, capacity, 0);
    if (report.namesTarget) length = append(messageSuffix, out, capacity, append(target, out, capacity, length));
    if (capacity) out[length < capacity ? length : capacity - 1] = 0;
    return length;
}
