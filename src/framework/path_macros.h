#pragma once
// Path macros: stored paths in the options file name the items root and the program folder by
// a macro, so they stay valid when the program folder moves.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pw {

inline constexpr std::string_view kMacroAppDirData = "?($AppDirData)?";
inline constexpr std::string_view kMacroAppPath = "?($AppPath)?";
inline constexpr std::string_view kMacroShortAppPath = "?L?";

class PathMacros {
public:
    // Appends the pair; a macro already listed keeps its place and takes the new path.
    void Add(std::string_view macro, std::string_view path);
    const std::vector<std::pair<std::string, std::string>>& Pairs() const { return pairs_; }
    bool Empty() const { return pairs_.empty(); }

    // Walks the text from its last position to its first; at each position the pairs are tried
    // in list order and an occurrence of a path (exact comparison) is replaced by its macro,
    // then the same position is tried again. Pairs with an empty side are skipped.
    std::string PathsToMacros(std::string_view text) const;
    // The same walk, replacing macros by their paths.
    std::string MacrosToPaths(std::string_view text) const;

private:
    std::string Replace(std::string_view text, bool toMacros) const;
    std::vector<std::pair<std::string, std::string>> pairs_; // (macro, path)
};

// The program's three macros, in order: the items root, the program folder twice.
PathMacros MakeProgramPathMacros(const std::string& itemsRoot, const std::string& programFolder);

} // namespace pw
