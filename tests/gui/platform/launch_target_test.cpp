// What the launcher makes of a path: programs, scripts, documents, addresses, missing files.
#include <gtest/gtest.h>

#include "gui/platform/launch_test_support.h"
#include "platform/launch_target.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

TEST(LaunchTarget, AddressesNeedASchemeOrWww) {
    EXPECT_TRUE(LooksLikeAddress("https://example.com"));
    EXPECT_TRUE(LooksLikeAddress("  \tWWW.example.com"));
    EXPECT_TRUE(LooksLikeAddress("mailto:a@b.c"));
    EXPECT_TRUE(LooksLikeAddress("news:comp.lang"));
    EXPECT_FALSE(LooksLikeAddress("C:/tools/app.exe"));
    EXPECT_FALSE(LooksLikeAddress("/home/user/file:with colon"));
    EXPECT_FALSE(LooksLikeAddress("example.com"));
    EXPECT_FALSE(LooksLikeAddress("1abc:x"));
    EXPECT_FALSE(LooksLikeAddress(""));
}

TEST(LaunchTarget, KindsOfExistingFiles) {
    test::TempDir tmp;
    const std::string program = tmp.write("prog", "#!/bin/sh\n");
    test::MakeExecutable(program);
    const std::string script = tmp.write("s.sh", "echo\n");
    const std::string doc = tmp.write("d.txt", "x");
    const std::string windows = tmp.write("setup.exe", "MZ");
    const std::string folder = tmp.mkdir("sub");

    EXPECT_EQ(ResolveLaunchTarget(Q(program), "").Kind, LaunchKind::Program);
    EXPECT_EQ(ResolveLaunchTarget(Q(script), "").Kind, LaunchKind::Script);
    EXPECT_EQ(ResolveLaunchTarget(Q(doc), "").Kind, LaunchKind::Document);
    // Without an execute bit a Windows program is left to the default handler.
    EXPECT_EQ(ResolveLaunchTarget(Q(windows), "").Kind, LaunchKind::Document);
    EXPECT_EQ(ResolveLaunchTarget(Q(folder), "").Kind, LaunchKind::Document);
    EXPECT_EQ(ResolveLaunchTarget(Q(tmp.path() + "missing"), "").Kind, LaunchKind::Missing);
    EXPECT_EQ(ResolveLaunchTarget("", "").Kind, LaunchKind::Missing);
}

TEST(LaunchTarget, RelativePathsResolveAgainstTheWorkingFolder) {
    test::TempDir tmp;
    const std::string program = tmp.write("tools/app", "#!/bin/sh\n");
    test::MakeExecutable(program);
    const LaunchTarget target = ResolveLaunchTarget("tools/app", Q(tmp.path()));
    EXPECT_EQ(target.Kind, LaunchKind::Program);
    EXPECT_EQ(target.Path.toStdString(), program);
}

TEST(LaunchTarget, ExistingFileWinsOverAnAddressLookingName) {
    test::TempDir tmp;
    const std::string odd = tmp.write("www.example.com", "x");
    const LaunchTarget local = ResolveLaunchTarget("www.example.com", Q(tmp.path()));
    EXPECT_EQ(local.Kind, LaunchKind::Document);
    EXPECT_EQ(local.Path.toStdString(), odd);

    const LaunchTarget web = ResolveLaunchTarget(" www.example.org", Q(tmp.path()));
    EXPECT_EQ(web.Kind, LaunchKind::Address);
    EXPECT_EQ(web.Path, "http://www.example.org");
}

} // namespace
} // namespace pw
