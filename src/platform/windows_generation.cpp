#include "windows_generation.h"

WindowsGeneration generationOf9x(unsigned long minor)
{
    switch (minor) {
    case 0: return win95;
    case 10: return win98;
    case 90: return winME;
    default: return newer;
    }
}

WindowsGeneration generationOfNt(unsigned long major, unsigned long minor, bool workstation)
{
    switch (major) {
    case 3: return nt3;
    case 4: return nt4;
    case 5:
        if (minor == 0) return win2000;
        if (minor == 1) return winXP;
        if (minor == 2) return workstation ? winXP : server2003;  // XP x64 Edition reports 5.2
        return newer;
    case 6: {
        constexpr WindowsGeneration workstations[] = {vista, win7, win8, win81};
        constexpr WindowsGeneration servers[] = {server2008, server2008R2, server2012, server2012R2};
        if (minor > 3) return newer;
        return workstation ? workstations[minor] : servers[minor];
    }
    case 10: return minor == 0 ? win10 : newer;
    default: return newer;  // includes 0 from a failed fallback query
    }
}

WindowsGeneration classifyWindows(const VersionQueries& queries)
{
    VersionReport basic{};
    if (!queries.basicVersion(basic)) return newer;
    if (basic.platformId == platformWin9x) return generationOf9x(basic.minor);
    if (basic.platformId != platformNt) return newer;

    // Without a supported-OS list GetVersionExW reports 6.2 on 8.1 and 10, so RtlGetVersion comes first.
    VersionReport nt{};
    if (!queries.rtlVersion(nt) && !queries.extendedVersion(nt)) nt = VersionReport{};
    return generationOfNt(nt.major, nt.minor, nt.productType == productWorkstation);
}
