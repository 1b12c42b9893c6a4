// The image lists: ranges, placeholders, shell icons and the tree band.
#include "items/type_icons.h"

#include <gtest/gtest.h>

#include "items/builtin_pictures.h"
#include "support/temp_dir.h"

namespace pw::items {
namespace {

// An icon source without any icon.
struct NoIcons : IconSource {
    std::optional<Picture> SmallIcon(const std::string&) override { return std::nullopt; }
};

// An icon source that gives 32 by 32 pictures of one colour.
struct BigIcons : IconSource {
    std::optional<Picture> SmallIcon(const std::string&) override {
        return Picture(32, 32, 0xFF336699u);
    }
};

TEST(ImageLists, ResetLeavesBuiltInsAndThreePlaceholders) {
    pw::test::TempDir tmp;
    PlainIconSource icons;
    ItemImages images(icons, tmp.path(), tmp.path());
    EXPECT_EQ(images.ilPublicPM.Count(), 26);
    EXPECT_EQ(images.ilPublicTV.Count(), 26);
    images.ilPublicPM.Append(Picture(16, 16));
    images.ilPublicTV.Append(Picture(16, 16));
    images.ilPublicPM.Tag = 5;
    images.TypeIconEnd = 40;
    images.ResetImageLists();
    EXPECT_EQ(images.ilPublicPM.Count(), 26);
    EXPECT_EQ(images.ilPublicTV.Count(), 26);
    EXPECT_EQ(images.TypeIconEnd, 23);
    EXPECT_EQ(images.ExtractBase, 24);
    EXPECT_EQ(images.ExtractEnd, 25);
    EXPECT_EQ(images.ilPublicPM.Tag, 0);
    EXPECT_EQ(images.ilPublicPM.At(0), BuiltinMenuPictures()[0]);
}

TEST(ImageLists, TypeIconsGoBeforeThePlaceholders) {
    pw::test::TempDir tmp;
    PlainIconSource icons;
    ItemImages images(icons, tmp.path() + "temp/", tmp.path());
    images.ResetImageLists();
    images.TypeList = {"pdf", "exe"};
    images.BuildTypeIcons();
    // pdf, exe, then the fixed types not yet present.
    EXPECT_EQ(images.TypeList.size(), 10u);
    EXPECT_EQ(images.TypeList[1], "exe");
    EXPECT_EQ(images.TypeList[2], "com");
    EXPECT_EQ(images.TypeIconEnd, 33);
    EXPECT_EQ(images.ExtractBase, 34);
    EXPECT_EQ(images.ExtractEnd, 35);
    EXPECT_EQ(images.ilPublicPM.Count(), 36);
    EXPECT_EQ(images.ilPublicTV.Count(), 36);
    EXPECT_EQ(images.TypeIconIndex("exe"), 24);
    EXPECT_EQ(images.TypeIconIndex("nope"), kImagePlaceholder);
    EXPECT_EQ(images.ilPublicPM.At(24).At(8, 8), PlainIconSource::ColourOf("exe"));
    // The three placeholders moved up together.
    EXPECT_EQ(images.ilPublicPM.At(33), images.ilBreaksPM.At(0));
    EXPECT_EQ(images.ilPublicPM.At(35), images.ilBreaksPM.At(2));
}

TEST(ImageLists, MissingShellIconGivesBlankPictures) {
    pw::test::TempDir tmp;
    NoIcons icons;
    ItemImages images(icons, tmp.path(), tmp.path());
    images.MenuColour = 0xFF010203u;
    images.TreeColour = 0xFF040506u;
    images.PrepareImageLists();
    images.ResetImageLists();
    images.BuildTypeIcons();
    EXPECT_EQ(images.ilPublicPM.At(23).At(0, 0), 0xFF010203u);
    EXPECT_EQ(images.ilPublicTV.At(23).At(0, 0), 0xFF040506u);
}

TEST(ImageLists, AddShellIconInsertsAppendsAndRequiresFiles) {
    pw::test::TempDir tmp;
    BigIcons icons;
    ItemImages images(icons, tmp.path(), tmp.path());
    images.ResetImageLists();
    EXPECT_FALSE(images.AddShellIcon(tmp.path() + "missing.exe", -1, true, false));
    EXPECT_EQ(images.ilPublicPM.Count(), 26);
    EXPECT_TRUE(images.AddShellIcon(tmp.path() + "missing.exe", -1, false, false));
    EXPECT_EQ(images.ilPublicPM.Count(), 27);
    EXPECT_EQ(images.ilPublicTV.Count(), 27);
    EXPECT_EQ(images.ilPublicPM.At(26).Width, 16); // scaled to the list's size
    EXPECT_EQ(images.ilPublicPM.At(26).At(3, 3), 0xFF336699u);
    EXPECT_TRUE(images.AddShellIcon(tmp.write("a.txt", "x"), 24, true, true));
    EXPECT_EQ(images.ilPublicPM.Count(), 28);
    EXPECT_EQ(images.ilPublicTV.Count(), 27); // menu only
}

TEST(ImageLists, TreePicturesSitInTheirBand) {
    pw::test::TempDir tmp;
    BigIcons icons;
    ItemImages images(icons, tmp.path(), tmp.path());
    images.TreeColour = 0xFFFFFFFFu;
    images.PrepareImageLists(20);
    EXPECT_EQ(images.ilPublicTV.Height(), 20);
    EXPECT_EQ(images.ilPublicTV.At(0).Height, 20);
    images.ResetImageLists();
    ASSERT_TRUE(images.AddShellIcon(tmp.write("a.exe", "x"), -1, false, false));
    const Picture& tree = images.ilPublicTV.At(26);
    EXPECT_EQ(tree.At(8, 1), 0xFFFFFFFFu); // above the band
    EXPECT_EQ(tree.At(8, 2), 0xFF336699u); // the band starts (20 - 16) / 2 rows down
    EXPECT_EQ(tree.At(8, 17), 0xFF336699u);
    EXPECT_EQ(tree.At(8, 18), 0xFFFFFFFFu);
}

TEST(ImageLists, ExecutableIconFromTheTargetWhenNoCacheFile) {
    pw::test::TempDir tmp;
    PlainIconSource icons;
    ItemImages images(icons, tmp.path(), tmp.path());
    images.ResetImageLists();
    EXPECT_EQ(images.LoadExecutableIcon(tmp.path() + "gone.bmp", tmp.path() + "gone.exe"), -1);
    const std::string target = tmp.write("tool.exe", "MZ");
    EXPECT_EQ(images.LoadExecutableIcon(tmp.path() + "gone.bmp", target), 25);
    EXPECT_EQ(images.LoadExecutableIcon("", target), 26);
    EXPECT_EQ(images.ExtractEnd, 27);
    EXPECT_EQ(images.ilPublicPM.Tag, 2);
    // The placeholder that closes the load range stays last.
    EXPECT_EQ(images.ilPublicPM.At(27), images.ilBreaksPM.At(2));
}

} // namespace
} // namespace pw::items
