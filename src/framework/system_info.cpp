#include "framework/system_info.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "util/paths.h"
#include "util/strings.h"

namespace pw {

namespace {

// Files under /proc report a size of 0, so they are read to their end, not by their size.
std::string ReadWholeStream(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint64_t KilobytesToBytes(std::string_view text) {
    // "  16318212 kB"
    std::string digits = StrTrim(text);
    size_t end = 0;
    while (end < digits.size() && digits[end] >= '0' && digits[end] <= '9')
        ++end;
    if (end == 0)
        return 0;
    int64_t kilobytes = StrToInt64Def(digits.substr(0, end), -1);
    if (kilobytes < 0)
        return 0;
    constexpr uint64_t kMaxKilobytes = std::numeric_limits<uint64_t>::max() / 1024;
    uint64_t value = static_cast<uint64_t>(kilobytes);
    return value > kMaxKilobytes ? std::numeric_limits<uint64_t>::max() : value * 1024;
}

uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
    return a > std::numeric_limits<uint64_t>::max() - b ? std::numeric_limits<uint64_t>::max()
                                                        : a + b;
}

std::string FolderWithoutSeparator(const std::string& folder) {
    if (folder.empty() || !DirectoryExists(folder))
        return "";
    std::string result = ExcludeTrailingSeparator(folder);
    return result.empty() ? "/" : result;
}

} // namespace

ThvOS_Version ComputeOSVersion(const OSVersionFacts& facts) {
    using F = ThvOSFlag;
    ThvOS_Version version;
    version.Set(F::Windows);
    if (!facts.Readable)
        return version;
    const std::string service = StrTrim(facts.ServicePack);
    switch (facts.Platform) {
    case OSPlatform::Win32s:
        version.Set(F::Win32s);
        version.Name += " Win32s";
        break;
    case OSPlatform::Win9x:
        version.Set(F::Win32);
        if (facts.Major == 4) {
            if (facts.Minor == 0) {
                version.Set(F::Win95);
                version.Name += " 95";
                if (service == "B" || service == "C") {
                    version.Set(F::Win95OSR2);
                    version.Name += " OSR2";
                }
            } else if (facts.Minor == 10) {
                version.Set(F::Win98);
                version.Name += " 98";
                if (service == "A") {
                    version.Set(F::Win98SE);
                    version.Name += " SE";
                }
            } else if (facts.Minor == 90) {
                version.Set(F::WinME);
                version.Name += " ME";
            }
        }
        break;
    case OSPlatform::NT:
        version.Set(F::Win32);
        if (facts.Major == 4) {
            version.Set(F::WinNT4);
            version.Name += " NT";
            if (service == "Service Pack 6") {
                version.Set(F::WinNT4SP6);
                version.Name += " SP6";
            }
        } else if (facts.Major == 5) {
            if (facts.Minor == 0) {
                version.Set(F::Win2000);
                version.Name += " 2000";
            } else if (facts.Minor == 1) {
                version.Set(F::WinXP);
                version.Name += " XP";
            } else if (facts.Minor == 2) {
                version.Set(F::Win2003);
                version.Name += " 2003";
            } else {
                version.Set(F::WinNewer);
            }
        } else if (facts.Major == 6) {
            if (facts.Minor == 0) {
                version.Set(F::WinVista);
                version.Name += " Vista";
            } else if (facts.Minor == 1) {
                version.Set(F::Win7);
                version.Name += " 7";
            } else {
                version.Set(F::WinNewer);
            }
        } else if (facts.Major >= 7) {
            version.Set(F::WinNewer);
        }
        break;
    }
    auto any = [&version](std::initializer_list<F> flags) {
        for (F f : flags)
            if (version.Has(f))
                return true;
        return false;
    };
    const bool w7 = any({F::Win7, F::WinNewer});
    const bool vista = w7 || version.Has(F::WinVista);
    const bool xp = vista || any({F::WinXP, F::Win2003});
    const bool w2000 = xp || version.Has(F::Win2000);
    const bool nt4 = w2000 || version.Has(F::WinNT4);
    const bool me = nt4 || version.Has(F::WinME);
    if (me)
        version.Set(F::MEOrLater);
    if (nt4)
        version.Set(F::NT4OrLater);
    if (w2000)
        version.Set(F::W2000OrLater);
    if (xp)
        version.Set(F::XPOrLater);
    if (vista)
        version.Set(F::VistaOrLater);
    if (w7)
        version.Set(F::W7OrLater);
    return version;
}

OSVersionFacts CurrentSystemFacts() {
    OSVersionFacts facts;
    facts.Readable = true;
    facts.Platform = OSPlatform::NT;
    facts.Major = 10;
    return facts;
}

std::string OsReleaseName(std::string_view text) {
    std::string pretty;
    std::string name;
    for (const std::string& raw : StrSplit(StrNormalizeLineBreaks(text, "\n"), "\n")) {
        std::string line = StrTrim(raw);
        size_t eq = line.find('=');
        if (line.empty() || line[0] == '#' || eq == std::string::npos)
            continue;
        std::string key = line.substr(0, eq);
        std::string value = line.substr(eq + 1);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        // Shell quoting inside the value: a backslash takes the next character literally.
        std::string unquoted;
        for (size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size())
                ++i;
            unquoted += value[i];
        }
        if (key == "PRETTY_NAME")
            pretty = StrTrim(unquoted);
        else if (key == "NAME")
            name = StrTrim(unquoted);
    }
    return pretty.empty() ? name : pretty;
}

MemoryFigures ParseMeminfo(std::string_view text) {
    uint64_t total = 0, available = 0, freeMemory = 0, swapTotal = 0, swapFree = 0;
    bool haveAvailable = false;
    for (const std::string& line : StrSplit(StrNormalizeLineBreaks(text, "\n"), "\n")) {
        size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string key = StrTrim(line.substr(0, colon));
        std::string_view rest = std::string_view(line).substr(colon + 1);
        if (key == "MemTotal") {
            total = KilobytesToBytes(rest);
        } else if (key == "MemAvailable") {
            available = KilobytesToBytes(rest);
            haveAvailable = true;
        } else if (key == "MemFree") {
            freeMemory = KilobytesToBytes(rest);
        } else if (key == "SwapTotal") {
            swapTotal = KilobytesToBytes(rest);
        } else if (key == "SwapFree") {
            swapFree = KilobytesToBytes(rest);
        }
    }
    MemoryFigures figures;
    figures.TotalPhysical = total;
    figures.AvailablePhysical = haveAvailable ? available : freeMemory;
    figures.TotalVirtual = SaturatingAdd(total, swapTotal);
    figures.AvailableVirtual = SaturatingAdd(figures.AvailablePhysical, swapFree);
    return figures;
}

std::string FindProgramOnPath(std::string_view program, std::string_view pathList) {
    if (program.empty() || program.find('/') != std::string_view::npos)
        return "";
    for (const std::string& folder : StrSplit(pathList, ":", true)) {
        if (folder.empty() || !IsAbsolutePath(folder))
            continue; // an empty or relative entry would mean the current folder
        std::string candidate = IncludeTrailingSeparator(folder) + std::string(program);
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return "";
}

LinuxSystemInfo::LinuxSystemInfo(std::string osReleaseFile, std::string meminfoFile,
                                 std::string pathList, std::string documentsFolder,
                                 std::string dataFolder)
    : osReleaseFile_(std::move(osReleaseFile)), meminfoFile_(std::move(meminfoFile)),
      pathList_(std::move(pathList)), documentsFolder_(std::move(documentsFolder)),
      dataFolder_(std::move(dataFolder)) {}

ThvOS_Version LinuxSystemInfo::GetOSVersion() const {
    ThvOS_Version version = ComputeOSVersion(CurrentSystemFacts());
    std::string name = OsReleaseName(ReadWholeStream(osReleaseFile_));
    version.Name = name.empty() ? std::string("Linux") : name;
    return version;
}

std::string LinuxSystemInfo::SpecialFolderPath(int folderId) const {
    if (folderId == 5)
        return FolderWithoutSeparator(documentsFolder_);
    if (folderId == 26)
        return FolderWithoutSeparator(dataFolder_);
    return "";
}

std::string LinuxSystemInfo::PathList() const {
    if (!pathList_.empty())
        return pathList_;
    const char* path = std::getenv("PATH");
    return path ? std::string(path) : std::string();
}

std::string LinuxSystemInfo::FirefoxPath() const {
    return FindProgramOnPath("firefox", PathList());
}

std::string LinuxSystemInfo::OperaPath() const {
    return FindProgramOnPath("opera", PathList());
}

MemoryFigures LinuxSystemInfo::Memory() const {
    return ParseMeminfo(ReadWholeStream(meminfoFile_));
}

} // namespace pw
