#include "framework/ui/form_base.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "framework/ui/data_module.h"
#include "framework/ui/picture_image.h"
#include "items/bitmap_file.h"

namespace pw {

bool CreatingMainWindow = false;

QString GetProgramTitle() {
    return QStringLiteral("Pathwick " PATHWICK_VERSION);
}

QIcon ProgramIcon() {
    ThvDataModuleGenericStruct* module = CurrentModule();
    const std::string folder = module ? module->Paths().ProgramFolder : std::string();
    // The same picture as a bitmap first: the image reader loads every image plugin of the
    // system (and the libraries behind them) before it reads any picture, even a PNG.
    if (std::optional<items::Picture> picture = items::ReadBmpFile(folder + "pathwick.bmp")) {
        const QImage image = PictureToImage(*picture);
        if (!image.isNull())
            return QIcon(QPixmap::fromImage(image));
    }
    const QImage picture(QString::fromStdString(folder + "pathwick.png"), "PNG");
    return picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
}

QFont ChooseFormFont(const StringArray& fontOverride, const QFont& iconFont,
                     const QStringList& installedFamilies) {
    QStringList candidates;
    auto addCandidate = [&](const QString& name) {
        if (!name.isEmpty() && !candidates.contains(name, Qt::CaseInsensitive))
            candidates << name;
    };
    for (const std::string& name : fontOverride)
        addCandidate(QString::fromStdString(StrTrim(name)));
    addCandidate(iconFont.family());

    QString chosen;
    for (const QString& candidate : candidates) {
        for (const QString& family : installedFamilies) {
            if (family.compare(candidate, Qt::CaseInsensitive) == 0) {
                chosen = family;
                break;
            }
        }
        if (!chosen.isEmpty())
            break;
    }
    // The icon font's family is what the desktop uses, installed or not.
    if (chosen.isEmpty())
        chosen = iconFont.family();

    QFont font(chosen);
    int size = iconFont.pointSize() > 0 ? iconFont.pointSize() : 9;
    if (chosen.compare("Segoe UI", Qt::CaseInsensitive) == 0 &&
        iconFont.family().compare("Segoe UI", Qt::CaseInsensitive) != 0 && size < 9)
        size = 9;
    font.setPointSize(size);
    return font;
}

QRect PlaceOnScreen(const QRect& bounds, const QRect& primaryScreen, const QRect& targetScreen) {
    const bool fits = bounds.left() >= 0 && bounds.top() >= 0 &&
                      bounds.top() + bounds.height() <= primaryScreen.height() &&
                      bounds.left() + bounds.width() <= primaryScreen.width();
    if (fits)
        return bounds;
    QRect centred = bounds;
    centred.moveCenter(targetScreen.center());
    return centred;
}

ThvFormGenericStruct::ThvFormGenericStruct(QWidget* parent) : QWidget(parent, Qt::Window) {}

void ThvFormGenericStruct::Construct() {
    InitFormBeforeLoad();
    CreateLayout();
    AfterLayoutLoaded();
    InitFormAfterLoad();
    FormCreate();
}

void ThvFormGenericStruct::InitFormBeforeLoad() {
    IsMainWindow = CreatingMainWindow;
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

void ThvFormGenericStruct::InitFormAfterLoad() {
    StringArray overrides;
    if (ThvDataModuleGenericStruct* module = CurrentModule())
        overrides = module->Paths().FontOverride;
    // Without an override the desktop's font is taken as it is: the list of installed families
    // (a walk over every font of the system) is read only to match an override.
    setFont(ChooseFormFont(overrides, QFontDatabase::systemFont(QFontDatabase::GeneralFont),
                           overrides.empty() ? QStringList() : QFontDatabase::families()));
}

int NearestScreen(const QRect& bounds, const QList<QRect>& screens) {
    const QPoint centre = bounds.center();
    int best = -1;
    qint64 bestDistance = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect& s = screens[i];
        const qint64 dx = centre.x() < s.left()    ? s.left() - centre.x()
                          : centre.x() > s.right() ? centre.x() - s.right()
                                                   : 0;
        const qint64 dy = centre.y() < s.top()      ? s.top() - centre.y()
                          : centre.y() > s.bottom() ? centre.y() - s.bottom()
                                                    : 0;
        const qint64 distance = dx * dx + dy * dy;
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

namespace {

QRect CentredOn(const QRect& bounds, const QRect& screen) {
    QRect centred = bounds;
    centred.moveCenter(screen.center());
    return centred;
}

QScreen* ScreenNearest(const QRect& bounds) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QList<QRect> areas;
    for (QScreen* screen : screens)
        areas << screen->geometry();
    const int index = NearestScreen(bounds, areas);
    return index < 0 ? QGuiApplication::primaryScreen() : screens[index];
}

} // namespace

void ThvFormGenericStruct::PrepareShow() {
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    QScreen* target = primary;
    if (!IsMainWindow) {
        if (ThvDataModuleGenericStruct* module = CurrentModule();
            module && module->MainForm && module->MainForm->screen())
            target = module->MainForm->screen();
    }
    const bool maximized = windowState() & Qt::WindowMaximized;
    const QRect bounds = maximized ? normalGeometry() : geometry();
    QRect placed = bounds;
    if (!PlacementStored) {
        // Nothing stored yet: the main window opens where the user is, the others over it.
        if (IsMainWindow)
            target = ScreenAtCursor();
        placed = CentredOn(bounds, target->availableGeometry());
    } else if (maximized) {
        // A maximized window stays maximized, on the screen its restored bounds belong to.
        QScreen* nearest = ScreenNearest(bounds);
        if (!nearest->geometry().contains(bounds))
            placed = CentredOn(bounds, nearest->availableGeometry());
    } else {
        placed = PlaceOnScreen(bounds, primary->geometry(), target->availableGeometry());
    }
    if (placed == bounds)
        return;
    if (maximized) {
        // The restored bounds change only while the window is not maximized.
        setWindowState(windowState() & ~Qt::WindowMaximized);
        setGeometry(placed);
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        move(placed.topLeft());
    }
}

QScreen* ScreenAtCursor() {
    if (QScreen* screen = QGuiApplication::screenAt(QCursor::pos()))
        return screen;
    return QGuiApplication::primaryScreen();
}

void ThvFormGenericStructEx::InitFormBeforeLoad() {
    ThvFormGenericStruct::InitFormBeforeLoad();
    module_ = CurrentModule();
    if (!module_)
        throw EhvPointerRefNotAssigned();
    RegisterMessageTexts();
}

void ThvFormGenericStructEx::InitFormAfterLoad() {
    ThvFormGenericStruct::InitFormAfterLoad();
    RegisterControlTexts();
    ApplyTranslation();
}

void ThvFormGenericStructEx::FormDestroy() {
    if (!module_)
        return;
    module_->SaveFormPlacement(this);
    module_->SaveFormMiscState(this);
    module_->FormDestroyed(this);
}

void ThvFormGenericStructEx::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted() || IsMainWindow || destroying_)
        return;
    destroying_ = true;
    FormDestroy();
    deleteLater();
}

void ThvFormFrontBase::UpdateTitle() {
    setWindowTitle(GetProgramTitle());
}

void ThvFormFrontBase::InitFormAfterLoad() {
    ThvFormGenericStructEx::InitFormAfterLoad();
    setWindowIcon(ProgramIcon());
    if (module_)
        module_->MainForm = this;
}

void ThvFormFrontBase::ShowFrontWindow() {
    // The desktop minimizes windows one by one; there is no application state to restore.
    if (isMinimized())
        showNormal();
    if (isHidden())
        show();
    raise();
    activateWindow();
}

} // namespace pw
