#pragma once
// The rules of the manager window's edit fields: what each box shows for the selected node and
// whether it is enabled, and what a change of each box stores in the tree or the attribute
// table. Captions, params and work dirs lose "^" and "|" (the record mark and the field
// separator of the shortcut file); folder names obey the folder rules; a separator's caption
// makes it a heading or a plain separator.

#include <string>
#include <string_view>

#include "items/item_rules.h"
#include "items/item_store.h"

namespace pw::items {

// The messages of the caption rule, as translation key and English default (file
// "UTF8_program.ini", section "__MessageText__FrontMain").
struct FieldMessage {
    const char* key = nullptr; // nullptr: no message
    const char* english = nullptr;
    explicit operator bool() const { return key != nullptr; }
};
inline constexpr FieldMessage kFolderNeedName{"ItemFolderNeedName",
                                              "The folder has to have a name"};
inline constexpr FieldMessage kFolderIllegalName{
    "ItemFolderIllegalName", "The folder name can not contain: \"\\ / : * ? \" < > |\""};
inline constexpr FieldMessage kFolderDuplicatedName{
    "ItemFolderDuplicatedName",
    "The folder name may not be duplicated on the same level in the \"tree view\""};

// The window list's entries, in order: "Default", "Maximized", "Minimized", "Hidden".
inline constexpr int kWindowChoiceCount = 4;
// The list entry of a stored window state (0 for anything but the three words).
int WindowChoiceOf(std::string_view windowState);
// The window state an entry stores ("" for "Default" and anything out of range).
std::string WindowStateOfChoice(int choice);

// The text with every "^" and "|" removed.
std::string RemoveRecordMarks(std::string_view text);

// The caption rule, run on every change of the caption box while it is enabled. With a message,
// nothing is changed (the node keeps its text, the box what was typed). Without, node takes
// Text (separators also their new kind's picture) and the box shows Text.
struct CaptionOutcome {
    FieldMessage message;
    std::string text;
    bool pictureChanged = false; // a separator changed between plain and heading
};
CaptionOutcome ApplyCaptionRule(TreeNode* node, std::string_view typed);

// The path box's web test: after leading characters with codes 1 to 32, "http://" or
// "https://" (any case) followed by something, or "www." followed by two characters or more.
bool PassesPathWebTest(std::string_view text);
// The path rule: typed becomes the link's path when it names an existing file or directory or
// passes the web test; answers whether it was stored.
bool ApplyPathRule(ItemStore& store, const TreeNode* node, const std::string& typed);
// Set: stores the text as the link's path without any test.
void SetPathUnchecked(ItemStore& store, const TreeNode* node, const std::string& text);
// The params and work dir rules: the cleaned text is stored (where the link has that entry)
// and answered for the box.
std::string ApplyParamsRule(ItemStore& store, const TreeNode* node, std::string_view typed);
std::string ApplyWorkDirRule(ItemStore& store, const TreeNode* node, std::string_view typed);
// The window list and the run-as box: stored where the link has that entry.
void ApplyWindowRule(ItemStore& store, const TreeNode* node, int choice);
void ApplyRunAsRule(ItemStore& store, const TreeNode* node, bool runAs);

// What the boxes show for a node (ShowItemFields).
struct FieldBox {
    std::string text;
    bool enabled = false;
    bool notAvailable = false; // shows the "N/A" text instead of text
};
struct ItemFields {
    FieldBox caption;
    FieldBox path;
    FieldBox params;
    FieldBox workDir;
    int windowChoice = -1; // -1: no entry chosen
    bool windowEnabled = false;
    bool runAs = false;
    bool runAsEnabled = false;
    TypeLabel type{nullptr, nullptr};
    int picture = -1; // the node's picture in the menu image list
    // Whether the caption rule runs on the caption as the fill sets it: always for separators
    // (their box is enabled before the text is set), for folders and links when the previous
    // selection left the box enabled.
    bool captionRuleRuns = false;
};
ItemFields DescribeItemFields(const ItemStore& store, const TreeNode* node,
                              bool captionBoxWasEnabled);

} // namespace pw::items
