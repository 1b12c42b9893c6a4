#pragma once
// The shell's small icons on this desktop: the icon theme's picture for the file's type (by
// extension), a folder picture for folders, and for program files the icon of the installed
// application entry that starts them, else the theme's program icon.

#include "items/icon_source.h"
#include "platform/desktop_entry_index.h"

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QMimeType>
#include <QString>
#include <functional>

namespace pw {

// Makes the icon theme usable wherever the program runs, under offscreen too: the theme
// folders of the XDG data folders on the search path, "breeze" as fallback theme, and as the
// theme itself when the platform named none. Once per process, before the first icon is asked
// of the theme; needs a QGuiApplication.
void PrepareIconTheme();

class ThemeIconSource : public items::IconSource {
public:
    ThemeIconSource();

    // 16 by 16 ARGB picture, nothing when the theme has no picture at all.
    std::optional<items::Picture> SmallIcon(const std::string& path) override;
    // The icon theme's picture of an application entry's Icon= value (a theme name, or the
    // absolute path of a picture file).
    std::optional<items::Picture> NamedIcon(const std::string& name) override;
    // The same as a 16 by 16 QImage in Format_ARGB32; null when none.
    QImage SmallImage(const QString& path);

    // The application entries are read at the first program asked for; a later call rebuilds
    // them (pictures already rendered stay).
    void RebuildDesktopEntries();
    int Questions() const { return questions_; }

    static items::Picture ToPicture(const QImage& image);

private:
    static QIcon IconNamed(const QString& name);
    static QIcon IconForType(const QMimeType& mime);
    // The rendered picture of key, rendering icon() the first time.
    QImage Cached(const QString& key, const std::function<QIcon()>& icon);

    DesktopEntryIndex entries_;
    QHash<QString, QImage> images_; // "type:" + MIME name, "entry:" + icon name, "folder"...
    int questions_ = 0;
};

} // namespace pw
