#include "items/link_from_file.h"

#include <sys/stat.h>

#include <filesystem>

#include "items/item_fields.h"
#include "items/item_rules.h"
#include "util/paths.h"
#include "util/shell_link.h"
#include "util/strings.h"
#include "util/text_files.h"
#include "util/uri_list.h"

namespace pw::items {

namespace {

LinkPlan Refused(std::string why) {
    LinkPlan plan;
    plan.refusal = std::move(why);
    return plan;
}

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool HasRecordMarks(std::string_view text) {
    return text.find_first_of("|^\r\n") != std::string_view::npos;
}

bool IsDesktopEntryFile(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           LowerExtension(path) == "desktop";
}

// Kind, entries and picture of a link to a local path, from its file class.
void SettleLocalLink(LinkPlan& plan) {
    plan.kind = IsExecutableLinkPath(plan.path) ? LinkKind::Executable : LinkKind::Unknown;
    plan.programEntries = IsExecutableFile(plan.path) || IsRunnableFile(plan.path);
    plan.windowStateEntry = true;
    if (!plan.programEntries) {
        plan.params.clear();
        plan.workDir.clear();
    }
    if (!plan.iconName.empty())
        plan.picture = PictureSource::Named;
    else if (LowerExtension(plan.path).empty() && DirectoryExists(plan.path))
        plan.picture = PictureSource::Directory;
    else
        plan.picture = PictureSource::Shell;
}

LinkPlan PlainFileLink(const std::string& path) {
    LinkPlan plan;
    plan.path = WithoutTrailingSeparator(path);
    plan.caption = FileLinkCaption(plan.path);
    SettleLocalLink(plan);
    return plan;
}

// The link a resolved desktop entry gives; refusal set when it leads nowhere storable.
LinkPlan FromDesktopEntry(const ShellLinkRecord& record) {
    const std::string name = RemoveRecordMarks(record.Description);
    if (record.TargetIsUrl) {
        const std::vector<UriEntry> uri = ParseUriList(record.Target, LocalHostName());
        if (uri.size() == 1 && uri[0].kind == UriEntry::Kind::LocalFile) {
            if (!UnstorablePathReason(uri[0].value).empty() || !PathExists(uri[0].value))
                return Refused("the entry's file cannot be linked");
            LinkPlan plan = PlainFileLink(uri[0].value);
            if (!name.empty())
                plan.caption = name;
            return plan;
        }
        LinkPlan plan = PlanWebLink(record.Target);
        if (plan && !name.empty())
            plan.caption = name;
        return plan;
    }
    const std::string& program = record.Target;
    if (!IsAbsolutePath(program) || !FileExists(program))
        return Refused("the entry's program was not found");
    if (!UnstorablePathReason(program).empty() || HasRecordMarks(record.Arguments) ||
        HasRecordMarks(record.WorkingDirectory))
        return Refused("the entry's command cannot be stored");
    LinkPlan plan;
    plan.path = program;
    plan.params = record.Arguments;
    plan.workDir = record.WorkingDirectory;
    plan.caption = name.empty() ? FileLinkCaption(program) : name;
    plan.iconName = record.IconLocation.find_first_of("\r\n") == std::string::npos
                        ? record.IconLocation
                        : std::string();
    SettleLocalLink(plan);
    return plan;
}

// A shortcut file followed to what it starts; refusal set when it cannot be.
LinkPlan FollowShortcut(const std::string& shortcut) {
    ShellLinkRecord record;
    const bool symbolic = IsSymbolicLink(shortcut);
    if (ResolveShellLink(shortcut, record) != kShellLinkOk)
        return Refused("the shortcut leads nowhere");
    if (!symbolic)
        return FromDesktopEntry(record);
    const std::string target = WithoutTrailingSeparator(record.Target);
    if (!UnstorablePathReason(target).empty())
        return Refused("the link's target cannot be stored");
    if (IsDesktopEntryFile(target)) {
        ShellLinkRecord entry;
        if (ResolveShellLink(target, entry) == kShellLinkOk) {
            LinkPlan plan = FromDesktopEntry(entry);
            if (plan)
                return plan;
        }
    }
    return PlainFileLink(target);
}

} // namespace

std::string FileLinkCaption(std::string_view path) {
    std::string_view body = path;
    while (body.size() > 1 && body.back() == '/')
        body.remove_suffix(1);
    if (body == "/")
        return "/";
    const std::string name = ExtractFileName(body);
    std::string caption = RemoveExtension(name);
    if (caption.empty())
        caption = name;
    return RemoveRecordMarks(caption);
}

std::string UnstorablePathReason(std::string_view path) {
    if (path.empty())
        return "the path is empty";
    if (path.find_first_of(std::string_view("|\r\n\0", 4)) != std::string_view::npos)
        return "the path holds a line break or \"|\"";
    if (DecodeUtf8(path) != path)
        return "the path is not UTF-8";
    return {};
}

namespace {
LinkPlan DecideLinkFromFile(const std::string& file) {
    if (std::string why = UnstorablePathReason(file); !why.empty())
        return Refused(std::move(why));
    if (!IsAbsolutePath(file))
        return Refused("the path is not absolute");
    const std::string path = WithoutTrailingSeparator(file);
    if (!PathExists(path))
        return Refused("the file does not exist");
    if (IsSymbolicLink(path) || IsDesktopEntryFile(path)) {
        LinkPlan followed = FollowShortcut(path);
        if (followed)
            return followed;
        // A shortcut without target: the link goes to the shortcut file itself.
    }
    return PlainFileLink(path);
}

LinkPlan From(std::string source, LinkPlan plan) {
    plan.source = std::move(source);
    return plan;
}
} // namespace

LinkPlan PlanLinkFromFile(const std::string& file) {
    return From(file, DecideLinkFromFile(file));
}

LinkPlan PlanDirectoryLink(const std::string& folder) {
    if (std::string why = UnstorablePathReason(folder); !why.empty())
        return From(folder, Refused(std::move(why)));
    LinkPlan plan;
    plan.source = folder;
    plan.path = WithoutTrailingSeparator(folder);
    plan.caption = FileLinkCaption(plan.path);
    plan.kind = LinkKind::Unknown;
    plan.windowStateEntry = false;
    plan.picture = PictureSource::Directory;
    return plan;
}

LinkPlan PlanWebLink(const std::string& address) {
    if (!IsWebAddress(address))
        return From(address, Refused("not a web address"));
    if (std::string why = UnstorablePathReason(address); !why.empty())
        return From(address, Refused(std::move(why)));
    LinkPlan plan;
    plan.source = address;
    plan.path = address;
    plan.caption = RemoveRecordMarks(address);
    plan.kind = LinkKind::Net;
    plan.picture = PictureSource::WebType;
    return plan;
}

LinkPlan PlanLinkFromArgument(const std::string& argument, const std::string& workingFolder) {
    if (IsWebAddress(argument))
        return PlanWebLink(argument);
    if (StrStartsWith(argument, "file:", true)) {
        const std::vector<UriEntry> uri = ParseUriList(argument, LocalHostName());
        if (uri.size() != 1 || uri[0].kind != UriEntry::Kind::LocalFile)
            return From(argument, Refused("not a local file"));
        return From(argument, DecideLinkFromFile(uri[0].value));
    }
    return From(argument, DecideLinkFromFile(AbsoluteArgument(argument, workingFolder)));
}

std::string AbsoluteArgument(const std::string& argument, const std::string& workingFolder) {
    if (argument.empty() || IsAbsolutePath(argument) || IsWebAddress(argument) ||
        StrStartsWith(argument, "file:", true))
        return argument;
    return std::filesystem::path(IncludeTrailingSeparator(workingFolder) + argument)
        .lexically_normal()
        .string();
}

std::vector<LinkPlan> PlanDroppedLinks(std::string_view uriList, bool hasUriList,
                                       std::string_view text, std::string_view localHost) {
    std::vector<LinkPlan> plans;
    if (hasUriList) {
        for (const UriEntry& entry : ParseUriList(uriList, localHost)) {
            if (entry.kind == UriEntry::Kind::LocalFile)
                plans.push_back(PlanLinkFromFile(entry.value));
            else if (IsWebAddress(entry.value))
                plans.push_back(PlanWebLink(entry.value));
            else
                plans.push_back(From(entry.value, Refused("not a local file or web address")));
        }
        return plans;
    }
    const std::string line = StrTrim(text);
    if (!line.empty() && line.find_first_of("\r\n") == std::string::npos && IsWebAddress(line))
        plans.push_back(PlanWebLink(line));
    return plans;
}

} // namespace pw::items
