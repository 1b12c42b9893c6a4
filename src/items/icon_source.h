#pragma once
// Where the shell's small icon of a file comes from. The desktop provides an implementation over
// its icon theme; PlainIconSource is a deterministic stand-in: a coloured square per file type.

#include <optional>
#include <string>

#include "items/picture.h"

namespace pw::items {

class IconSource {
public:
    virtual ~IconSource() = default;
    // The small icon (16 by 16, or a size the caller scales) of the file or folder at path,
    // which may or may not exist; nothing when the shell has no icon for it.
    virtual std::optional<Picture> SmallIcon(const std::string& path) = 0;
    // The small icon an application entry names by its Icon= value: a name of the icon theme or
    // the path of a picture file; nothing when there is no such icon (the default).
    virtual std::optional<Picture> NamedIcon(const std::string& name) {
        (void)name;
        return std::nullopt;
    }
};

// A 16 by 16 square with a one-pixel dark frame, its colour derived from the lower-case
// extension of the path (a folder, or a name without extension, has its own colour); a named
// icon is a square in the colour of "icon:" + its name. Counts the questions it is asked.
class PlainIconSource : public IconSource {
public:
    std::optional<Picture> SmallIcon(const std::string& path) override;
    std::optional<Picture> NamedIcon(const std::string& name) override;
    int Questions() const { return questions_; }

    // The fill colour the square of a type gets.
    static Argb ColourOf(const std::string& lowerExtension);

private:
    int questions_ = 0;
};

} // namespace pw::items
