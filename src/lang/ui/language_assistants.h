#pragma once
// The translation composite and its assistants: they turn a window's controls, menu items,
// actions and the application object into keys of one scheme, and either register the designed
// text under that key or apply the current culture's text to the component.
//
// Sections: "StrsGui" + assistant prefix + form suffix; keys: component name + "." + property.
// Registering and applying go through one routine per component kind, so a window's
// ApplyTranslation visits exactly what its RegisterControlTexts registered.

#include <QList>
#include <QString>
#include <memory>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QStatusBar;
class QTabWidget;
class QWidget;

namespace pw {

class ThvlgLanguageController;
namespace items {
struct MenuItem;
}

enum class TranslateStep { Register, Apply };

class ThvlgLanguageAssistant {
public:
    ThvlgLanguageAssistant(ThvlgLanguageController& controller, std::string sectionPrefix)
        : controller_(controller), prefix_(std::move(sectionPrefix)) {}
    virtual ~ThvlgLanguageAssistant() = default;

protected:
    // Registers value under the key, or returns the culture's text for it (value as default).
    QString Text(TranslateStep step, const std::string& file, const std::string& formSuffix,
                 const QString& key, const QString& value) const;
    // The same for a shortcut: registered as its portable text; applied text that does not
    // parse gives no shortcut.
    QString ShortCut(TranslateStep step, const std::string& file, const std::string& formSuffix,
                     const QString& key, const QString& value) const;
    // Caption, hint and shortcut of an action.
    void Action(TranslateStep step, const std::string& file, const std::string& formSuffix,
                QAction* action) const;

    ThvlgLanguageController& controller_;
    std::string prefix_;
};

// "____Controls": windows, pages, labels, edit boxes, buttons, panels and other controls.
class ThvlgLanguageAssistantControls : public ThvlgLanguageAssistant {
public:
    explicit ThvlgLanguageAssistantControls(ThvlgLanguageController& c)
        : ThvlgLanguageAssistant(c, "____Controls") {}
    // The window's caption and hint.
    void Form(TranslateStep step, const std::string& file, const std::string& suffix,
              QWidget* form) const;
    // The caption of each page, in page order; the page control itself has no key.
    void PageControl(TranslateStep step, const std::string& file, const std::string& suffix,
                     QTabWidget* pages) const;
    // Caption only.
    void Label(TranslateStep step, const std::string& file, const std::string& suffix,
               QLabel* label) const;
    // Hint only.
    void Edit(TranslateStep step, const std::string& file, const std::string& suffix,
              QWidget* edit) const;
    // Caption and hint: buttons, radio buttons, check boxes, group boxes, panels.
    void Control(TranslateStep step, const std::string& file, const std::string& suffix,
                 QWidget* control) const;
    // The entries of a fixed list, under Name + ".Items", one entry per line; applied only when
    // the text holds as many entries as the list (the entries are told apart by position).
    void ComboItems(TranslateStep step, const std::string& file, const std::string& suffix,
                    QComboBox* list) const;
};

// "____ControlsHV": the default text of a status bar ("AutoHintDef").
class ThvlgLanguageAssistantControlsHV : public ThvlgLanguageAssistant {
public:
    explicit ThvlgLanguageAssistantControlsHV(ThvlgLanguageController& c)
        : ThvlgLanguageAssistant(c, "____ControlsHV") {}
    static constexpr const char* kAutoHintDefProperty = "AutoHintDef";
    void StatusBar(TranslateStep step, const std::string& file, const std::string& suffix,
                   QStatusBar* bar) const;
};

// "____Menus": caption, hint and shortcut of a menu item. A separator ("-") is skipped unless
// action-linked items are included and it is linked to an action.
class ThvlgLanguageAssistantMenus : public ThvlgLanguageAssistant {
public:
    explicit ThvlgLanguageAssistantMenus(ThvlgLanguageController& c)
        : ThvlgLanguageAssistant(c, "____Menus") {}
    void MenuItem(TranslateStep step, const std::string& file, const std::string& suffix,
                  items::MenuItem& item, bool includeActionLinked) const;
    void MenuAction(TranslateStep step, const std::string& file, const std::string& suffix,
                    QAction* action, bool includeActionLinked) const;
};

// "____Actions": caption, hint and shortcut of every action of a list, in order.
class ThvlgLanguageAssistantActions : public ThvlgLanguageAssistant {
public:
    explicit ThvlgLanguageAssistantActions(ThvlgLanguageController& c)
        : ThvlgLanguageAssistant(c, "____Actions") {}
    void ActionList(TranslateStep step, const std::string& file, const std::string& suffix,
                    const QList<QAction*>& actions) const;
};

// "____Application": the application's text direction, "Application.BiDiMode".
class ThvlgLanguageAssistantApplication : public ThvlgLanguageAssistant {
public:
    explicit ThvlgLanguageAssistantApplication(ThvlgLanguageController& c)
        : ThvlgLanguageAssistant(c, "____Application") {}
    void Application(TranslateStep step, const std::string& file, const std::string& suffix) const;
    // "LeftToRight", "RightToLeft", "RightToLeftNoAlign", "RightToLeftReadingOnly": true for the
    // right-to-left ones; anything else is left to right.
    static bool IsRightToLeft(const QString& mode);
};

class ThvlgLanguageComposite {
public:
    ThvlgLanguageComposite();
    virtual ~ThvlgLanguageComposite();
    ThvlgLanguageController& Controller() { return *controller_; }

private:
    std::unique_ptr<ThvlgLanguageController> controller_;
};

class ThvlgLanguageCompositeAll : public ThvlgLanguageComposite {
public:
    ThvlgLanguageCompositeAll();
    ThvlgLanguageAssistantApplication AssistantApplication;
    ThvlgLanguageAssistantActions AssistantActions;
    ThvlgLanguageAssistantMenus AssistantMenus;
    ThvlgLanguageAssistantControls AssistantControls;
};

class ThvlgLanguageCompositeAllEx : public ThvlgLanguageCompositeAll {
public:
    ThvlgLanguageCompositeAllEx();
    ThvlgLanguageAssistantControlsHV AssistantControlsHV;
};

} // namespace pw
