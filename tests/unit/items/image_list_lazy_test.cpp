// Pictures inserted as loaders: made once, when first asked for, and kept in step with the
// other pictures of the list.
#include <gtest/gtest.h>

#include "items/image_list.h"

namespace pw::items {
namespace {

TEST(ImageListLazy, LoaderRunsOnceWhenThePictureIsFirstAskedFor) {
    ImageList list;
    list.Append(FilledPicture(16, 16, 0xFF000001u));
    int runs = 0;
    const int at = list.InsertLazy(-1, [&runs] {
        ++runs;
        return FilledPicture(16, 16, 0xFF000002u);
    });
    EXPECT_EQ(at, 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(list.At(1).At(0, 0), 0xFF000002u);
    EXPECT_EQ(list.At(1).At(15, 15), 0xFF000002u);
    EXPECT_EQ(runs, 1);
}

TEST(ImageListLazy, InsertingBeforeALoaderShiftsItWithItsPicture) {
    ImageList list;
    list.InsertLazy(-1, [] { return FilledPicture(16, 16, 0xFF0000AAu); });
    list.Insert(0, FilledPicture(16, 16, 0xFF0000BBu));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0).At(0, 0), 0xFF0000BBu);
    EXPECT_EQ(list.At(1).At(0, 0), 0xFF0000AAu);
}

TEST(ImageListLazy, TruncatedLoadersNeverRun) {
    ImageList list;
    list.Append(FilledPicture(16, 16, 0xFF000001u));
    bool ran = false;
    list.InsertLazy(-1, [&ran] {
        ran = true;
        return Picture();
    });
    list.Truncate(1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.At(1).Empty());
    list.Append(FilledPicture(16, 16, 0xFF000003u));
    EXPECT_EQ(list.At(1).At(0, 0), 0xFF000003u);
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace pw::items
