#include "items/item_saver.h"

#include <filesystem>

#include "items/atomic_write.h"
#include "items/icon_files.h"
#include "items/item_rules.h"
#include "items/items_backup.h"
#include "items/shortcut_format.h"
#include "util/folders.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_files.h"

namespace pw::items {

namespace fs = std::filesystem;

namespace {

std::string RealPath(const std::string& path) {
    std::error_code ec;
    fs::path real = fs::canonical(fs::path(path), ec);
    if (ec)
        return {};
    return IncludeTrailingSeparator(real.string());
}

// A field as the record can hold it: no "|" (the separator) and no line break.
void AppendField(std::string& buffer, std::string_view field) {
    for (char c : field)
        buffer += (c == '|' || c == '\r' || c == '\n' || c == '\0') ? '_' : c;
}

} // namespace

ItemSaver::ItemSaver(ItemStore& store) : store_(store) {}

bool ItemSaver::InsideItemsRoot(const std::string& directory) const {
    if (rootReal_.empty())
        return false;
    const std::string real = RealPath(directory);
    return !real.empty() && real.compare(0, rootReal_.size(), rootReal_) == 0;
}

bool ItemSaver::SaveItems(bool withIconFiles) {
    const StorePaths& paths = store_.Paths();
    failedFolders_.clear();
    BackupKept = false;
    if (store_.tvItems.RootNodes().empty())
        return false; // never loaded: nothing to save, and nothing may be cleaned away
    if (!ForceDirectories(paths.itemsRoot)) {
        failedFolders_.push_back(paths.itemsRoot);
        return false;
    }
    rootReal_ = RealPath(paths.itemsRoot);
    const bool backedUp = MakeItemsBackup(paths.itemsRoot, paths.tempFolder);
    anyFailure_ = false;
    walkFromRoot_ = true;
    linksOnTheWay_ = 0;
    SaveLevel(store_.tvItems.RootNodes(), paths.itemsRoot, withIconFiles);
    walkFromRoot_ = false;
    if (store_.SyncAfterSave)
        SyncFileSystem(paths.itemsRoot); // on disk before the backup goes
    // A backup that could not be completed is useless for a restore; remove it either way
    // once the save itself has run to its end.
    if (anyFailure_ && backedUp && KeepBackupOnFailure)
        BackupKept = true;
    else if (backedUp || DirectoryExists(paths.tempFolder + kBackupFolderName + "/"))
        RemoveItemsBackup(paths.tempFolder);
    return !anyFailure_;
}

bool ItemSaver::SaveFolder(const TreeNode* topMarker, const std::string& directory,
                           bool withIconFiles) {
    if (!topMarker)
        return false;
    if (rootReal_.empty())
        rootReal_ = RealPath(store_.Paths().itemsRoot);
    const auto* level = topMarker->Siblings();
    return level ? SaveLevel(*level, directory, withIconFiles) : false;
}

bool ItemSaver::SaveLevel(const std::vector<std::unique_ptr<TreeNode>>& level,
                          const std::string& directory, bool withIconFiles) {
    std::string buffer;
    std::set<std::string> keep;
    // One listing of the directory instead of a status call per cache file name.
    std::set<std::string> existing = ListEntryNames(directory);
    bool failed = false;
    try {
        for (const auto& node : level)
            if (!IsTopMarker(node.get()))
                WriteRecord(*node, directory, buffer, existing, keep, withIconFiles, failed);
    } catch (const std::exception&) {
        failed = true;
        store_.Log(directory, kLogSaveNodes);
    }
    if (!WriteFileAtomically(directory + kShortcutFile, buffer))
        failed = true; // the old file stays, and so does everything it names
    keep.insert(kShortcutFile);
    if (!failed && !Cleanup(directory, keep))
        failed = true;
    anyFailure_ = anyFailure_ || failed;
    if (failed)
        failedFolders_.push_back(directory);
    return !failed;
}

void ItemSaver::WriteRecord(const TreeNode& node, const std::string& directory, std::string& buffer,
                            std::set<std::string>& existing, std::set<std::string>& keep,
                            bool withIconFiles, bool& failed) {
    if (IsTopMarker(&node))
        return;
    if (IsFolder(&node)) {
        const std::string& name = node.Text;
        if (!IsUsableFolderName(name)) {
            failed = true; // cannot be a directory here; keep the level's old files
            store_.Log(directory + name, kLogSaveNodes);
            return;
        }
        keep.insert(name + "/");
        buffer += kTagFolder;
        buffer += '|';
        buffer += name;
        buffer += kRecordEnd;
        const std::string sub = directory + name + "/";
        if (!PrepareFolderDirectory(node, directory)) {
            failed = true;
            return;
        }
        const bool link = IsSymbolicLink(ExcludeTrailingSeparator(sub));
        linksOnTheWay_ += link ? 1 : 0;
        try {
            SaveLevel(node.Children, sub, withIconFiles);
        } catch (const std::exception&) {
            failed = true;
        }
        linksOnTheWay_ -= link ? 1 : 0;
        return;
    }
    if (IsNormalSeparator(&node)) {
        buffer += kTagNormalSeparator;
        buffer += '|';
        buffer += kRecordEnd;
        return;
    }
    if (IsSeparator(&node)) {
        buffer += kTagSpecialSeparator;
        buffer += '|';
        AppendField(buffer, StripDashes(node.Text));
        buffer += kRecordEnd;
        return;
    }
    if (!IsLink(&node))
        return;

    const ItemAttributes& attributes = store_.Attributes;
    const int32_t id = node.Data;
    const std::string& path = attributes.Path(id);
    const std::string flags = ComposeFlags(attributes.WindowState(id), attributes.RunAs(id));
    if (IsExecutableLinkPath(path)) {
        std::string icon;
        if (IsRunnableFile(path))
            icon = LowerExtension(path);
        else
            icon = WriteIconFiles(node, path, directory, existing, keep, withIconFiles,
                                  store_.Images, failed);
        buffer += kTagExecutableLink;
        for (const std::string& field :
             {path, attributes.Params(id), icon, node.Text, attributes.WorkDir(id), flags}) {
            buffer += '|';
            AppendField(buffer, field);
        }
    } else if (IsWebAddress(path)) {
        buffer += kTagNetLink;
        for (const std::string& field : {path, node.Text, flags}) {
            buffer += '|';
            AppendField(buffer, field);
        }
    } else {
        buffer += kTagUnknownLink;
        for (const std::string& field : {path, LowerExtension(path), node.Text, flags}) {
            buffer += '|';
            AppendField(buffer, field);
        }
    }
    buffer += kRecordEnd;
}

bool ItemSaver::PrepareFolderDirectory(const TreeNode& folder, const std::string& directory) {
    const std::string sub = directory + folder.Text + "/";
    if (DirectoryExists(sub))
        return true;
    if (!PathExists(ExcludeTrailingSeparator(sub))) {
        // A directory named like the folder but for letter case, which no folder of this level
        // claims, is the folder's own directory from before a rename.
        std::error_code ec;
        for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            std::error_code sec;
            if (!it->is_directory(sec) || it->is_symlink(sec) || !SameText(name, folder.Text))
                continue;
            bool claimed = false;
            if (const auto* level = folder.Siblings())
                for (const auto& sibling : *level)
                    if (IsFolder(sibling.get()) && sibling->Text == name)
                        claimed = true;
            if (claimed)
                continue;
            std::error_code rec;
            fs::rename(it->path(), fs::path(ExcludeTrailingSeparator(sub)), rec);
            if (!rec)
                return true;
            break;
        }
    }
    return ForceDirectories(sub);
}

bool ItemSaver::Cleanup(const std::string& directory, const std::set<std::string>& keep) {
    const bool surelyInside = walkFromRoot_ && linksOnTheWay_ == 0;
    if (!surelyInside && !InsideItemsRoot(directory))
        return true; // reached through a link to elsewhere: nothing there is ours to remove
    std::error_code ec;
    struct Stale {
        fs::path path;
        bool directory; // a real directory, not a link to one
    };
    std::vector<Stale> stale;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        const std::string name = it->path().filename().string();
        // The listing knows each entry's own type; only a link needs a look at its target
        // (a link to a folder counts as a folder here).
        const bool isLink = it->is_symlink(sec);
        const bool isDirectory = it->is_directory(sec);
        if (keep.count(isDirectory ? name + "/" : name) == 0)
            stale.push_back({it->path(), !isLink && isDirectory});
    }
    if (ec)
        return true; // an error of the listing itself is ignored
    for (const Stale& entry : stale) {
        std::error_code sec;
        if (entry.directory) {
            if (!DeleteToRecycleBin(entry.path.string() + "/"))
                return false;
        } else if (!fs::remove(entry.path, sec) || sec) {
            return false;
        }
    }
    return true;
}

} // namespace pw::items
