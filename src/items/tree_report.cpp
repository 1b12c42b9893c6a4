#include "items/tree_report.h"

#include <cstdio>

#include "items/item_rules.h"

namespace pw::items {

namespace {

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

void AppendKey(std::string& out, const char* key) {
    out += ",\"";
    out += key;
    out += "\":";
}

void NodeJson(const ItemStore& store, const TreeNode& node, std::string& out);

void ListJson(const ItemStore& store, const std::vector<std::unique_ptr<TreeNode>>& list,
              std::string& out) {
    out += '[';
    for (size_t i = 0; i < list.size(); ++i) {
        if (i)
            out += ',';
        NodeJson(store, *list[i], out);
    }
    out += ']';
}

void NodeJson(const ItemStore& store, const TreeNode& node, std::string& out) {
    out += "{\"kind\":";
    AppendJsonString(out, NodeKindName(store, node));
    AppendKey(out, "text");
    AppendJsonString(out, node.Text);
    AppendKey(out, "image");
    out += std::to_string(node.ImageIndex);
    AppendKey(out, "data");
    out += std::to_string(node.Data);
    if (IsLink(&node)) {
        const ItemAttributes& a = store.Attributes;
        const int32_t id = node.Data;
        AppendKey(out, "path");
        AppendJsonString(out, a.Path(id));
        if (a.HasParams(id)) {
            AppendKey(out, "params");
            AppendJsonString(out, a.Params(id));
        }
        if (a.HasWorkDir(id)) {
            AppendKey(out, "workdir");
            AppendJsonString(out, a.WorkDir(id));
        }
        if (a.HasWindowState(id)) {
            AppendKey(out, "window");
            AppendJsonString(out, a.WindowState(id));
        }
        if (a.HasRunAs(id)) {
            AppendKey(out, "runas");
            out += a.RunAs(id) ? "true" : "false";
        }
    }
    if (IsFolder(&node)) {
        AppendKey(out, "children");
        ListJson(store, node.Children, out);
    }
    out += '}';
}

void ListText(const ItemStore& store, const std::vector<std::unique_ptr<TreeNode>>& list, int depth,
              std::string& out) {
    for (const auto& node : list) {
        out.append(static_cast<size_t>(depth) * 2, ' ');
        out += NodeKindName(store, *node);
        if (!node->Text.empty()) {
            out += ' ';
            out += node->Text;
        }
        if (IsLink(node.get())) {
            out += " [" + std::to_string(node->Data) + "] -> ";
            out += store.Attributes.Path(node->Data);
        }
        out += '\n';
        ListText(store, node->Children, depth + 1, out);
    }
}

void CollectDead(const ItemStore& store, const std::vector<std::unique_ptr<TreeNode>>& list,
                 const std::string& place, std::vector<DeadLink>& out) {
    for (const auto& node : list) {
        if (IsFolder(node.get()))
            CollectDead(store, node->Children, place + node->Text + "/", out);
        else if (IsLink(node.get()) && IsDeadLinkPath(store.GetItemPath(node->Data)))
            out.push_back({place + node->Text, store.Attributes.Path(node->Data)});
    }
}

} // namespace

std::string NodeKindName(const ItemStore& store, const TreeNode& node) {
    if (IsLink(&node)) {
        switch (store.Attributes.Kind(node.Data)) {
        case LinkKind::Executable:
            return "exe";
        case LinkKind::Net:
            return "net";
        case LinkKind::Unknown:
            return "unknown";
        }
    }
    if (IsTopMarker(&node))
        return "top";
    if (IsFolder(&node))
        return "folder";
    if (IsNormalSeparator(&node))
        return "separator";
    if (IsSeparator(&node))
        return "heading";
    return "unknown";
}

std::string TreeToJson(const ItemStore& store) {
    std::string out;
    ListJson(store, store.tvItems.RootNodes(), out);
    return out;
}

std::string LinkPlansToJson(const std::vector<LinkPlan>& plans) {
    std::string out = "[";
    bool first = true;
    for (const LinkPlan& plan : plans) {
        if (!plan)
            continue;
        if (!first)
            out += ',';
        first = false;
        out += "{\"kind\":";
        switch (plan.kind) {
        case LinkKind::Executable:
            AppendJsonString(out, "exe");
            break;
        case LinkKind::Net:
            AppendJsonString(out, "net");
            break;
        case LinkKind::Unknown:
            AppendJsonString(out, "unknown");
            break;
        }
        AppendKey(out, "text");
        AppendJsonString(out, plan.caption);
        AppendKey(out, "path");
        AppendJsonString(out, plan.path);
        if (plan.programEntries) {
            AppendKey(out, "params");
            AppendJsonString(out, plan.params);
            AppendKey(out, "workdir");
            AppendJsonString(out, plan.workDir);
        }
        if (plan.programEntries || plan.windowStateEntry) {
            AppendKey(out, "window");
            AppendJsonString(out, "");
        }
        if (plan.programEntries) {
            AppendKey(out, "runas");
            out += "false";
        }
        AppendKey(out, "picture");
        switch (plan.picture) {
        case PictureSource::Directory:
            AppendJsonString(out, "directory");
            break;
        case PictureSource::WebType:
            AppendJsonString(out, "type:url");
            break;
        case PictureSource::Named:
            AppendJsonString(out, "icon:" + plan.iconName);
            break;
        case PictureSource::Shell:
            AppendJsonString(out, "file:" + plan.path);
            break;
        }
        out += '}';
    }
    out += ']';
    return out;
}

std::string TreeToText(const ItemStore& store) {
    std::string out;
    ListText(store, store.tvItems.RootNodes(), 0, out);
    return out;
}

std::vector<DeadLink> FindDeadLinks(const ItemStore& store) {
    std::vector<DeadLink> out;
    CollectDead(store, store.tvItems.RootNodes(), "", out);
    return out;
}

} // namespace pw::items
