// What Tarvisk64.exe declares to Windows, read back from the built file with the Windows API.
#include "about/about_texts.h"
#include "wine_process.h"
#include "narrow.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

constexpr WORD usEnglish = 1033;

std::wstring exePath()
{
    return testProgramDirectory() + L"Tarvisk64.exe";
}

// The exe mapped as an image for its resources, never run.
class ExeImage : public testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryExW(exePath().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << GetLastError();
    }
    void TearDown() override { FreeLibrary(module_); }

    std::string resource(LPCWSTR type, LPCWSTR name)
    {
        HRSRC found = FindResourceExW(module_, type, name, usEnglish);
        if (!found) return "";
        auto* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
        return std::string(data, SizeofResource(module_, found));
    }

    // The base of the mapped image: handles of data-file modules carry flags in their low bits.
    const BYTE* base() const { return reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module_) & ~ULONG_PTR(3)); }

    HMODULE module_ = nullptr;
};

TEST_F(ExeImage, EveryResourceHasIdOneInUsEnglish)
{
    for (LPCWSTR type : {RT_MANIFEST, RT_VERSION, RT_GROUP_ICON}) {
        SCOPED_TRACE(testing::Message() << "type " << reinterpret_cast<ULONG_PTR>(type));
        std::vector<WORD> languages;
        EnumResourceLanguagesW(
            module_, type, MAKEINTRESOURCEW(1),
            [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
                reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages, std::vector<WORD>{usEnglish});
    }
}

TEST_F(ExeImage, ManifestBindsCommonControlsSixAndAsksForNothing)
{
    std::string manifest = resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
    const char* expected[] = {
        "<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"amd64\" "
        "name=\"CompanyName.ProductName.YourApp\" type=\"win32\"/>",
        "<description></description>",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" processorArchitecture=\"amd64\" "
        "publicKeyToken=\"6595b64144ccf1df\" language=\"*\"",
        "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
    };
    for (const char* text : expected) EXPECT_NE(manifest.find(text), std::string::npos) << text;
    // Without a supported-OS list Windows 8.1 and 10 report 6.2 to GetVersionExW; the program copes.
    EXPECT_EQ(manifest.find("supportedOS"), std::string::npos);
    EXPECT_EQ(manifest.find("requireAdministrator"), std::string::npos);
}

// The keys of the version block's string table, in the order they are stored.
std::vector<std::wstring> stringTableKeys(const BYTE* block)
{
    // Each node: wLength, wValueLength, wType, a zero-terminated key, padding to 4 bytes, value, children.
    auto keyOf = [](const BYTE* node) { return std::wstring(reinterpret_cast<const wchar_t*>(node + 6)); };
    auto childrenOf = [&](const BYTE* node, size_t valueBytes) {
        size_t offset = 6 + (keyOf(node).size() + 1) * 2;
        offset = (offset + 3) & ~size_t(3);
        offset = (offset + valueBytes + 3) & ~size_t(3);
        std::vector<const BYTE*> children;
        size_t length = *reinterpret_cast<const WORD*>(node);
        while (offset < length) {
            const BYTE* child = node + offset;
            children.push_back(child);
            offset = (offset + *reinterpret_cast<const WORD*>(child) + 3) & ~size_t(3);
        }
        return children;
    };
    std::vector<std::wstring> keys;
    for (const BYTE* info : childrenOf(block, *reinterpret_cast<const WORD*>(block + 2)))
        if (keyOf(info) == L"StringFileInfo")
            for (const BYTE* table : childrenOf(info, 0))
                if (keyOf(table) == L"000004b0")
                    for (const BYTE* entry : childrenOf(table, 0)) keys.push_back(keyOf(entry));
    return keys;
}

TEST(VersionBlock, FixedPartStringsAndTranslation)
{
    std::wstring path = exePath();
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, DWORD(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);

    const std::pair<const wchar_t*, std::wstring> strings[] = {
        {L"CompanyName", L"The Tarvisk developers"},
        {L"ProductName", L"Tarvisk"},
        {L"ProductVersion", L"1.11"},
        {L"FileVersion", L"1.11"},
        {L"FileDescription", L"Allows to run programs with administrative privileges."},
        {L"InternalName", L"Tarvisk"},
        {L"OriginalFilename", L"Tarvisk64.exe"},
        {L"LegalCopyright", copyrightNotice},
        {L"Website", webPageAddress},
    };
    std::vector<std::wstring> order;
    for (auto [key, expected] : strings) {
        SCOPED_TRACE(testing::Message() << narrow(key));
        wchar_t* value = nullptr;
        std::wstring query = std::wstring(L"\\StringFileInfo\\000004b0\\") + key;
        ASSERT_TRUE(VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::wstring(value), expected);
        order.push_back(key);
    }
    EXPECT_EQ(stringTableKeys(block.data()), order);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0000);
    EXPECT_EQ(translation[1], 0x04B0);
}

#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct IconDirectory {
    WORD reserved, type, count;
    IconDirectoryEntry entries[1];
};
#pragma pack(pop)

TEST_F(ExeImage, IconIsOne32x32ImageAt32Bits)
{
    std::string group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
    ASSERT_EQ(group.size(), 6 + sizeof(IconDirectoryEntry));
    auto* directory = reinterpret_cast<const IconDirectory*>(group.data());
    EXPECT_EQ(directory->type, 1);
    ASSERT_EQ(directory->count, 1);
    const IconDirectoryEntry& entry = directory->entries[0];
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.bitCount, 32);
    EXPECT_EQ(entry.bytes, 4264u);

    std::string image = resource(RT_ICON, MAKEINTRESOURCEW(entry.id));
    ASSERT_EQ(image.size(), 4264u);
    auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    EXPECT_EQ(header->biSize, 40u);
    EXPECT_EQ(header->biWidth, 32);
    EXPECT_EQ(header->biHeight, 64);  // colour and mask
    EXPECT_EQ(header->biBitCount, 32);
    // 40-byte header, 32 x 32 x 4 bytes of colour, 32 rows of 4 bytes of mask.
    EXPECT_EQ(40u + 4096u + 128u, image.size());

    HICON icon = LoadIconW(module_, MAKEINTRESOURCEW(1));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST_F(ExeImage, SmallGuiProgramImportingOnlySystemDlls)
{
    HANDLE file = CreateFileW(exePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD bytes = GetFileSize(file, nullptr);
    CloseHandle(file);
    EXPECT_LE(bytes, 64u * 1024u);

    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base());
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base() + dos->e_lfanew);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_EQ(nt->FileHeader.TimeDateStamp, 0u);  // no link time, so builds are reproducible

    // Each one is a KnownDLL, or comctl32 as the manifest binds it: none is searched for beside the exe.
    const std::set<std::string> systemDlls = {"kernel32.dll", "user32.dll", "gdi32.dll",   "shell32.dll",
                                              "ole32.dll",    "comctl32.dll", "advapi32.dll", "msvcrt.dll"};
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(imports.VirtualAddress, 0u);
    int count = 0;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base() + imports.VirtualAddress); entry->Name;
         ++entry, ++count) {
        std::string name = reinterpret_cast<const char*>(base() + entry->Name);
        for (char& c : name) c = char(tolower(c));
        EXPECT_TRUE(systemDlls.count(name)) << name;
    }
    EXPECT_GT(count, 0);
}

}  // namespace
