// pathwick-ctl add: files, folders and web addresses become links at the end of a menu folder,
// decided by the same CreateLinkFromFile as the manager window's. A running instance adds them
// itself (and saves, unless its manager window holds unsaved edits); otherwise the tree on disk
// is loaded, extended and saved as the program saves it.

#include <QByteArray>
#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "app/ctl/ctl_registry.h"
#include "framework/environment.h"
#include "framework/ui/instance_control.h"
#include "items/item_attach.h"
#include "items/item_store.h"
#include "items/link_from_file.h"
#include "items/tree_report.h"
#include "platform/instance_channel.h"
#include "platform/theme_icon_source.h"
#include "util/paths.h"
#include "util/uri_list.h"

namespace pw::ctl {

namespace {

// A save of a large tree may take a while; the running instance answers after it.
constexpr int kReplyWaitMs = 120000;

std::string WorkingFolder() {
    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    return ec ? std::string("/") : IncludeTrailingSeparator(cwd.string());
}

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "pathwick-ctl: %s\n", message.c_str());
    return status;
}

std::string Decoded(const QByteArray& word) {
    return PercentDecode(std::string_view(word.constData(), static_cast<size_t>(word.size())));
}

std::string FolderName(const std::string& folder) {
    return folder.empty() ? std::string("the root level") : "\"" + folder + "\"";
}

// The disk path: load, extend, save.
int AddOnDisk(const std::string& data, const std::string& folderPath,
              const std::vector<items::LinkPlan>& plans) {
    if (!DirectoryExists(data))
        return Fail(1, "data folder not found: " + data);
    ThemeIconSource icons;
    items::ItemStore store({data + "shortcuts/", data + "temp/", ExecutableFolder()}, icons);
    store.LoadItems();
    items::TreeNode* folder = nullptr;
    if (!items::FindMenuFolder(store.tvItems, folderPath, folder))
        return Fail(2, "no menu folder " + FolderName(folderPath));
    for (const items::LinkPlan& plan : plans)
        items::AttachLink(store, items::LastNodeOfLevel(store.tvItems, folder), plan);
    const items::SaveOutcome out = store.Save(items::SaveChoice::Normal);
    if (!out.Saved) {
        std::string failed;
        for (const std::string& f : out.FailedFolders)
            failed += "\n  " + f;
        return Fail(1, std::string("the items could not be saved completely; ") +
                           (out.DiskRestored ? "they were left as they were:"
                                             : "some folders may hold the new items:") +
                           failed);
    }
    return 0;
}

int RunAdd(const Args& input) {
    Args args = input;
    std::string explicitData, folderPath;
    if (!TakeOption(args, "--data", explicitData))
        return UsageError("--data needs a folder");
    if (!TakeOption(args, "--folder", folderPath))
        return UsageError("--folder needs a menu folder path");
    const bool print = TakeFlag(args, "--print");
    if (args.empty())
        return UsageError("add needs a file, folder or web address");
    for (const std::string& a : args)
        if (a.size() > 2 && a.compare(0, 2, "--") == 0)
            return UsageError("unknown option '" + a + "'");

    const std::string cwd = WorkingFolder();
    std::vector<items::LinkPlan> plans;
    int refused = 0;
    for (const std::string& argument : args) {
        items::LinkPlan plan = items::PlanLinkFromArgument(argument, cwd);
        if (!plan) {
            Fail(2, argument + ": " + plan.refusal);
            ++refused;
        }
        plans.push_back(std::move(plan));
    }
    if (refused)
        return 2; // nothing is changed

    const std::string data = DataFolder(explicitData);
    if (print) {
        if (!folderPath.empty()) {
            items::PlainIconSource plain;
            items::ItemStore store({data + "shortcuts/", data + "temp/", ExecutableFolder()},
                                   plain);
            store.LoadItems();
            items::TreeNode* folder = nullptr;
            if (!items::FindMenuFolder(store.tvItems, folderPath, folder))
                return Fail(2, "no menu folder " + FolderName(folderPath));
        }
        const std::string out = items::LinkPlansToJson(plans) + "\n";
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    }

    // Icons come from the desktop's icon theme, as in the program; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "pathwick-ctl";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    QByteArray request = QByteArray(InstanceRequest::Add) + ' ' +
                         QByteArray::fromStdString(PercentEncode(data)) + ' ' +
                         QByteArray::fromStdString(PercentEncode(folderPath));
    for (const std::string& argument : args)
        request +=
            ' ' + QByteArray::fromStdString(PercentEncode(items::AbsoluteArgument(argument, cwd)));
    const QString endpoint = InstanceEndpointName(QString::fromLatin1(kInstanceIdentifier));
    // Whether an instance runs is asked first: one that takes long over the links must not find
    // the files changed under it.
    if (endpoint.isEmpty() || !SendInstanceRequest(endpoint, InstanceRequest::Handle))
        return AddOnDisk(data, folderPath, plans);
    const std::optional<QByteArray> reply = SendInstanceRequest(endpoint, request, kReplyWaitMs);
    if (!reply)
        return Fail(1, "the running Pathwick did not answer; the links may have been added.");

    const QList<QByteArray> words = reply->trimmed().split(' ');
    const QByteArray& word = words.value(0);
    if (word == "ADDED")
        return 0;
    if (word == "KEPT") {
        std::fprintf(stderr, "pathwick-ctl: the manager window holds unsaved changes: the new "
                             "links were added to its tree, but nothing was saved.\n");
        return 0;
    }
    if (word == "ELSEWHERE")
        return AddOnDisk(data, folderPath, plans); // the running program uses another folder
    if (word == "NOFOLDER")
        return Fail(2, "no menu folder " + FolderName(folderPath));
    if (word == "REFUSED")
        return Fail(2, Decoded(words.value(1)) + ": " + Decoded(words.value(2)));
    if (word == "BUSY")
        return Fail(1, "Pathwick is busy with a dialog, a menu or a drag; nothing was added.");
    if (word == "SAVEFAILED")
        return Fail(1, "the links were added in the running Pathwick, but saving them failed "
                       "(its log names the folders).");
    return Fail(1, "the running Pathwick does not take this request; nothing was added.");
}

[[maybe_unused]] const bool registeredAdd =
    RegisterCommand({"add", "add [--data DIR] [--folder PATH] [--print] FILE_OR_URL...", RunAdd});

} // namespace

} // namespace pw::ctl
