#include "lang/ui/language_assistants.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>

#include "items/menu_model.h"
#include "lang/language_controller.h"

namespace pw {

namespace {
std::string Utf8(const QString& s) {
    return s.toStdString();
}
QString FromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

// The caption property of a control: what the user reads on it.
QString CaptionOf(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    return w->windowTitle();
}
void SetCaptionOf(QWidget* w, const QString& text) {
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else
        w->setWindowTitle(text);
}
} // namespace

QString ThvlgLanguageAssistant::Text(TranslateStep step, const std::string& file,
                                     const std::string& formSuffix, const QString& key,
                                     const QString& value) const {
    const std::string section = prefix_ + formSuffix;
    if (step == TranslateStep::Register) {
        controller_.RegisterGuiString(file, section, Utf8(key), Utf8(value));
        return value;
    }
    return FromUtf8(controller_.GetGuiString(file, section, Utf8(key), Utf8(value)));
}

QString ThvlgLanguageAssistant::ShortCut(TranslateStep step, const std::string& file,
                                         const std::string& formSuffix, const QString& key,
                                         const QString& value) const {
    const QString text = Text(step, file, formSuffix, key, value);
    if (step == TranslateStep::Register)
        return value;
    const QKeySequence seq = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (seq.isEmpty() || seq[0].key() == Qt::Key_unknown)
        return {};
    return seq.toString(QKeySequence::PortableText);
}

void ThvlgLanguageAssistantControls::Form(TranslateStep step, const std::string& file,
                                          const std::string& suffix, QWidget* form) const {
    const QString name = form->objectName();
    form->setWindowTitle(Text(step, file, suffix, name + ".Caption", form->windowTitle()));
    form->setToolTip(Text(step, file, suffix, name + ".Hint", form->toolTip()));
}

void ThvlgLanguageAssistantControls::PageControl(TranslateStep step, const std::string& file,
                                                 const std::string& suffix,
                                                 QTabWidget* pages) const {
    for (int i = 0; i < pages->count(); ++i) {
        const QString name = pages->widget(i)->objectName();
        pages->setTabText(i, Text(step, file, suffix, name + ".Caption", pages->tabText(i)));
    }
}

void ThvlgLanguageAssistantControls::Label(TranslateStep step, const std::string& file,
                                           const std::string& suffix, QLabel* label) const {
    label->setText(Text(step, file, suffix, label->objectName() + ".Caption", label->text()));
}

void ThvlgLanguageAssistantControls::Edit(TranslateStep step, const std::string& file,
                                          const std::string& suffix, QWidget* edit) const {
    edit->setToolTip(Text(step, file, suffix, edit->objectName() + ".Hint", edit->toolTip()));
}

void ThvlgLanguageAssistantControls::Control(TranslateStep step, const std::string& file,
                                             const std::string& suffix, QWidget* control) const {
    const QString name = control->objectName();
    SetCaptionOf(control, Text(step, file, suffix, name + ".Caption", CaptionOf(control)));
    control->setToolTip(Text(step, file, suffix, name + ".Hint", control->toolTip()));
}

void ThvlgLanguageAssistantControls::ComboItems(TranslateStep step, const std::string& file,
                                                const std::string& suffix, QComboBox* list) const {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    const QString text = Text(step, file, suffix, list->objectName() + ".Items",
                              entries.join(QStringLiteral("\r\n")));
    if (step == TranslateStep::Register)
        return;
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList translated = lines.split(u'\n');
    if (translated.size() != list->count())
        return;
    for (int i = 0; i < list->count(); ++i)
        list->setItemText(i, translated[i]);
}

void ThvlgLanguageAssistantControlsHV::StatusBar(TranslateStep step, const std::string& file,
                                                 const std::string& suffix, QStatusBar* bar) const {
    const QString current = bar->property(kAutoHintDefProperty).toString();
    const QString text = Text(step, file, suffix, bar->objectName() + ".AutoHintDef", current);
    bar->setProperty(kAutoHintDefProperty, text);
    if (step == TranslateStep::Apply && bar->currentMessage().isEmpty())
        bar->showMessage(text);
}

void ThvlgLanguageAssistantMenus::MenuItem(TranslateStep step, const std::string& file,
                                           const std::string& suffix, items::MenuItem& item,
                                           bool includeActionLinked) const {
    const bool linked = item.Action != items::MenuAction::None;
    if (item.Caption == "-" && !(includeActionLinked && linked))
        return;
    const QString name = FromUtf8(item.Name);
    item.Caption = Utf8(Text(step, file, suffix, name + ".Caption", FromUtf8(item.Caption)));
    item.Hint = Utf8(Text(step, file, suffix, name + ".Hint", FromUtf8(item.Hint)));
    item.ShortCut = Utf8(ShortCut(step, file, suffix, name + ".ShortCut", FromUtf8(item.ShortCut)));
}

void ThvlgLanguageAssistant::Action(TranslateStep step, const std::string& file,
                                    const std::string& formSuffix, QAction* action) const {
    const QString name = action->objectName();
    action->setText(Text(step, file, formSuffix, name + ".Caption", action->text()));
    action->setStatusTip(Text(step, file, formSuffix, name + ".Hint", action->statusTip()));
    const QString shortcut = ShortCut(step, file, formSuffix, name + ".ShortCut",
                                      action->shortcut().toString(QKeySequence::PortableText));
    action->setShortcut(QKeySequence::fromString(shortcut, QKeySequence::PortableText));
}

void ThvlgLanguageAssistantMenus::MenuAction(TranslateStep step, const std::string& file,
                                             const std::string& suffix, QAction* action,
                                             bool includeActionLinked) const {
    if (action->isSeparator() && !includeActionLinked)
        return;
    Action(step, file, suffix, action);
}

void ThvlgLanguageAssistantActions::ActionList(TranslateStep step, const std::string& file,
                                               const std::string& suffix,
                                               const QList<QAction*>& actions) const {
    for (QAction* action : actions)
        Action(step, file, suffix, action);
}

bool ThvlgLanguageAssistantApplication::IsRightToLeft(const QString& mode) {
    return mode == "RightToLeft" || mode == "RightToLeftNoAlign" ||
           mode == "RightToLeftReadingOnly";
}

void ThvlgLanguageAssistantApplication::Application(TranslateStep step, const std::string& file,
                                                    const std::string& suffix) const {
    if (step == TranslateStep::Register) {
        const QString current = QGuiApplication::layoutDirection() == Qt::RightToLeft
                                    ? QStringLiteral("RightToLeft")
                                    : QStringLiteral("LeftToRight");
        Text(step, file, suffix, "Application.BiDiMode", current);
        return;
    }
    const QString mode = Text(step, file, suffix, "Application.BiDiMode", QString());
    QGuiApplication::setLayoutDirection(IsRightToLeft(mode) ? Qt::RightToLeft : Qt::LeftToRight);
}

ThvlgLanguageComposite::ThvlgLanguageComposite()
    : controller_(std::make_unique<ThvlgLanguageController>()) {}
ThvlgLanguageComposite::~ThvlgLanguageComposite() = default;

ThvlgLanguageCompositeAll::ThvlgLanguageCompositeAll()
    : AssistantApplication(Controller()), AssistantActions(Controller()),
      AssistantMenus(Controller()), AssistantControls(Controller()) {}

ThvlgLanguageCompositeAllEx::ThvlgLanguageCompositeAllEx() : AssistantControlsHV(Controller()) {}

} // namespace pw
