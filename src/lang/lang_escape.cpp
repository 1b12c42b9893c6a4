#include "lang/lang_escape.h"

#include <array>
#include <utility>

namespace pw {

std::string EscapeLangValue(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                result += "<NL>";
                ++i;
            } else {
                result += "<#13>";
            }
            break;
        case '\n':
            result += "<#10>";
            break;
        case '\0':
            result += "<#0>";
            break;
        default:
            result += c;
        }
    }
    if (!result.empty() && result.front() == '\t')
        result.replace(0, 1, "<#9>");
    else if (!result.empty() && result.front() == ' ')
        result.replace(0, 1, "<#32>");
    return result;
}

std::string UnescapeLangValue(std::string_view text) {
    static const std::array<std::pair<std::string_view, std::string_view>, 9> kTokens = {{
        {"<NL>", "\r\n"},
        {"<#13>", "\r"},
        {"<#10>", "\n"},
        {"<#9>", "\t"},
        {"<#32>", " "},
        {"<#0>", std::string_view("\0", 1)},
        {"&amp;", "&"},
        {"&lt;", "<"},
        {"&gt;", ">"},
    }};
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        bool replaced = false;
        if (c == '<' || c == '&') {
            for (const auto& [token, replacement] : kTokens) {
                if (text.substr(i, token.size()) == token) {
                    result += replacement;
                    i += token.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) {
            result += c;
            ++i;
        }
    }
    return result;
}

} // namespace pw
