#pragma once
// The form base every window of the program derives from: one construction order, one font
// choice, one placement rule, the translation hooks and the state hooks.
//
//   ThvFormGenericStruct      the hooks and the construction order
//   ThvFormGenericStructEx    + the application module, the translation hooks run at creation
//   ThvFormFrontBase          + program title, icon and ShowFrontWindow, for the main window
//
// C++ calls no overrides from a constructor, so a window is made in two steps: the constructor
// builds nothing, and Construct() runs the whole sequence with every override in place. The
// application module does both (see CreateForm).

#include <QIcon>
#include <QWidget>
#include <stdexcept>
#include <string>

#include "util/strings.h"

class QScreen;

namespace pw {

class ThvDataModuleGenericStruct;

// Raised when a window is constructed while no application module exists.
class EhvPointerRefNotAssigned : public std::runtime_error {
public:
    EhvPointerRefNotAssigned() : std::runtime_error("") {}
};

// True only while the application module constructs the main window.
extern bool CreatingMainWindow;

class ThvFormGenericStruct : public QWidget {
    Q_OBJECT
public:
    explicit ThvFormGenericStruct(QWidget* parent = nullptr);

    // The construction sequence: InitFormBeforeLoad, CreateLayout (the window's designed
    // contents), AfterLayoutLoaded, InitFormAfterLoad, and last the window's FormCreate.
    void Construct();

    bool IsMainWindow = false;
    // The options file held a position for this window when its placement was loaded.
    bool PlacementStored = false;

    // The hooks, in their order.
    virtual void InitFormBeforeLoad();
    virtual void AfterLayoutLoaded() {}
    virtual void UpdateTitle() {}
    virtual void InitFormAfterLoad();
    virtual void StartupComplete() {}
    virtual void PrepareShow();
    virtual void SaveMiscState(const std::string& iniPath) { (void)iniPath; }
    virtual void LoadMiscState(const std::string& iniPath) { (void)iniPath; }
    virtual void ApplyTranslation() {}
    virtual void RegisterMessageTexts() {}
    virtual void RegisterControlTexts() {}

    // The section of the options file that holds this window's placement and state.
    QString ComponentName() const { return objectName(); }

protected:
    // Builds the window's controls; the designed texts are English.
    virtual void CreateLayout() {}
    // The window's own creation handler, run after the whole construction.
    virtual void FormCreate() {}
};

class ThvFormGenericStructEx : public ThvFormGenericStruct {
    Q_OBJECT
public:
    using ThvFormGenericStruct::ThvFormGenericStruct;

    void InitFormBeforeLoad() override;
    void InitFormAfterLoad() override;

    ThvDataModuleGenericStruct* Module() const { return module_; }

    // The destroy sequence: placement, miscellaneous state, then the module forgets the window.
    virtual void FormDestroy();

protected:
    // A window opened on demand is freed when it closes.
    void closeEvent(QCloseEvent* event) override;

protected:
    ThvDataModuleGenericStruct* module_ = nullptr;

private:
    bool destroying_ = false;
};

class ThvFormFrontBase : public ThvFormGenericStructEx {
    Q_OBJECT
public:
    using ThvFormGenericStructEx::ThvFormGenericStructEx;

    void UpdateTitle() override;
    void InitFormAfterLoad() override;
    // Brings the main window up: restores it when minimized, shows it when
    // hidden, and raises and activates it.
    virtual void ShowFrontWindow();

protected:
    virtual void FrontBaseActivate() {}
    virtual void FrontBaseShow() {}
    virtual void FrontBaseHide() {}
};

// The screen under the mouse pointer, else the primary screen.
QScreen* ScreenAtCursor();

// "Pathwick 1.9.4".
QString GetProgramTitle();
// The program's icon, "pathwick.bmp" in the program folder (else the same picture as
// "pathwick.png").
QIcon ProgramIcon();

// The font a window takes: the first installed of the override names and the icon font's
// name (letter case ignored), at the icon font's size; "Segoe UI" chosen over an icon font of
// another name is at least 9 points.
QFont ChooseFormFont(const StringArray& fontOverride, const QFont& iconFont,
                     const QStringList& installedFamilies);

// Centres a window on the screen unless its bounds lie wholly on the primary screen.
QRect PlaceOnScreen(const QRect& bounds, const QRect& primaryScreen, const QRect& targetScreen);
// The index of the screen that holds the centre of bounds, else of the screen closest to it;
// -1 without screens.
int NearestScreen(const QRect& bounds, const QList<QRect>& screens);

} // namespace pw
