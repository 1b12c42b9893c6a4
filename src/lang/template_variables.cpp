#include "lang/template_variables.h"

#include "lang/ini_document.h"

namespace pw {

ThvlgTemplates::ThvlgTemplates() : defaultSystems_{""} {
    AddTemplateSystem("__curly", "{", "}");
    AddTemplateSystem("__sharp", "#", "#");
    AddTemplateSystem("__dollar", "$", "$");
}

void ThvlgTemplates::AddTemplateSystem(std::string_view name, std::string_view opening,
                                       std::string_view closing) {
    systems_.emplace(IniFoldName(name),
                     ThvlgTemplateSystem{std::string(opening), std::string(closing)});
}

void ThvlgTemplates::AddTemplateVariable(std::string_view name, std::string_view value,
                                         ThvlgGetValueCallback onGetValue, bool overwrite) {
    std::string key = IniFoldName(name);
    auto it = variables_.find(key);
    if (it == variables_.end()) {
        variables_.emplace(key, ThvlgTemplateVariable{std::string(value), std::move(onGetValue)});
    } else if (overwrite) {
        it->second.Value = std::string(value);
        it->second.OnGetValue = std::move(onGetValue);
    }
}

const ThvlgTemplateSystem* ThvlgTemplates::FindTemplateSystem(std::string_view name) const {
    auto it = systems_.find(IniFoldName(name));
    return it == systems_.end() ? nullptr : &it->second;
}

const ThvlgTemplateVariable* ThvlgTemplates::FindTemplateVariable(std::string_view name) const {
    auto it = variables_.find(IniFoldName(name));
    return it == variables_.end() ? nullptr : &it->second;
}

std::string ThvlgTemplates::ExpandTemplate(std::string_view systemName,
                                           std::string_view text) const {
    std::string result(text);
    if (systemName.empty())
        return result;
    const ThvlgTemplateSystem* system = FindTemplateSystem(systemName);
    if (!system || system->Opening.empty() || system->Closing.empty())
        return result;
    const std::string& opening = system->Opening;
    const std::string& closing = system->Closing;

    for (int pass = 0; pass < kMaxTemplatePasses; ++pass) {
        size_t open = result.find(opening);
        if (open == std::string::npos)
            break;
        size_t nameStart = open + opening.size();
        size_t close = result.find(closing, nameStart);
        if (close == std::string::npos)
            break;
        std::string name = result.substr(nameStart, close - nameStart);
        std::string placeholder = opening + name + closing;

        std::string replacement;
        const ThvlgTemplateVariable* variable = FindTemplateVariable(name);
        if (variable && !variable->Value.empty()) {
            replacement = variable->Value;
        } else if (variable && variable->OnGetValue) {
            variable->OnGetValue(name, replacement);
        } else {
            replacement = name;
        }

        std::string next = StrReplace(result, placeholder, replacement, true, true);
        bool reproduces = StrPos(StrLower(placeholder), StrLower(replacement)) > 0;
        bool unchanged = next == result;
        result = std::move(next);
        if (reproduces || unchanged || result.size() > kMaxExpandedLength)
            break;
    }
    return result;
}

void ThvlgTemplates::PushDefaultTemplateSystem(std::string_view name) {
    defaultSystems_.emplace_back(name);
}

std::string ThvlgTemplates::DefaultTemplateSystem() const {
    return defaultSystems_.empty() ? std::string() : defaultSystems_.back();
}

} // namespace pw
