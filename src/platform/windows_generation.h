#pragma once

// The running Windows release as one ordered code. Callers compare codes, never raw versions.
// 9x releases sit between the NT releases; a server is its workstation sibling plus 5.
enum WindowsGeneration : int {
    nt3 = 5,
    win95 = 10,
    nt4 = 20,
    win98 = 30,
    winME = 40,
    win2000 = 50,
    winXP = 60,
    server2003 = 65,
    vista = 70,
    server2008 = 75,
    win7 = 80,
    server2008R2 = 85,
    win8 = 90,
    server2012 = 95,
    win81 = 100,
    server2012R2 = 105,
    win10 = 110,
    newer = 200,  // anything unlisted, and a version that could not be obtained
};

constexpr unsigned long platformWin9x = 1;   // VER_PLATFORM_WIN32_WINDOWS
constexpr unsigned long platformNt = 2;      // VER_PLATFORM_WIN32_NT
constexpr unsigned char productWorkstation = 1;  // VER_NT_WORKSTATION

// What one version query answered.
struct VersionReport {
    unsigned long major;
    unsigned long minor;
    unsigned long platformId;
    unsigned char productType;
};

// The three version queries, each returning false when it fails (or, for RtlGetVersion, is missing).
struct VersionQueries {
    bool (*basicVersion)(VersionReport&);     // GetVersionExW with OSVERSIONINFOW
    bool (*rtlVersion)(VersionReport&);       // RtlGetVersion from ntdll
    bool (*extendedVersion)(VersionReport&);  // GetVersionExW with OSVERSIONINFOEXW
};

WindowsGeneration generationOf9x(unsigned long minor);
WindowsGeneration generationOfNt(unsigned long major, unsigned long minor, bool workstation);
WindowsGeneration classifyWindows(const VersionQueries& queries);

// Asks the running system; keeps no state, so every call queries again.
WindowsGeneration windowsGeneration();
