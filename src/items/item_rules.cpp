#include "items/item_rules.h"

#include <array>
#include <filesystem>

#include "util/paths.h"
#include "util/strings.h"

namespace pw::items {

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view head) {
    if (text.size() < head.size())
        return false;
    for (size_t i = 0; i < head.size(); ++i)
        if (AsciiLower(text[i]) != head[i])
            return false;
    return true;
}

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool OneOf(std::string_view ext, std::initializer_list<std::string_view> list) {
    for (std::string_view e : list)
        if (ext == e)
            return true;
    return false;
}

bool HasExecuteBit(std::string_view path) {
    std::error_code ec;
    auto st = std::filesystem::status(std::filesystem::path(std::string(path)), ec);
    if (ec || !std::filesystem::is_regular_file(st))
        return false;
    using std::filesystem::perms;
    return (st.permissions() & (perms::owner_exec | perms::group_exec | perms::others_exec)) !=
           perms::none;
}

} // namespace

bool IsWebAddress(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) >= 1 &&
           static_cast<unsigned char>(text[i]) <= 32)
        ++i;
    std::string_view rest = text.substr(i);
    static constexpr std::array<std::string_view, 8> kPrefixes = {
        "www.", "news:", "ftp://", "ftps://", "http://", "https://", "telnet://", "gopher://"};
    for (std::string_view p : kPrefixes)
        if (StartsWithNoCase(rest, p))
            return true;
    return rest.size() >= 3 && rest[0] == '/' && rest[1] == '/' && IsAsciiAlnum(rest[2]);
}

std::string StripDashes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '-')
            out += c;
    return out;
}

bool IsAllDashes(std::string_view text) {
    return text.find_first_not_of('-') == text.npos;
}

std::string FolderCompareForm(std::string_view text) {
    std::string out = StrTrim(text);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

bool IsUsableFolderName(std::string_view name) {
    std::string trimmed = StrTrim(name);
    if (trimmed.empty() || trimmed == "." || trimmed == "..")
        return false;
    if (name.find_first_of("\\/:*?\"<>|^") != name.npos)
        return false;
    // A name of control bytes only, or one holding a NUL, cannot be a directory name.
    return name.find('\0') == name.npos;
}

std::string LowerExtension(std::string_view path) {
    std::string ext = ExtensionWithoutDot(ExtractFileExt(path));
    for (char& c : ext)
        c = AsciiLower(c);
    return ext;
}

bool IsRunnableFile(std::string_view path) {
    if (path.empty() || IsWebAddress(path))
        return false;
    return OneOf(LowerExtension(path), {"bat", "cmd", "wsf", "wsh", "rdp", "rfp", "sh"});
}

bool IsInternetShortcutFile(std::string_view path) {
    if (path.empty() || IsWebAddress(path))
        return false;
    return LowerExtension(path) == "url";
}

bool IsExecutableFile(std::string_view path) {
    if (path.empty() || IsWebAddress(path))
        return false;
    std::string ext = LowerExtension(path);
    if (ext == "exe" || ext == "com")
        return true;
    if (ext == "url" || IsRunnableFile(path))
        return false;
    return IsAbsolutePath(path) && HasExecuteBit(path);
}

bool IsExecutableLinkPath(std::string_view path) {
    return IsExecutableFile(path) || IsRunnableFile(path) || IsInternetShortcutFile(path);
}

TypeLabel LinkTypeLabel(std::string_view path) {
    if (IsExecutableFile(path))
        return {"ItemTypeExecutable", "Executable"};
    if (IsRunnableFile(path))
        return {"ItemTypeRunable", "Runable"};
    if (!IsWebAddress(path) && !IsInternetShortcutFile(path) && LowerExtension(path) == "lnk")
        return {"ItemTypeShortcut", "Shortcut"};
    return {"ItemTypeViewable", "Viewable"};
}

bool IsDeadLinkPath(const std::string& path) {
    if (path.empty() || IsWebAddress(path))
        return false;
    char last = path.back();
    if (last == '/' || last == '\\')
        return !DirectoryExists(path);
    return !FileExists(path) && !DirectoryExists(path);
}

bool FolderNameTaken(const TreeNode* node, std::string_view name, bool includeNode) {
    if (!node)
        return false;
    const auto* siblings = node->Siblings();
    if (!siblings)
        return false;
    const std::string wanted = FolderCompareForm(name);
    for (const auto& sibling : *siblings) {
        if (sibling.get() == node && !includeNode)
            continue;
        if (FolderCompareForm(sibling->Text) == wanted)
            return true;
    }
    return false;
}

bool IsInsideFolder(const TreeNode* node, const TreeNode* folder) {
    for (const TreeNode* n = node; n; n = n->Parent)
        if (n == folder)
            return true;
    return false;
}

namespace {
bool ListsDiffer(const std::vector<std::unique_ptr<TreeNode>>& a,
                 const std::vector<std::unique_ptr<TreeNode>>& b) {
    if (a.size() != b.size())
        return true;
    for (size_t i = 0; i < a.size(); ++i) {
        const TreeNode& x = *a[i];
        const TreeNode& y = *b[i];
        if (x.Text != y.Text || x.Data != y.Data || x.Children.size() != y.Children.size())
            return true;
        if (ListsDiffer(x.Children, y.Children))
            return true;
    }
    return false;
}
} // namespace

bool TreesDiffer(const ItemTree& a, const ItemTree& b) {
    if (a.Count() != b.Count())
        return true;
    return ListsDiffer(a.RootNodes(), b.RootNodes());
}

bool CanCutOrDelete(const TreeNode* node) {
    return node && !IsTopMarker(node);
}
bool CanCopy(const TreeNode* node) {
    return node && !IsTopMarker(node) && !IsFolder(node);
}
bool CanBeTarget(const TreeNode* node) {
    return node != nullptr;
}
bool CanStart(const TreeNode* node) {
    return IsLink(node);
}

bool CanMoveUp(const TreeNode* node) {
    if (!node || IsTopMarker(node))
        return false;
    const TreeNode* prev = node->PrevSibling();
    return prev && !IsTopMarker(prev);
}

bool CanMoveDown(const TreeNode* node) {
    if (!node || IsTopMarker(node))
        return false;
    const TreeNode* next = node->NextSibling();
    return next && !IsTopMarker(next);
}

bool CanPlaceFolder(const TreeNode* folder, const TreeNode* target) {
    if (!folder || !target)
        return false;
    if (target->Parent == folder->Parent && target->Siblings() == folder->Siblings())
        return true;
    return !FolderNameTaken(target, folder->Text, true) && !IsInsideFolder(target, folder);
}

} // namespace pw::items
