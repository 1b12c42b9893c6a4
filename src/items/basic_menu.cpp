#include "items/basic_menu.h"

namespace pw::items {

namespace {

MenuItem Entry(const char* name, const char* caption, int32_t tag, int32_t image,
               MenuAction action = MenuAction::None, bool visible = true) {
    MenuItem item;
    item.Name = name;
    item.Caption = caption;
    item.Tag = tag;
    item.ImageIndex = image;
    item.Action = action;
    item.Visible = visible;
    return item;
}

MenuItem Separator() {
    return Entry("", "-", kTagSeparator, -1);
}

MenuItem WebPage(const char* name, const char* caption, int32_t image, const char* page) {
    MenuItem item = Entry(name, caption, 0, image, MenuAction::OpenWebPage);
    item.Url = page;
    return item;
}

struct Product {
    const char* name;
    const char* caption;
    const char* page;
};

// The maker's other products, in the Tools submenu.
constexpr Product kProducts[] = {
    {"miTools_Quillmark", "Quillmark", "products/quillmark/"},
    {"miTools_Tallyweb", "Tallyweb", "products/tallyweb/"},
    {"miTools_Driftnote", "Driftnote", "products/driftnote/"},
    {"miTools_Cinderpad", "Cinderpad", "products/cinderpad/"},
    {"miTools_Lanternfile", "Lanternfile", "products/lanternfile/"},
    {"miTools_Marrowscan", "Marrowscan", "products/marrowscan/"},
};

} // namespace

std::unique_ptr<MenuItem> BuildBasicMenu() {
    auto owned = std::make_unique<MenuItem>();
    MenuItem& root = *owned;
    root.Name = "pmBasic";
    root.Tag = 0;

    root.Add(Entry("miSysMenuProgram", "Program", kTagHeading, -1));
    MenuItem* kit = root.Add(Entry("miPathwickKitFolder", "Pathwick menu", 10, -1));
    kit->Default = true;

    kit->Add(Entry("miPathwickKitBar", "Pathwick", kTagSideBar, -1, MenuAction::None, false));
    kit->Add(Entry("Hidden1", "Hidden", kTagHidden, -1, MenuAction::None, false));
    kit->Add(Entry("miSysMenuSystem", "System", kTagHeading, -1, MenuAction::None, false));
    kit->Add(Entry("miHelpFile", "Help...", 0, kImageHelp, MenuAction::HelpFile));
    kit->Add(Entry("miCheckUpdates", "Updates...", 0, kImageUpdates, MenuAction::CheckUpdates));
    kit->Add(Entry("miAbout", "About...", 0, -1, MenuAction::About));
    kit->Add(Separator());
    kit->Add(Entry("miVisitWebsite", "Visit website", 0, kImageWebsite, MenuAction::VisitWebsite));
    kit->Add(Entry("miVisitWebsiteForums", "Forums", 0, kImageForums, MenuAction::VisitForums));

    MenuItem* tools = kit->Add(Entry("MiTools", "Tools", 0, -1));
    tools->Add(WebPage("miTools_Pathwick", "Pathwick", kImageToolsPathwick, "products/pathwick/"));
    tools->Add(Separator());
    int image = kImageProductFirst;
    for (const Product& p : kProducts)
        tools->Add(WebPage(p.name, p.caption, image++, p.page));

    kit->Add(Separator());
    MenuItem* lingua = kit->Add(Entry("M_MI_Lingua", "Lingua", 0, -1));
    lingua->SubMenuImages = "ilLingua";
    kit->Add(
        Entry("miPreferences", "Preferences...", 0, kImagePreferences, MenuAction::Preferences));
    MenuItem* manage = kit->Add(
        Entry("miManageItems", "Manage items...", 0, kImageManage, MenuAction::ManageItems));
    manage->Default = true;
    kit->Add(Separator());
    kit->Add(Entry("miCloseApp", "Close", 0, -1, MenuAction::CloseApp));
    return owned;
}

} // namespace pw::items
