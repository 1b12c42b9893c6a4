#include "framework/path_macros.h"

namespace pw {

void PathMacros::Add(std::string_view macro, std::string_view path) {
    for (auto& pair : pairs_) {
        if (pair.first == macro) {
            pair.second = std::string(path);
            return;
        }
    }
    pairs_.emplace_back(std::string(macro), std::string(path));
}

std::string PathMacros::Replace(std::string_view input, bool toMacros) const {
    std::string text(input);
    // A replacement that begins with a searched text would be found again at the same
    // position; the retries per position are bounded so such a pair cannot loop.
    const size_t maxRetries = pairs_.size() + 1;
    for (size_t pos = text.size(); pos-- > 0;) {
        for (size_t retry = 0; retry < maxRetries; ++retry) {
            bool replaced = false;
            for (const auto& [macro, path] : pairs_) {
                const std::string& from = toMacros ? path : macro;
                const std::string& to = toMacros ? macro : path;
                if (from.empty() || to.empty())
                    continue;
                if (text.compare(pos, from.size(), from) == 0) {
                    text.replace(pos, from.size(), to);
                    replaced = true;
                    break;
                }
            }
            if (!replaced)
                break;
        }
    }
    return text;
}

std::string PathMacros::PathsToMacros(std::string_view text) const {
    return Replace(text, true);
}

std::string PathMacros::MacrosToPaths(std::string_view text) const {
    return Replace(text, false);
}

PathMacros MakeProgramPathMacros(const std::string& itemsRoot, const std::string& programFolder) {
    PathMacros macros;
    macros.Add(kMacroAppDirData, itemsRoot);
    macros.Add(kMacroAppPath, programFolder);
    macros.Add(kMacroShortAppPath, programFolder);
    return macros;
}

} // namespace pw
