// The form base: construction order, font choice, placement rule and the persistence of window
// placement and state in the options file.
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QScreen>
#include <QSplitter>
#include <cstdlib>
#include <gtest/gtest.h>

#include "framework/options_file.h"
#include "framework/ui/data_module.h"
#include "framework/ui/picture_image.h"
#include "items/bitmap_file.h"
#include "manager/form_front.h"
#include "support/gui/module_fixture.h"

namespace pw {
namespace {

std::vector<std::string> gCalls;

class RecordingForm : public ThvFormGenericStructEx {
public:
    RecordingForm() { setObjectName("hvFormRecording"); }
    void InitFormBeforeLoad() override {
        gCalls.push_back("InitFormBeforeLoad");
        ThvFormGenericStructEx::InitFormBeforeLoad();
    }
    void AfterLayoutLoaded() override { gCalls.push_back("AfterLayoutLoaded"); }
    void InitFormAfterLoad() override {
        gCalls.push_back("InitFormAfterLoad");
        ThvFormGenericStructEx::InitFormAfterLoad();
    }
    void RegisterMessageTexts() override { gCalls.push_back("RegisterMessageTexts"); }
    void RegisterControlTexts() override { gCalls.push_back("RegisterControlTexts"); }
    void ApplyTranslation() override { gCalls.push_back("ApplyTranslation"); }

protected:
    void CreateLayout() override { gCalls.push_back("CreateLayout"); }
    void FormCreate() override { gCalls.push_back("FormCreate"); }
};

TEST(FormBase, AWindowCannotBeConstructedWithoutTheApplicationModule) {
    ASSERT_EQ(CurrentModule(), nullptr);
    RecordingForm form;
    EXPECT_THROW(form.Construct(), EhvPointerRefNotAssigned);
}

TEST(FormFont, FirstInstalledCandidateWinsAndSegoeUiIsAtLeastNinePoints) {
    QFont icon("Icon Sans");
    icon.setPointSize(8);
    const QStringList installed = {"DejaVu Sans", "segoe ui", "Icon Sans"};
    QFont f = ChooseFormFont({"Not Installed", "DejaVu Sans"}, icon, installed);
    EXPECT_EQ(f.family(), "DejaVu Sans");
    EXPECT_EQ(f.pointSize(), 8);
    // "Segoe UI" over an 8-point icon font of another name becomes 9 points.
    f = ChooseFormFont({"Segoe UI"}, icon, installed);
    EXPECT_EQ(f.family(), "segoe ui");
    EXPECT_EQ(f.pointSize(), 9);
    // With "Segoe UI" as the icon font itself the size stays.
    QFont segoe("Segoe UI");
    segoe.setPointSize(8);
    EXPECT_EQ(ChooseFormFont({}, segoe, installed).pointSize(), 8);
    // No candidate installed: the icon font's family still serves.
    EXPECT_EQ(ChooseFormFont({"Nothing"}, QFont("Unknown Face"), installed).family(),
              "Unknown Face");
}

// The window icon is read from pathwick.bmp (no image plugin to load); pathwick.png is the
// picture the desktop and the installer use. The two must show the same pixels.
TEST(FormBase, TheProgramBitmapHoldsTheProgramPicture) {
    const std::string data = std::string(PATHWICK_SOURCE_DIR) + "/data/";
    const QImage png = QImage(QString::fromStdString(data + "pathwick.png"))
                           .convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(png.isNull());
    items::Picture expected(png.width(), png.height());
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x)
            expected.Set(x, y, png.pixel(x, y));
    const std::optional<items::Picture> bmp = items::ReadBmpFile(data + "pathwick.bmp");
    ASSERT_TRUE(bmp.has_value());
    if (*bmp != expected) {
        const std::string fresh = QDir::temp().filePath("pathwick.bmp").toStdString();
        ASSERT_TRUE(items::WriteBmpFile(fresh, expected));
        FAIL() << "data/pathwick.bmp is out of date with data/pathwick.png: copy " << fresh
               << " to data/";
    }
    EXPECT_EQ(PictureToImage(*bmp), png);
}

TEST(FormPlacement, PositionsOffTheScreenAreCentred) {
    const QRect screen(0, 0, 1280, 1024);
    EXPECT_EQ(PlaceOnScreen(QRect(10, 20, 300, 200), screen, screen), QRect(10, 20, 300, 200));
    const QRect placed = PlaceOnScreen(QRect(-4, 20, 300, 200), screen, screen);
    EXPECT_EQ(placed.size(), QSize(300, 200));
    EXPECT_EQ(placed.center(), screen.center());
    EXPECT_NE(PlaceOnScreen(QRect(1000, 900, 300, 200), screen, screen).topLeft(),
              QPoint(1000, 900));
}

TEST(FormPlacement, TheNearestScreenHoldsTheCentreOrIsClosestToIt) {
    const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
    EXPECT_EQ(NearestScreen(QRect(1400, 100, 300, 300), screens), 1);
    EXPECT_EQ(NearestScreen(QRect(-5000, -5000, 700, 650), screens), 0);
    EXPECT_EQ(NearestScreen(QRect(9000, 400, 700, 650), screens), 1);
    EXPECT_EQ(NearestScreen(QRect(400, 2000, 300, 300), screens), 0);
    EXPECT_EQ(NearestScreen(QRect(0, 0, 10, 10), {}), -1);
}

class FormBaseModuleTest : public test::ModuleFixture {};

TEST_F(FormBaseModuleTest, MaximizedWindowWithLostBoundsOpensMaximizedOnAScreen) {
    // First start: nothing stored, so the manager opens centred, not in the screen's corner.
    StartModule();
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->availableGeometry();
    const QRect first = module->MainForm->geometry();
    EXPECT_LE(std::abs(first.center().x() - area.center().x()), 1) << first.x();
    EXPECT_LE(std::abs(first.center().y() - area.center().y()), 1) << first.y();
    StopModule();

    // Stored maximized with restored bounds on a screen that is no longer there.
    const std::string options = dataFolder + "config/options.ini";
    IniDocument ini = LoadOptionsDocument(options, {});
    ini.WriteInteger("FormFront", "WindowState", 2);
    ini.WriteInteger("FormFront", "Left", -5000);
    ini.WriteInteger("FormFront", "Top", 3000);
    ini.WriteInteger("FormFront", "Width", 700);
    ini.WriteInteger("FormFront", "Height", 650);
    ASSERT_TRUE(SaveOptionsDocument(ini, options, {}));
    StartModule();
    auto* front = static_cast<ThvFormFrontBase*>(module->MainForm.data());
    EXPECT_TRUE(front->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(front->normalGeometry().size(), QSize(700, 650));
    EXPECT_TRUE(screen->geometry().contains(front->normalGeometry().center()))
        << front->normalGeometry().x() << "," << front->normalGeometry().y();
    front->ShowFrontWindow();
    ProcessEvents();
    EXPECT_TRUE(front->isMaximized());
}

TEST_F(FormBaseModuleTest, HooksRunInTheirOrder) {
    StartModule();
    gCalls.clear();
    std::unique_ptr<RecordingForm> form(CreateForm<RecordingForm>());
    const std::vector<std::string> expected = {
        "InitFormBeforeLoad", "RegisterMessageTexts", "CreateLayout",     "AfterLayoutLoaded",
        "InitFormAfterLoad",  "RegisterControlTexts", "ApplyTranslation", "FormCreate"};
    EXPECT_EQ(gCalls, expected);
    EXPECT_FALSE(form->IsMainWindow);
    EXPECT_TRUE(module->MainForm->IsMainWindow);
}

TEST_F(FormBaseModuleTest, OpenFormKeepsOneWindowPerSlotAndClosingFreesIt) {
    StartModule();
    int made = 0;
    const FormFactory factory = [&made] {
        ++made;
        return CreateForm<RecordingForm>();
    };
    module->OpenForm(module->AboutForm, factory, false, true);
    module->OpenForm(module->AboutForm, factory, false, true);
    EXPECT_EQ(made, 1);
    ASSERT_TRUE(module->AboutForm);
    EXPECT_TRUE(module->AboutForm->isVisible());
    module->AboutForm->setGeometry(40, 50, 320, 240);

    // Closing frees the window, clears its variable and keeps its placement.
    module->AboutForm->close();
    ProcessEvents();
    EXPECT_FALSE(module->AboutForm);
    StopModule();
    const IniDocument ini = LoadOptionsDocument(dataFolder + "config/options.ini", {});
    EXPECT_EQ(ini.ReadInteger("hvFormRecording", "Left", -1), 40);
    EXPECT_EQ(ini.ReadInteger("hvFormRecording", "Top", -1), 50);
}

TEST_F(FormBaseModuleTest, DestroyingTheMainWindowClosesTheOtherWindows) {
    StartModule();
    module->OpenForm(
        module->HelpViewerForm, [] { return CreateForm<RecordingForm>(); }, false, false);
    ASSERT_TRUE(module->HelpViewerForm);
    module->FormDestroyed(module->MainForm.data());
    ProcessEvents();
    EXPECT_TRUE(module->MainWindowClosing);
    EXPECT_FALSE(module->HelpViewerForm);
    EXPECT_FALSE(module->MainForm);
}

TEST_F(FormBaseModuleTest, MainWindowPlacementAndPanelWidthSurviveARestart) {
    StartModule();
    auto* front = qobject_cast<TFormFront*>(module->MainForm.data());
    ASSERT_NE(front, nullptr);
    front->setGeometry(100, 120, 700, 650);
    front->showMaximized();
    ProcessEvents();
    StopModule();

    const std::string options = dataFolder + "config/options.ini";
    const IniDocument ini = LoadOptionsDocument(options, {});
    EXPECT_EQ(ini.ReadInteger("FormFront", "WindowState", -1), 2);
    EXPECT_EQ(ini.ReadInteger("FormFront", "Width", -1), 700);
    EXPECT_EQ(ini.ReadInteger("FormFront", "Height", -1), 650);
    EXPECT_EQ(ini.ReadInteger("FormFront", "Left", -1), 100);
    EXPECT_GE(ini.ReadInteger("FormFront", "PanelSide.Width", -1), 150);

    StartModule();
    front = qobject_cast<TFormFront*>(module->MainForm.data());
    ASSERT_NE(front, nullptr);
    EXPECT_TRUE(front->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(front->normalGeometry().size(), QSize(700, 650));
}

TEST_F(FormBaseModuleTest, MinimizedWindowIsStoredAsNormalAndSavingFollowsTheOption) {
    StartModule();
    module->MainForm->showMinimized();
    ProcessEvents();
    StopModule();
    const std::string options = dataFolder + "config/options.ini";
    EXPECT_EQ(LoadOptionsDocument(options, {}).ReadInteger("FormFront", "WindowState", -1), 0);

    // With "SaveWindowsSetup" off nothing is written, but what the file holds is still read.
    IniDocument ini = LoadOptionsDocument(options, {});
    ini.WriteBool("ProgramOptions.Visuals", "SaveWindowsSetup", false);
    ini.WriteInteger("FormFront", "Width", 777);
    ASSERT_TRUE(SaveOptionsDocument(ini, options, {}));
    StartModule();
    EXPECT_EQ(module->MainForm->normalGeometry().width(), 777);
    module->MainForm->resize(600, 640);
    StopModule();
    EXPECT_EQ(LoadOptionsDocument(options, {}).ReadInteger("FormFront", "Width", -1), 777);
}

} // namespace
} // namespace pw
