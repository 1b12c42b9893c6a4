#pragma once
// System information: the operating system's version as a name and a set of flags, the
// browsers and editor found on the machine, and its memory figures (64-bit, in bytes).

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

enum class ThvOSFlag {
    Windows,
    Win32s,
    Win32,
    Win95,
    Win95OSR2,
    Win98,
    Win98SE,
    WinME,
    WinNT4,
    WinNT4SP6,
    Win2000,
    WinXP,
    Win2003,
    WinVista,
    Win7,
    WinNewer,
    MEOrLater,
    NT4OrLater,
    W2000OrLater,
    XPOrLater,
    VistaOrLater,
    W7OrLater,
    Count
};

struct ThvOS_Version {
    std::string Name = "Windows";
    std::bitset<static_cast<size_t>(ThvOSFlag::Count)> Flags;

    bool Has(ThvOSFlag flag) const { return Flags.test(static_cast<size_t>(flag)); }
    void Set(ThvOSFlag flag) { Flags.set(static_cast<size_t>(flag)); }
};

enum class OSPlatform { Win32s, Win9x, NT };

// The version facts the platform reports.
struct OSVersionFacts {
    bool Readable = false; // false: nothing could be read
    OSPlatform Platform = OSPlatform::NT;
    int Major = 0;
    int Minor = 0;
    std::string ServicePack; // trimmed before it is compared
};

// The version name and flags that follow from the facts.
ThvOS_Version ComputeOSVersion(const OSVersionFacts& facts);
// The facts that stand for this platform: a current system, newer than every named version,
// so that every "OrLater" flag is set.
OSVersionFacts CurrentSystemFacts();

// The display name in the text of an os-release file: PRETTY_NAME, else NAME, else "".
std::string OsReleaseName(std::string_view text);

struct MemoryFigures {
    uint64_t TotalPhysical = 0;
    uint64_t AvailablePhysical = 0;
    uint64_t TotalVirtual = 0;     // physical memory and swap
    uint64_t AvailableVirtual = 0; // available physical memory and free swap
};
// The figures in the text of /proc/meminfo (kB values turned into bytes); MemAvailable, or
// MemFree where the kernel does not report it. Figures missing or unreadable are 0.
MemoryFigures ParseMeminfo(std::string_view text);

// The first folder of a PATH-style list holding an executable regular file of that name;
// "" when none does.
std::string FindProgramOnPath(std::string_view program, std::string_view pathList);

// The queries. Each reads the platform once per call and keeps no state; failures give "" or 0.
class ThvSystemInfo {
public:
    virtual ~ThvSystemInfo() = default;
    virtual ThvOS_Version GetOSVersion() const = 0;
    virtual std::string WindowsFolder() const = 0;
    virtual std::string SystemFolder() const = 0;
    // 5: the documents folder; 26: the application data folder (without trailing "/").
    virtual std::string SpecialFolderPath(int folderId) const = 0;
    virtual std::string FirefoxPath() const = 0;
    virtual std::string OperaPath() const = 0;
    virtual std::string InternetExplorerPath() const = 0;
    virtual std::string NotepadPath() const = 0;
    virtual std::string InternetUserAgent() const = 0;
    virtual uint64_t TotalPhysicalMemory() const = 0;
    virtual uint64_t AvailablePhysicalMemory() const = 0;
    virtual uint64_t TotalVirtualMemory() const = 0;
    virtual uint64_t AvailableVirtualMemory() const = 0;
    virtual void DisableWindowGhosting() const = 0;
};

// This platform's answers: the name from os-release, every "OrLater" flag, browsers on PATH,
// memory from /proc/meminfo, no Windows folders, no editor, no user agent of its own.
class LinuxSystemInfo : public ThvSystemInfo {
public:
    // The files and the PATH list are parameters so tests can point them elsewhere; an empty
    // pathList means the process's PATH.
    LinuxSystemInfo(std::string osReleaseFile = "/etc/os-release",
                    std::string meminfoFile = "/proc/meminfo", std::string pathList = "",
                    std::string documentsFolder = "", std::string dataFolder = "");

    ThvOS_Version GetOSVersion() const override;
    std::string WindowsFolder() const override { return ""; }
    std::string SystemFolder() const override { return ""; }
    std::string SpecialFolderPath(int folderId) const override;
    std::string FirefoxPath() const override;
    std::string OperaPath() const override;
    std::string InternetExplorerPath() const override { return ""; }
    std::string NotepadPath() const override { return ""; }
    std::string InternetUserAgent() const override { return ""; }
    uint64_t TotalPhysicalMemory() const override { return Memory().TotalPhysical; }
    uint64_t AvailablePhysicalMemory() const override { return Memory().AvailablePhysical; }
    uint64_t TotalVirtualMemory() const override { return Memory().TotalVirtual; }
    uint64_t AvailableVirtualMemory() const override { return Memory().AvailableVirtual; }
    void DisableWindowGhosting() const override {}

private:
    MemoryFigures Memory() const;
    std::string PathList() const;

    std::string osReleaseFile_;
    std::string meminfoFile_;
    std::string pathList_;
    std::string documentsFolder_;
    std::string dataFolder_;
};

} // namespace pw
