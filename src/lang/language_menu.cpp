#include "lang/language_menu.h"

#include <utility>
#include <vector>

#include "items/bitmap_file.h"
#include "util/folders.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_files.h"

namespace pw {

namespace {
constexpr items::Argb kFuchsia = 0xFFFF00FFu;

std::optional<items::Picture> FlagPicture(const std::string& folder, const std::string& culture) {
    for (const std::string& path :
         {folder + culture + ".bmp", folder + culture + "/" + culture + ".bmp"}) {
        if (!FileExists(path))
            continue;
        std::optional<items::Picture> picture = items::ReadBmpFile(path);
        if (!picture)
            return std::nullopt;
        for (items::Argb& px : picture->Pixels) {
            if ((px | 0xFF000000u) == kFuchsia)
                px = 0;
        }
        return picture;
    }
    return std::nullopt;
}
} // namespace

void BuildLanguageMenu(items::MenuItem& menu, const std::string& languagesFolder,
                       const std::string& currentCulture, items::ImageList* images,
                       const std::string& userLanguagesFolder) {
    menu.Clear();
    menu.Enabled = true;
    if (images)
        images->Clear();
    // The program folder's cultures, then those only the user's languages folder holds.
    std::vector<std::pair<std::string, std::string>> cultures; // culture, its languages folder
    for (const std::string& base : {languagesFolder, userLanguagesFolder}) {
        if (base.empty())
            continue;
        const std::string folder = IncludeTrailingSeparator(base);
        for (const std::string& culture : ListSubfolderNames(folder)) {
            bool known = false;
            for (const auto& c : cultures)
                known = known || SameText(c.first, culture);
            if (!known)
                cultures.emplace_back(culture, folder);
        }
    }
    for (const auto& [culture, folder] : cultures) {
        items::MenuItem entry;
        const std::string display = ReadUtf8TextFile(folder + culture + "/display.txt");
        if (images) {
            if (std::optional<items::Picture> flag = FlagPicture(folder, culture)) {
                if (!flag->Empty())
                    entry.ImageIndex = images->Append(
                        items::ScalePicture(*flag, images->Width(), images->Height()));
            }
        }
        entry.Caption = display.empty() ? culture : culture + " (" + display + ")";
        entry.RadioItem = true;
        entry.Action = items::MenuAction::SwitchLanguage;
        if (SameText(culture, currentCulture)) {
            entry.Checked = true;
            menu.Insert(0, std::move(entry));
            items::MenuItem separator;
            separator.Caption = "-";
            menu.Insert(1, std::move(separator));
        } else {
            menu.Add(std::move(entry));
        }
    }
    if (menu.Count() == 0) {
        menu.Add(items::MenuItem{});
        menu.Enabled = false;
    }
    if (menu.Count() > 1 && menu.Child(1)->Caption == "-")
        menu.Child(1)->Tag = items::kTagSeparator;
}

std::string CultureOfLanguageEntry(const std::string& caption) {
    std::string text = caption;
    StrDeleteChars(text, "&");
    return StrBefore(" ", text, true);
}

} // namespace pw
