#include "framework/system_info.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace pw {
namespace {

using F = ThvOSFlag;

ThvOS_Version Version(OSPlatform platform, int major, int minor, std::string service = "") {
    OSVersionFacts facts;
    facts.Readable = true;
    facts.Platform = platform;
    facts.Major = major;
    facts.Minor = minor;
    facts.ServicePack = std::move(service);
    return ComputeOSVersion(facts);
}

const F kOrLater[] = {F::MEOrLater, F::NT4OrLater,   F::W2000OrLater,
                      F::XPOrLater, F::VistaOrLater, F::W7OrLater};

TEST(SystemInfo, UnreadableVersionIsPlainWindows) {
    ThvOS_Version v = ComputeOSVersion(OSVersionFacts{});
    EXPECT_EQ(v.Name, "Windows");
    EXPECT_TRUE(v.Has(F::Windows));
    EXPECT_EQ(v.Flags.count(), 1u);
}

TEST(SystemInfo, WindowsXp) {
    ThvOS_Version v = Version(OSPlatform::NT, 5, 1, "Service Pack 3");
    EXPECT_EQ(v.Name, "Windows XP");
    for (F f : {F::Windows, F::Win32, F::WinXP, F::MEOrLater, F::NT4OrLater, F::W2000OrLater,
                F::XPOrLater})
        EXPECT_TRUE(v.Has(f)) << static_cast<int>(f);
    EXPECT_FALSE(v.Has(F::VistaOrLater));
    EXPECT_FALSE(v.Has(F::W7OrLater));
    EXPECT_FALSE(v.Has(F::WinNewer));
}

TEST(SystemInfo, NewerVersionsHaveNoSuffixAndEveryOrLaterFlag) {
    for (auto [major, minor] : {std::pair{6, 2}, {5, 3}, {10, 0}, {7, 0}}) {
        ThvOS_Version v = Version(OSPlatform::NT, major, minor);
        EXPECT_EQ(v.Name, "Windows");
        EXPECT_TRUE(v.Has(F::WinNewer));
        for (F f : kOrLater)
            EXPECT_TRUE(v.Has(f)) << major << "." << minor;
    }
}

TEST(SystemInfo, NamedNtVersions) {
    EXPECT_EQ(Version(OSPlatform::NT, 5, 0).Name, "Windows 2000");
    EXPECT_EQ(Version(OSPlatform::NT, 5, 2).Name, "Windows 2003");
    EXPECT_EQ(Version(OSPlatform::NT, 6, 0).Name, "Windows Vista");
    ThvOS_Version seven = Version(OSPlatform::NT, 6, 1);
    EXPECT_EQ(seven.Name, "Windows 7");
    EXPECT_TRUE(seven.Has(F::W7OrLater));
    ThvOS_Version vista = Version(OSPlatform::NT, 6, 0);
    EXPECT_TRUE(vista.Has(F::VistaOrLater));
    EXPECT_FALSE(vista.Has(F::W7OrLater));
    ThvOS_Version nt3 = Version(OSPlatform::NT, 3, 51);
    EXPECT_EQ(nt3.Name, "Windows");
    EXPECT_TRUE(nt3.Has(F::Win32));
    EXPECT_FALSE(nt3.Has(F::MEOrLater));
}

TEST(SystemInfo, Nt4ServicePackMustMatchExactly) {
    ThvOS_Version sp6 = Version(OSPlatform::NT, 4, 0, "  Service Pack 6 ");
    EXPECT_EQ(sp6.Name, "Windows NT SP6");
    EXPECT_TRUE(sp6.Has(F::WinNT4SP6));
    ThvOS_Version sp6a = Version(OSPlatform::NT, 4, 0, "Service Pack 6a");
    EXPECT_EQ(sp6a.Name, "Windows NT");
    EXPECT_TRUE(sp6a.Has(F::WinNT4));
    EXPECT_FALSE(sp6a.Has(F::WinNT4SP6));
    EXPECT_TRUE(sp6a.Has(F::NT4OrLater));
    EXPECT_FALSE(sp6a.Has(F::W2000OrLater));
}

TEST(SystemInfo, NineXFamily) {
    ThvOS_Version osr2 = Version(OSPlatform::Win9x, 4, 0, " C ");
    EXPECT_EQ(osr2.Name, "Windows 95 OSR2");
    EXPECT_TRUE(osr2.Has(F::Win95OSR2));
    EXPECT_FALSE(osr2.Has(F::MEOrLater));
    EXPECT_EQ(Version(OSPlatform::Win9x, 4, 10, "A").Name, "Windows 98 SE");
    EXPECT_EQ(Version(OSPlatform::Win9x, 4, 10, "B").Name, "Windows 98");
    ThvOS_Version me = Version(OSPlatform::Win9x, 4, 90);
    EXPECT_EQ(me.Name, "Windows ME");
    EXPECT_TRUE(me.Has(F::MEOrLater));
    EXPECT_FALSE(me.Has(F::NT4OrLater));
    EXPECT_EQ(Version(OSPlatform::Win9x, 5, 0).Name, "Windows");
}

TEST(SystemInfo, Win32s) {
    ThvOS_Version v = Version(OSPlatform::Win32s, 1, 30);
    EXPECT_EQ(v.Name, "Windows Win32s");
    EXPECT_TRUE(v.Has(F::Win32s));
    EXPECT_FALSE(v.Has(F::Win32));
}

TEST(SystemInfo, OsReleaseName) {
    EXPECT_EQ(OsReleaseName("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 "
                            "(bookworm)\"\nID=debian\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(OsReleaseName("NAME=Fedora\n"), "Fedora");
    EXPECT_EQ(OsReleaseName("# c\nNAME='It\\'s'\n"), "It's");
    EXPECT_EQ(OsReleaseName(""), "");
}

TEST(SystemInfo, MeminfoFiguresAre64Bit) {
    MemoryFigures m = ParseMeminfo("MemTotal:       67108864 kB\n"
                                   "MemFree:         1000000 kB\n"
                                   "MemAvailable:   33554432 kB\n"
                                   "SwapTotal:       8388608 kB\n"
                                   "SwapFree:        4194304 kB\n");
    EXPECT_EQ(m.TotalPhysical, 68719476736ULL) << "64 GiB does not fit 32 bits";
    EXPECT_EQ(m.AvailablePhysical, 34359738368ULL);
    EXPECT_EQ(m.TotalVirtual, 68719476736ULL + 8589934592ULL);
    EXPECT_EQ(m.AvailableVirtual, 34359738368ULL + 4294967296ULL);
}

TEST(SystemInfo, MeminfoWithoutAvailableOrWithGarbage) {
    MemoryFigures m = ParseMeminfo("MemTotal: 1024 kB\nMemFree: 512 kB\n");
    EXPECT_EQ(m.AvailablePhysical, 512u * 1024u);
    MemoryFigures bad = ParseMeminfo("MemTotal: lots\nMemFree:\n:::\n"
                                     "SwapTotal: 99999999999999999999999 kB\n");
    EXPECT_EQ(bad.TotalPhysical, 0u);
    EXPECT_EQ(bad.AvailablePhysical, 0u);
}

TEST(SystemInfo, ProgramsAreFoundOnPath) {
    test::TempDir dir;
    std::string bin = dir.mkdir("bin");
    std::string fake = dir.write("bin/firefox", "#!/bin/sh\n");
    chmod(fake.c_str(), 0755);
    dir.write("other/opera", "not executable");
    dir.mkdir("dirs/opera");
    std::string pathList = "relative:" + dir.path() + "dirs:" + dir.path() + "other::" + bin;
    EXPECT_EQ(FindProgramOnPath("firefox", pathList), bin + "firefox");
    EXPECT_EQ(FindProgramOnPath("opera", pathList), "");
    EXPECT_EQ(FindProgramOnPath("../bin/firefox", pathList), "");

    LinuxSystemInfo info(dir.path() + "none", dir.path() + "none", pathList);
    EXPECT_EQ(info.FirefoxPath(), bin + "firefox");
    EXPECT_EQ(info.OperaPath(), "");
}

TEST(SystemInfo, ThisPlatformsAnswers) {
    test::TempDir dir;
    std::string release = dir.write("os-release", "PRETTY_NAME=\"Test OS 1\"\n");
    std::string meminfo = dir.write("meminfo", "MemTotal: 2048 kB\nMemAvailable: 1024 kB\n");
    std::string docs = dir.mkdir("Documents");
    LinuxSystemInfo info(release, meminfo, "/nonexistent", docs, dir.path() + "missing/");
    ThvOS_Version v = info.GetOSVersion();
    EXPECT_EQ(v.Name, "Test OS 1");
    for (F f : kOrLater)
        EXPECT_TRUE(v.Has(f));
    EXPECT_EQ(info.TotalPhysicalMemory(), 2048u * 1024u);
    EXPECT_EQ(info.AvailablePhysicalMemory(), 1024u * 1024u);
    EXPECT_EQ(info.WindowsFolder(), "");
    EXPECT_EQ(info.SystemFolder(), "");
    EXPECT_EQ(info.NotepadPath(), "");
    EXPECT_EQ(info.InternetExplorerPath(), "");
    EXPECT_EQ(info.SpecialFolderPath(5), dir.path() + "Documents");
    EXPECT_EQ(info.SpecialFolderPath(26), "") << "a folder that does not exist";
    EXPECT_EQ(info.SpecialFolderPath(36), "");
    EXPECT_EQ(LinuxSystemInfo(dir.path() + "none").GetOSVersion().Name, "Linux");
}

TEST(SystemInfo, RealProcFilesAreReadable) {
    LinuxSystemInfo info;
    EXPECT_GT(info.TotalPhysicalMemory(), 0u);
    EXPECT_FALSE(info.GetOSVersion().Name.empty());
}

} // namespace
} // namespace pw
