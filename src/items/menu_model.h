#pragma once
// The popup menu pmItems (and the built-in menu pmBasic) as plain data. The desktop menu is
// built from this model; nothing here draws.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "util/sparse_text.h"

namespace pw::items {

// Menu item tags with a fixed meaning.
inline constexpr int32_t kTagHeading = -100;
inline constexpr int32_t kTagSeparator = -200;
inline constexpr int32_t kTagHidden = -400;
inline constexpr int32_t kTagSideBar = -9999;
inline constexpr int32_t kTagSideBar2 = -8888;

// What a click on a menu item does.
enum class MenuAction : uint8_t {
    None,
    StartItem,      // a link: start the item whose id is the Tag
    HelpFile,       // the help viewer
    CheckUpdates,   // the check for updates window
    About,          // the About window
    VisitWebsite,   // the maker's web site base address
    VisitForums,    // the maker's forum
    OpenWebPage,    // the maker's web site base address followed by Url
    Preferences,    // the Preferences dialog
    ManageItems,    // the manager window
    CloseApp,       // ends the program
    SwitchLanguage, // an entry of the language submenu
};

// The texts that only built-in items have are sparse: a loaded tree holds many items.
struct MenuItem {
    SparseText Name; // the design name of a built-in item; empty for loaded items
    std::string Caption;
    SparseText Hint;
    SparseText ShortCut;
    int32_t ImageIndex = -1;
    int32_t Tag = 0;
    bool Visible = true;
    bool Default = false;
    bool Checked = false;   // not copied by CopyMenuTree
    bool RadioItem = false; // not copied by CopyMenuTree
    bool Enabled = true;    // not copied by CopyMenuTree
    MenuAction Action = MenuAction::None;
    SparseText Url;           // the page of an OpenWebPage entry (below the site's base address)
    SparseText SubMenuImages; // the image list of the submenu: "" (ilPublicPM) or "ilLingua"
    MenuItem* Parent = nullptr;
    std::vector<std::unique_ptr<MenuItem>> Children;

    // Inserts a new child at position index (clamped); returns it.
    MenuItem* Insert(int index, MenuItem item);
    MenuItem* Add(MenuItem item);
    void Clear() { Children.clear(); }
    int Count() const { return static_cast<int>(Children.size()); }
    MenuItem* Child(int i) const { return Children[static_cast<size_t>(i)].get(); }
    // The first item with this Name here or below; nullptr when none.
    MenuItem* Find(const std::string& name);
};

// Deep copy of a built-in menu item and everything below it into target: picture, submenu image
// list, caption, hint, shortcut, visibility, default flag, click action, tag; a named source
// gives the name + "__Copy". Check mark, radio grouping and enabled state are not copied. The
// target's children are replaced by copies of the source's children, in order.
void CopyMenuTree(const MenuItem& source, MenuItem& target);

} // namespace pw::items
