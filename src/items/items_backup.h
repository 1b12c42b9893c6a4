#pragma once
// The backup folder "item_bak" in the data folder's "temp/": made by every save before it
// touches the items root and removed once the save has completed, so that a save cut short
// leaves it behind; the next start then offers to restore it.

#include <string>

namespace pw::items {

inline constexpr const char* kBackupFolderName = "item_bak";
// The question shown when a backup is found, as translation key and English default (file
// "UTF8_program.ini", section "__MessageText__FrontMain"); {AppDataPath} is the data folder.
inline constexpr const char* kBackupQuestionKey = "DiskItemsDataBackup";
inline constexpr const char* kBackupQuestionText =
    "A backup of an earlier items list exists as \"{AppDataPath}item_bak\". In most cases this "
    "is caused by the program has crashed while saving items last time.\r\n\r\nDo you wish to "
    "restore the items from the backup?\r\nIf you choose \"No\" the program will attempt to "
    "delete the backup.\r\nIf you choose \"Yes\" the program will attempt to restore the "
    "backup.\r\nIf you choose \"Cancel\" the program will attempt to load the normal items.";

enum class BackupAnswer { Yes, No, Cancel };

// Asks the user what to do with a backup found at start-up (a warning with Yes, No, Cancel).
class BackupQuestion {
public:
    virtual ~BackupQuestion() = default;
    virtual BackupAnswer AskRestoreBackup(const std::string& backupFolder) = 0;
};

enum class RecoverResult {
    NoBackup,      // nothing to recover
    Restored,      // Yes: the items root now holds the backup, the backup is gone
    RestoreFailed, // Yes, but the copy was incomplete: the backup is kept for another try
    Deleted,       // No: the backup is gone
    Kept,          // Cancel: nothing changed
};

// The start-up check: creates the items root when missing (throws std::runtime_error when that
// fails), then, when tempFolder + "item_bak/" exists, asks and acts on the answer.
RecoverResult RecoverItemsBackup(const std::string& itemsRoot, const std::string& tempFolder,
                                 BackupQuestion& question);

// Makes tempFolder + "item_bak/" a copy of the items root (an older backup is replaced). Files
// are hard-linked where the file system allows it, which is safe because every file of the
// items root is replaced by rename, never rewritten in place. The copy is built beside it and
// renamed into place when complete, so "item_bak" never holds half a tree. False when it could
// not be made.
bool MakeItemsBackup(const std::string& itemsRoot, const std::string& tempFolder);
// Removes the backup after a completed save: renamed away first (from then on there is none),
// then deleted.
bool RemoveItemsBackup(const std::string& tempFolder);

} // namespace pw::items
