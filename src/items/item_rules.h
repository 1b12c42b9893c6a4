#pragma once
// The rules that tell one kind of item from another, the file classes of a link's path, the web
// address test, caption and folder-name rules, and what each kind of node permits.

#include <string>
#include <string_view>

#include "items/item_node.h"

namespace pw::items {

// --- texts ----------------------------------------------------------------------------------

// True when the text, after leading characters with codes 1 to 32, starts (ignoring case) with
// "www.", "//" and a letter or digit, "news:", "ftp://", "ftps://", "http://", "https://",
// "telnet://" or "gopher://".
bool IsWebAddress(std::string_view text);
// The text with every "-" removed.
std::string StripDashes(std::string_view text);
// True for "" and for a text of dashes only.
bool IsAllDashes(std::string_view text);
// Trimmed of surrounding blanks and with ASCII letters lower-cased: the form in which sibling
// texts are compared.
std::string FolderCompareForm(std::string_view text);
// A name a folder record may use as a directory below its parent: not empty after trimming, not
// "." or "..", and free of \ / : * ? " < > | and "^".
bool IsUsableFolderName(std::string_view name);

// --- file classes of a path ------------------------------------------------------------------

// The lower-case extension without its dot ("" when none).
std::string LowerExtension(std::string_view path);
// ".exe" or ".com", or an existing regular file with an execute permission bit whose
// extension is not one of the runnable or Internet shortcut extensions.
bool IsExecutableFile(std::string_view path);
// ".bat", ".cmd", ".wsf", ".wsh", ".rdp", ".rfp" or ".sh".
bool IsRunnableFile(std::string_view path);
// ".url".
bool IsInternetShortcutFile(std::string_view path);
// Executable, Runnable or Internet shortcut file: the paths saved as Executable links.
bool IsExecutableLinkPath(std::string_view path);

// The type label of a link by its path, as translation key and English default (file
// "UTF8_program.ini", section "__MessageText__FrontMain").
struct TypeLabel {
    const char* key;
    const char* english;
};
TypeLabel LinkTypeLabel(std::string_view path);
inline constexpr TypeLabel kLabelFolder{"ItemTypeSpecialFolder",
                                        "Special: Create and place items here"};
inline constexpr TypeLabel kLabelSeparator{"ItemTypeSeparator", "Separator"};
inline constexpr TypeLabel kLabelTop{"ItemTypeSpecialTop", "Special: Drag and drop items here"};

// The Clean rule: a resolved path that is not empty, is no web address, and either ends with
// "/" (or "\") without naming an existing directory, or names nothing existing.
bool IsDeadLinkPath(const std::string& resolvedPath);

// --- nodes ----------------------------------------------------------------------------------

inline bool IsFolder(const TreeNode* n) {
    return n && (n->ImageIndex == kImageFolder || n->ImageIndex == kImageFolderOpen);
}
inline bool IsNormalSeparator(const TreeNode* n) {
    return n && n->ImageIndex == kImageNormalSeparator;
}
inline bool IsSeparator(const TreeNode* n) {
    return n && (n->ImageIndex == kImageNormalSeparator || n->ImageIndex == kImageSpecialSeparator);
}
inline bool IsTopMarker(const TreeNode* n) {
    return n && n->ImageIndex == kImageTopMarker;
}
inline bool IsLink(const TreeNode* n) {
    return n && n->Data >= 0;
}
inline bool IsDirectoryLink(const TreeNode* n) {
    return n && n->ImageIndex == kImageDirectoryLink;
}

// True when a sibling of node (node itself too with includeNode) has the name's compare form.
bool FolderNameTaken(const TreeNode* node, std::string_view name, bool includeNode);
// True when node is the folder or lies anywhere below it.
bool IsInsideFolder(const TreeNode* node, const TreeNode* folder);
// Walks both trees depth-first: different node counts, or a node differing in text, number of
// children or data, make them differ.
bool TreesDiffer(const ItemTree& a, const ItemTree& b);

// --- what each kind permits -----------------------------------------------------------------

bool CanCutOrDelete(const TreeNode* node); // every node but a top marker
bool CanCopy(const TreeNode* node);        // every node but a top marker and a folder
bool CanBeTarget(const TreeNode* node);    // paste, attach and drop position: every node
bool CanStart(const TreeNode* node);       // links
bool CanMoveUp(const TreeNode* node);
bool CanMoveDown(const TreeNode* node);
// A folder may land directly after target: always beside its own siblings; elsewhere only when
// no sibling of target takes its name and target does not lie inside it.
bool CanPlaceFolder(const TreeNode* folder, const TreeNode* target);

} // namespace pw::items
