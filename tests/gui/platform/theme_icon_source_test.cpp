// The desktop's icons: by file type from the icon theme, folders, and program files by the
// application entry that starts them, else the theme's program icon.
#include <QColor>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include "gui/platform/launch_test_support.h"
#include "platform/desktop_entry_index.h"
#include "platform/startup_environment.h"
#include "platform/theme_icon_source.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

bool HasVisiblePixels(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                return true;
            }
        }
    }
    return false;
}

bool IsSolid(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

class ThemeIconSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.Set("XDG_DATA_HOME", QByteArray::fromStdString(tmp.mkdir("home-data")));
        // The system folders stay: the MIME database lives there.
        env.Set("XDG_DATA_DIRS",
                QByteArray::fromStdString(tmp.mkdir("sys-data")) + ":/usr/local/share:/usr/share");
        env.Set("PATH", QByteArray::fromStdString(tmp.mkdir("bin")) + ":/usr/bin:/bin");
        CaptureStartupEnvironment();
    }
    std::string Picture(const std::string& name, QRgb colour) {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(colour);
        const std::string path = tmp.file(name);
        image.save(Q(path), "PNG");
        return path;
    }
    std::string Program(const std::string& relative) {
        const std::string path = tmp.write(relative, "#!/bin/sh\n");
        test::MakeExecutable(path);
        return path;
    }
    std::string Entry(const std::string& relative, const std::string& exec, const std::string& icon,
                      const std::string& extra = "") {
        return tmp.write(relative, "[Desktop Entry]\nType=Application\nName=Tool\nExec=" + exec +
                                       "\nIcon=" + icon + "\n" + extra +
                                       "[Desktop Action x]\nExec=other\nIcon=nothing\n");
    }

    test::TempDir tmp;
    test::EnvironmentGuard env;
};

TEST_F(ThemeIconSourceTest, FileTypesGetDifferentThemeIcons) {
    ThemeIconSource source;
    const QImage text = source.SmallImage(Q(tmp.path() + "readme.txt"));
    const QImage png = source.SmallImage(Q(tmp.path() + "photo.png"));
    const QImage folder = source.SmallImage(Q(tmp.mkdir("dir")));
    for (const QImage& image : {text, png, folder}) {
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_EQ(image.format(), QImage::Format_ARGB32);
        EXPECT_TRUE(HasVisiblePixels(image));
    }
    EXPECT_NE(text, png);
    EXPECT_NE(text, folder);
    // The same type gives the same picture, whether the file exists or not.
    EXPECT_EQ(source.SmallImage(Q(tmp.write("other.txt", "x"))), text);
    EXPECT_EQ(source.Questions(), 4);
}

TEST_F(ThemeIconSourceTest, SmallIconHasTheImagesPixels) {
    ThemeIconSource source;
    const QImage image = source.SmallImage(Q(tmp.path() + "a.png"));
    const std::optional<items::Picture> picture = source.SmallIcon(tmp.path() + "a.png");
    ASSERT_TRUE(picture.has_value());
    ASSERT_EQ(picture->Width, 16);
    ASSERT_EQ(picture->Height, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(picture->At(x, y), image.pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(ThemeIconSourceTest, ProgramGetsTheIconOfItsApplicationEntry) {
    const std::string program = Program("apps/my tool");
    const std::string red = Picture("red.png", qRgb(255, 0, 0));
    Entry("home-data/applications/vendor/tool.desktop", "env LANG=C \"" + program + "\" %U", red);

    ThemeIconSource source;
    const QImage icon = source.SmallImage(Q(program));
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(IsSolid(icon, qRgb(255, 0, 0)));

    // A program no entry names gets the theme's program icon.
    const QImage plain = source.SmallImage(Q(Program("apps/unlisted")));
    ASSERT_FALSE(plain.isNull());
    EXPECT_TRUE(HasVisiblePixels(plain));
    EXPECT_FALSE(IsSolid(plain, qRgb(255, 0, 0)));
    EXPECT_EQ(source.SmallImage(Q(Program("apps/unlisted-too"))), plain);
}

TEST_F(ThemeIconSourceTest, EarlierFolderHidesTheSameEntryAndHiddenEntriesCount) {
    const std::string program = Program("apps/tool");
    const std::string red = Picture("red.png", qRgb(255, 0, 0));
    const std::string blue = Picture("blue.png", qRgb(0, 0, 255));
    Entry("home-data/applications/tool.desktop", program, blue);
    Entry("sys-data/applications/tool.desktop", program, red);
    // Hidden in the user's folder: the system's entry of that id is gone as well.
    const std::string other = Program("apps/other");
    Entry("home-data/applications/gone.desktop", other, red, "Hidden=true\n");
    Entry("sys-data/applications/gone.desktop", other, red);

    ThemeIconSource source;
    EXPECT_TRUE(IsSolid(source.SmallImage(Q(program)), qRgb(0, 0, 255)));
    EXPECT_FALSE(IsSolid(source.SmallImage(Q(other)), qRgb(255, 0, 0)));
}

TEST_F(ThemeIconSourceTest, BareProgramNameCountsOnlyWhenPathLeadsThere) {
    const std::string onPath = Program("bin/pwtool");
    const std::string elsewhere = Program("private/pwtool");
    const std::string green = Picture("green.png", qRgb(0, 255, 0));
    Entry("sys-data/applications/pwtool.desktop", "pwtool --new-window", green);

    ThemeIconSource source;
    EXPECT_TRUE(IsSolid(source.SmallImage(Q(onPath)), qRgb(0, 255, 0)));
    EXPECT_FALSE(IsSolid(source.SmallImage(Q(elsewhere)), qRgb(0, 255, 0)));
}

TEST(DesktopExecProgram, FirstWordAfterEnvAndAssignments) {
    EXPECT_EQ(DesktopExecProgram("firefox %u"), "firefox");
    EXPECT_EQ(DesktopExecProgram("env A=1 B=2 /usr/bin/tool --x"), "/usr/bin/tool");
    EXPECT_EQ(DesktopExecProgram("\"/opt/my app/run\" %f"), "/opt/my app/run");
    EXPECT_EQ(DesktopExecProgram(""), "");
    EXPECT_EQ(DesktopExecProgram("env"), "");
}

TEST(DesktopEntryIndex, ReadsEveryFolderInOrder) {
    test::TempDir tmp;
    test::EnvironmentGuard env;
    env.Set("XDG_DATA_HOME", QByteArray::fromStdString(tmp.path() + "h"));
    env.Set("XDG_DATA_DIRS",
            QByteArray::fromStdString(tmp.path() + "a:relative:" + tmp.path() + "b/"));
    EXPECT_EQ(DesktopEntryIndex::ApplicationFolders(),
              (QStringList{Q(tmp.path() + "h/applications/"), Q(tmp.path() + "a/applications/"),
                           Q(tmp.path() + "b/applications/")}));
}

} // namespace
} // namespace pw
