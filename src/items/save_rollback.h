#pragma once
// Putting the items root back as it was before a save that failed: the save's backup
// ("item_bak" in the temp folder, see items_backup.h) becomes the items root again, so the disk
// keeps the last tree that was saved completely while the window keeps the edited one.

#include <string>

namespace pw::items {

// Replaces the items root by the backup folder and removes what the failed save left: by
// renaming (no copy, so it works on a full disk) where the two lie on one file system, else by
// copying. False when there is no backup or it could not be put back; the backup then stays
// for the start-up recovery to offer.
bool RestoreItemsFromBackup(const std::string& itemsRoot, const std::string& tempFolder);

} // namespace pw::items
