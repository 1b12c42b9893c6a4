#include "platform/theme_icon_source.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPixmap>
#include <functional>

namespace pw {

namespace {

constexpr int kSize = items::kIconSize;

QImage Render(const QIcon& icon) {
    if (icon.isNull()) {
        return {};
    }
    QImage image = icon.pixmap(QSize(kSize, kSize), 1.0).toImage();
    if (image.isNull()) {
        return {};
    }
    if (image.size() != QSize(kSize, kSize)) {
        image = image.scaled(kSize, kSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QIcon FromTheme(const QString& name, const QIcon& fallback = QIcon()) {
    if (name.isEmpty()) {
        return fallback;
    }
    return QIcon::fromTheme(name, fallback);
}

QMimeType TypeOf(const QString& path) {
    static const QMimeDatabase mimes;
    return mimes.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
}

QIcon ExecutableIcon() {
    return FromTheme(QStringLiteral("application-x-executable"),
                     FromTheme(QStringLiteral("application-x-executable-script")));
}

} // namespace

void PrepareIconTheme() {
    static bool prepared = false;
    if (prepared) {
        return;
    }
    prepared = true;
    QStringList paths = QIcon::themeSearchPaths();
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty()) {
        dataHome = QDir::homePath() + QLatin1String("/.local/share");
    }
    QStringList wanted{dataHome + QLatin1String("/icons"), QDir::homePath() + "/.icons"};
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) {
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    }
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        wanted.append(QDir::cleanPath(dir) + QLatin1String("/icons"));
    }
    wanted.append(QStringLiteral("/usr/share/icons"));
    for (const QString& path : wanted) {
        if (!paths.contains(path)) {
            paths.append(path);
        }
    }
    QIcon::setThemeSearchPaths(paths);
    QIcon::setFallbackThemeName(QStringLiteral("breeze"));
    const QString theme = QIcon::themeName();
    if (theme.isEmpty() || theme == QLatin1String("hicolor")) {
        QIcon::setThemeName(QStringLiteral("breeze"));
    }
}

// The theme is made ready at the first picture asked for: a start that shows only cached
// pictures never loads the theme's icon engines.
ThemeIconSource::ThemeIconSource() = default;

void ThemeIconSource::RebuildDesktopEntries() {
    entries_.Build(DesktopEntryIndex::ApplicationFolders());
}

QIcon ThemeIconSource::IconNamed(const QString& name) {
    if (QDir::isAbsolutePath(name)) {
        return QFileInfo(name).isFile() ? QIcon(name) : QIcon();
    }
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull() && name.contains(QLatin1Char('.'))) {
        // Some entries name a picture file ("app.png") where a theme name belongs.
        icon = QIcon::fromTheme(QFileInfo(name).completeBaseName());
    }
    return icon;
}

QIcon ThemeIconSource::IconForType(const QMimeType& mime) {
    QIcon unknown = FromTheme(QStringLiteral("unknown"));
    return FromTheme(mime.iconName(), FromTheme(mime.genericIconName(), unknown));
}

QImage ThemeIconSource::Cached(const QString& key, const std::function<QIcon()>& icon) {
    const auto found = images_.constFind(key);
    if (found != images_.constEnd()) {
        return found.value();
    }
    PrepareIconTheme();
    QImage image = Render(icon());
    images_.insert(key, image);
    return image;
}

QImage ThemeIconSource::SmallImage(const QString& path) {
    ++questions_;
    const QFileInfo info(path);
    if (info.isDir()) {
        return Cached(QStringLiteral("folder"), [] { return FromTheme(QStringLiteral("folder")); });
    }
    const QMimeType mime = TypeOf(path);
    if (info.isFile() && info.isExecutable()) {
        if (!entries_.IsBuilt()) {
            RebuildDesktopEntries();
        }
        const QString name = entries_.IconForProgram(info.absoluteFilePath());
        if (!name.isEmpty()) {
            QImage image = Cached(QLatin1String("entry:") + name, [&] { return IconNamed(name); });
            if (!image.isNull()) {
                return image;
            }
        }
        // A program without a telling extension gets the program icon; a script keeps its
        // type's icon.
        if (mime.isDefault()) {
            return Cached(QStringLiteral("program"), [] { return ExecutableIcon(); });
        }
    }
    return Cached(QLatin1String("type:") + mime.name(), [&] { return IconForType(mime); });
}

std::optional<items::Picture> ThemeIconSource::SmallIcon(const std::string& path) {
    const QImage image = SmallImage(QString::fromStdString(path));
    if (image.isNull()) {
        return std::nullopt;
    }
    return ToPicture(image);
}

std::optional<items::Picture> ThemeIconSource::NamedIcon(const std::string& name) {
    ++questions_;
    if (name.empty()) {
        return std::nullopt;
    }
    const QString icon = QString::fromStdString(name);
    const QImage image = Cached(QLatin1String("entry:") + icon, [&] { return IconNamed(icon); });
    if (image.isNull()) {
        return std::nullopt;
    }
    return ToPicture(image);
}

items::Picture ThemeIconSource::ToPicture(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    items::Picture picture(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            picture.Set(x, y, row[x]);
        }
    }
    return picture;
}

} // namespace pw
