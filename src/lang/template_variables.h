#pragma once
// Template systems (pairs of delimiters such as "{" and "}") and template variables (named
// values, or callbacks producing one), and the expansion of placeholders in a text.

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "util/strings.h"

namespace pw {

struct ThvlgTemplateSystem {
    std::string Opening;
    std::string Closing;
};

// Called with the variable's name and an in-out value when the stored value is empty.
using ThvlgGetValueCallback = std::function<void(const std::string& name, std::string& value)>;

struct ThvlgTemplateVariable {
    std::string Value;
    ThvlgGetValueCallback OnGetValue;
};

// The template systems, variables and the stack of default systems of one language controller.
// Names compare without regard to letter case.
class ThvlgTemplates {
public:
    // Holds the systems "__curly", "__sharp" and "__dollar" and a default stack of one "".
    ThvlgTemplates();

    // Adds the system unless one of that name exists (an existing one is never changed).
    void AddTemplateSystem(std::string_view name, std::string_view opening,
                           std::string_view closing);
    // Absent name: added. Present and overwrite: value and callback replaced. Else nothing.
    void AddTemplateVariable(std::string_view name, std::string_view value,
                             ThvlgGetValueCallback onGetValue = nullptr, bool overwrite = false);
    const ThvlgTemplateSystem* FindTemplateSystem(std::string_view name) const;
    const ThvlgTemplateVariable* FindTemplateVariable(std::string_view name) const;

    // Repeatedly takes the first placeholder (opening delimiter, name, first closing delimiter
    // after it) and replaces every occurrence of it, ignoring case, by the variable's value,
    // its callback's value, or else the bare name. An empty or unknown system name leaves the
    // text unchanged. The passes end when no placeholder is left, when a replacement holds its
    // own placeholder again (it is replaced once and the text is final), when a pass changes
    // nothing, or after kMaxTemplatePasses passes or once the text outgrows kMaxExpandedLength.
    std::string ExpandTemplate(std::string_view systemName, std::string_view text) const;

    void PushDefaultTemplateSystem(std::string_view name);
    // The top of the stack; "" before any push.
    std::string DefaultTemplateSystem() const;

    static constexpr int kMaxTemplatePasses = 1000;
    static constexpr size_t kMaxExpandedLength = 1 << 20;

private:
    std::map<std::string, ThvlgTemplateSystem> systems_;     // by folded name
    std::map<std::string, ThvlgTemplateVariable> variables_; // by folded name
    StringArray defaultSystems_;
};

} // namespace pw
