#include "items/item_fields.h"

#include "util/paths.h"

namespace pw::items {

namespace {

constexpr const char* kWindowWords[kWindowChoiceCount] = {"", kWindowMax, kWindowMin, kWindowHid};

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool StartsNoCase(std::string_view text, size_t at, std::string_view lowerHead) {
    if (text.size() < at + lowerHead.size())
        return false;
    for (size_t i = 0; i < lowerHead.size(); ++i)
        if (Lower(text[at + i]) != lowerHead[i])
            return false;
    return true;
}

std::string Without(std::string_view text, std::string_view drop) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (drop.find(c) == drop.npos)
            out += c;
    return out;
}

FieldBox NotAvailable() {
    FieldBox box;
    box.notAvailable = true;
    return box;
}

FieldBox Box(std::string text, bool enabled) {
    FieldBox box;
    box.text = std::move(text);
    box.enabled = enabled;
    return box;
}

} // namespace

int WindowChoiceOf(std::string_view windowState) {
    for (int i = 1; i < kWindowChoiceCount; ++i)
        if (windowState == kWindowWords[i])
            return i;
    return 0;
}

std::string WindowStateOfChoice(int choice) {
    return choice > 0 && choice < kWindowChoiceCount ? kWindowWords[choice] : "";
}

std::string RemoveRecordMarks(std::string_view text) {
    return Without(text, "^|");
}

CaptionOutcome ApplyCaptionRule(TreeNode* node, std::string_view typed) {
    CaptionOutcome out;
    out.text = RemoveRecordMarks(typed);
    if (!node)
        return out;
    if (IsFolder(node)) {
        out.text = Without(out.text, ".");
        if (out.text.empty() || static_cast<unsigned char>(out.text[0]) < '!')
            out.message = kFolderNeedName;
        else if (!HasNoInvalidNameChars(out.text))
            out.message = kFolderIllegalName;
        else if (FolderNameTaken(node, out.text, false))
            out.message = kFolderDuplicatedName;
        if (out.message)
            return out;
    } else if (IsSeparator(node)) {
        const int before = node->ImageIndex;
        if (IsAllDashes(out.text)) {
            out.text = kSeparatorText;
            node->ImageIndex = node->SelectedIndex = kImageNormalSeparator;
        } else {
            out.text = "--" + StripDashes(out.text) + "--";
            node->ImageIndex = node->SelectedIndex = kImageSpecialSeparator;
        }
        out.pictureChanged = before != node->ImageIndex;
    }
    node->Text = out.text;
    return out;
}

bool PassesPathWebTest(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) >= 1 &&
           static_cast<unsigned char>(text[i]) <= 32)
        ++i;
    bool haveRest = false;
    size_t rest = 0;
    if (i < text.size() && Lower(text[i]) == 'h') {
        if (!StartsNoCase(text, i, "http"))
            return false;
        i += 4;
        if (i < text.size() && Lower(text[i]) == 's')
            ++i;
        if (text.substr(i, 3) != "://")
            return false;
        i += 3;
        haveRest = true;
        rest = i;
    }
    if (StartsNoCase(text, i, "www.")) {
        i += 4;
        if (i >= text.size() || text[i] != '.') {
            if (i < text.size())
                ++i;
            haveRest = true;
            rest = i;
        }
    }
    return haveRest && rest < text.size();
}

bool ApplyPathRule(ItemStore& store, const TreeNode* node, const std::string& typed) {
    if (!IsLink(node))
        return false;
    if (!FileExists(typed) && !DirectoryExists(typed) && !PassesPathWebTest(typed))
        return false;
    store.SetItemPath(node->Data, typed);
    return true;
}

void SetPathUnchecked(ItemStore& store, const TreeNode* node, const std::string& text) {
    if (IsLink(node))
        store.SetItemPath(node->Data, text);
}

std::string ApplyParamsRule(ItemStore& store, const TreeNode* node, std::string_view typed) {
    std::string text = RemoveRecordMarks(typed);
    if (IsLink(node))
        store.SetItemParams(node->Data, text);
    return text;
}

std::string ApplyWorkDirRule(ItemStore& store, const TreeNode* node, std::string_view typed) {
    std::string text = RemoveRecordMarks(typed);
    if (IsLink(node))
        store.SetItemWorkDir(node->Data, text);
    return text;
}

void ApplyWindowRule(ItemStore& store, const TreeNode* node, int choice) {
    if (IsLink(node))
        store.SetItemWindowState(node->Data, WindowStateOfChoice(choice));
}

void ApplyRunAsRule(ItemStore& store, const TreeNode* node, bool runAs) {
    if (IsLink(node))
        store.SetItemRunAs(node->Data, runAs);
}

ItemFields DescribeItemFields(const ItemStore& store, const TreeNode* node,
                              bool captionBoxWasEnabled) {
    ItemFields f;
    f.path = f.params = f.workDir = NotAvailable();
    if (!node)
        return f;
    f.picture = node->ImageIndex;
    if (IsTopMarker(node)) {
        f.type = kLabelTop;
        return f;
    }
    if (IsFolder(node)) {
        f.type = kLabelFolder;
        f.caption = Box(node->Text, true);
        f.captionRuleRuns = captionBoxWasEnabled;
        return f;
    }
    if (IsSeparator(node)) {
        f.type = kLabelSeparator;
        f.caption = Box(IsNormalSeparator(node) ? "" : StripDashes(node->Text), true);
        f.captionRuleRuns = true;
        return f;
    }
    if (!IsLink(node))
        return f;

    const int32_t id = node->Data;
    const ItemAttributes& a = store.Attributes;
    const std::string& path = a.Path(id);
    f.type = LinkTypeLabel(path);
    f.caption = Box(node->Text, true);
    f.captionRuleRuns = captionBoxWasEnabled;
    f.path = Box(path, true);
    const bool fullEntries = IsExecutableFile(path) || IsInternetShortcutFile(path);
    if (fullEntries || IsRunnableFile(path)) {
        f.params = Box(a.Params(id), fullEntries || a.HasParams(id));
        f.workDir = Box(a.WorkDir(id), fullEntries || a.HasWorkDir(id));
        f.windowChoice = WindowChoiceOf(a.WindowState(id));
        f.windowEnabled = fullEntries || a.HasWindowState(id);
        f.runAs = a.RunAs(id);
        f.runAsEnabled = fullEntries || a.HasRunAs(id);
    }
    return f;
}

} // namespace pw::items
