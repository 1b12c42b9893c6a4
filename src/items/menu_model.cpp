#include "items/menu_model.h"

#include <algorithm>

namespace pw::items {

MenuItem* MenuItem::Insert(int index, MenuItem item) {
    index = std::clamp(index, 0, Count());
    auto owned = std::make_unique<MenuItem>(std::move(item));
    owned->Parent = this;
    for (auto& child : owned->Children)
        child->Parent = owned.get();
    MenuItem* raw = owned.get();
    Children.insert(Children.begin() + index, std::move(owned));
    return raw;
}

MenuItem* MenuItem::Add(MenuItem item) {
    return Insert(Count(), std::move(item));
}

MenuItem* MenuItem::Find(const std::string& name) {
    if (Name == name)
        return this;
    for (auto& child : Children)
        if (MenuItem* found = child->Find(name))
            return found;
    return nullptr;
}

void CopyMenuTree(const MenuItem& source, MenuItem& target) {
    target.ImageIndex = source.ImageIndex;
    target.SubMenuImages = source.SubMenuImages;
    target.Caption = source.Caption;
    target.Hint = source.Hint;
    target.ShortCut = source.ShortCut;
    target.Visible = source.Visible;
    target.Default = source.Default;
    target.Action = source.Action;
    target.Url = source.Url;
    target.Tag = source.Tag;
    if (!source.Name.empty())
        target.Name = source.Name.str() + "__Copy";
    target.Children.clear();
    for (const auto& child : source.Children) {
        MenuItem* copy = target.Add(MenuItem{});
        CopyMenuTree(*child, *copy);
    }
}

} // namespace pw::items
