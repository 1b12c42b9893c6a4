#pragma once
// The message texts of a save that could not be completed (file "UTF8_program.ini", section
// "__MessageText__FrontMain"): the first names the folders that could not be written, the
// second says what became of the items on disk.

namespace pw {

struct FrontMessage {
    const char* key;
    const char* english;
};

inline constexpr FrontMessage kSaveErrorFolders{
    "SaveErrorFolders", "The items could not be saved completely. These folders could not be "
                        "written (is the disk full, or the folder read-only?):"};
inline constexpr FrontMessage kSaveErrorRestored{
    "SaveErrorRestored", "The items on disk were left as they were before this save. Your "
                         "changes are still in the window: save again once the problem is solved."};
inline constexpr FrontMessage kSaveErrorNotRestored{
    "SaveErrorNotRestored",
    "The items on disk could not be put back as they were before this save; some folders may "
    "hold the new items already. Your changes are still in the window: save again once the "
    "problem is solved."};

} // namespace pw
