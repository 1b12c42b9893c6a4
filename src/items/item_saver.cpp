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

// One directory's save: its listing, taken before anything is written, its records and the
// names the clean-up leaves.
struct ItemSaver::Level {
    std::string directory;
    DirectoryEntries entries;
    std::string buffer;
    std::set<std::string> keep;
    bool failed = false;
};

ItemSaver::ItemSaver(ItemStore& store) : store_(store) {}

bool ItemSaver::InsideItemsRoot(const std::string& directory) const {
    if (rootReal_.empty())
        return false;
    const std::string real = RealPath(directory);
    return !real.empty() && real.compare(0, rootReal_.size(), rootReal_) == 0;
}

IconFileMode ItemSaver::IconMode(bool withIconFiles) const {
    if (withIconFiles)
        return IconFileMode::Write;
    return KeepIconFiles ? IconFileMode::Keep : IconFileMode::Drop;
}

void ItemSaver::BeforeChange() {
    if (backup_ != Backup::NotNeeded)
        return;
    const StorePaths& paths = store_.Paths();
    backup_ = MakeItemsBackup(paths.itemsRoot, paths.tempFolder) ? Backup::Made : Backup::Missing;
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
    // Pictures still waiting in their cache files are read first: the save may move or remove
    // the very files they would come from (a link moved to another folder).
    if (withIconFiles)
        store_.Images.ReadAllPictures();
    rootReal_ = RealPath(paths.itemsRoot);
    iconMode_ = IconMode(withIconFiles);
    backup_ = Backup::NotNeeded;
    anyFailure_ = false;
    walkFromRoot_ = true;
    linksOnTheWay_ = 0;
    SaveLevel(store_.tvItems.RootNodes(), paths.itemsRoot);
    walkFromRoot_ = false;
    if (Changed() && store_.SyncAfterSave)
        SyncFileSystem(paths.itemsRoot); // on disk before the backup goes
    // A backup that could not be completed is useless for a restore; remove it either way
    // once the save itself has run to its end (an older one too).
    if (anyFailure_ && backup_ == Backup::Made && KeepBackupOnFailure)
        BackupKept = true;
    else
        RemoveItemsBackup(paths.tempFolder);
    return !anyFailure_;
}

bool ItemSaver::SaveFolder(const TreeNode* topMarker, const std::string& directory,
                           bool withIconFiles) {
    if (!topMarker)
        return false;
    if (rootReal_.empty())
        rootReal_ = RealPath(store_.Paths().itemsRoot);
    iconMode_ = IconMode(withIconFiles);
    const auto* level = topMarker->Siblings();
    return level ? SaveLevel(*level, directory) : false;
}

bool ItemSaver::SaveLevel(const std::vector<std::unique_ptr<TreeNode>>& nodes,
                          const std::string& directory) {
    Level level;
    level.directory = directory;
    level.entries = ListDirectoryEntries(directory);
    try {
        for (const auto& node : nodes)
            if (!IsTopMarker(node.get()))
                WriteRecord(*node, level);
    } catch (const std::exception&) {
        level.failed = true;
        store_.Log(directory, kLogSaveNodes);
    }
    const std::string file = directory + kShortcutFile;
    if (!FileHoldsBytes(file, level.buffer)) {
        BeforeChange();
        if (!WriteFileAtomically(file, level.buffer))
            level.failed = true; // the old file stays, and so does everything it names
    }
    level.keep.insert(kShortcutFile);
    if (!level.failed && !Cleanup(level))
        level.failed = true;
    anyFailure_ = anyFailure_ || level.failed;
    if (level.failed)
        failedFolders_.push_back(directory);
    return !level.failed;
}

void ItemSaver::WriteRecord(const TreeNode& node, Level& level) {
    std::string& buffer = level.buffer;
    const std::string& directory = level.directory;
    if (IsTopMarker(&node))
        return;
    if (IsFolder(&node)) {
        const std::string& name = node.Text;
        if (!IsUsableFolderName(name)) {
            level.failed = true; // cannot be a directory here; keep the level's old files
            store_.Log(directory + name, kLogSaveNodes);
            return;
        }
        level.keep.insert(name + "/");
        buffer += kTagFolder;
        buffer += '|';
        buffer += name;
        buffer += kRecordEnd;
        if (!PrepareFolderDirectory(node, level)) {
            level.failed = true;
            return;
        }
        auto entry = level.entries.find(name);
        const bool link = entry != level.entries.end() && IsLinkKind(entry->second);
        linksOnTheWay_ += link ? 1 : 0;
        try {
            SaveLevel(node.Children, directory + name + "/");
        } catch (const std::exception&) {
            level.failed = true;
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
        if (IsRunnableFile(path)) {
            icon = LowerExtension(path);
        } else {
            IconLevel files{directory, level.entries, level.keep, level.failed,
                            [this] { BeforeChange(); }};
            icon = WriteIconFiles(node, path, attributes.LoadedIconFile(id), files, iconMode_,
                                  store_.Images);
        }
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

bool ItemSaver::PrepareFolderDirectory(const TreeNode& folder, Level& level) {
    const std::string& name = folder.Text;
    const auto entry = level.entries.find(name);
    if (entry != level.entries.end()) {
        if (IsDirectoryKind(entry->second))
            return true;
        return false; // the name is taken by a file or a dangling link
    }
    const std::string sub = level.directory + name;
    // A directory named like the folder but for letter case, which no folder of this level
    // claims, is the folder's own directory from before a rename.
    for (const auto& [other, kind] : level.entries) {
        if (kind != EntryKind::Directory || !SameText(other, name))
            continue;
        bool claimed = false;
        if (const auto* siblings = folder.Siblings())
            for (const auto& sibling : *siblings)
                if (IsFolder(sibling.get()) && sibling->Text == other)
                    claimed = true;
        if (claimed)
            continue;
        BeforeChange();
        std::error_code ec;
        fs::rename(fs::path(level.directory + other), fs::path(sub), ec);
        if (ec)
            break;
        level.entries.erase(other);
        level.entries.emplace(name, EntryKind::Directory);
        return true;
    }
    BeforeChange();
    if (!ForceDirectories(sub + "/"))
        return false;
    level.entries.emplace(name, EntryKind::Directory);
    return true;
}

bool ItemSaver::Cleanup(const Level& level) {
    const bool surelyInside = walkFromRoot_ && linksOnTheWay_ == 0;
    if (!surelyInside && !InsideItemsRoot(level.directory))
        return true; // reached through a link to elsewhere: nothing there is ours to remove
    // The listing taken before the save holds every stale entry: what the save wrote since is
    // in the keep list.
    for (const auto& [name, kind] : level.entries) {
        if (level.keep.count(IsDirectoryKind(kind) ? name + "/" : name) != 0)
            continue;
        BeforeChange();
        const std::string path = level.directory + name;
        std::error_code ec;
        if (kind == EntryKind::Directory) {
            if (!DeleteToRecycleBin(path + "/"))
                return false;
        } else if (!fs::remove(fs::path(path), ec) || ec) {
            return false;
        }
    }
    return true;
}

} // namespace pw::items
