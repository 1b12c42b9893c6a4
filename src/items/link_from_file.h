#pragma once
// What a file, a folder on disk or a web address becomes as a new link: path, params, work dir
// and caption, the attribute entries it gets, and where its picture comes from. These are the
// decisions of CreateLinkFromFile and of the Add item kinds, made without touching the store
// (item_attach.h gives out the id and inserts the node).
//
// Shortcut files on this desktop are ".desktop" entries and symbolic links: they are followed
// to what they start. One that leads nowhere becomes a link to the shortcut file itself.

#include <string>
#include <string_view>
#include <vector>

#include "items/item_attributes.h"

namespace pw::items {

// Where the picture of a new link comes from.
enum class PictureSource {
    Directory, // the directory picture (5)
    Shell,     // the icon of the path, from the icon source
    Named,     // a desktop entry's Icon= (theme name or picture file); else the path's icon
    WebType,   // the type icon of "url"
};

struct LinkPlan {
    std::string source;  // what was given: the file, folder, address or dropped entry
    std::string refusal; // not empty: nothing is linked, and this says why
    std::string path;
    std::string params;
    std::string workDir;
    std::string caption;
    LinkKind kind = LinkKind::Unknown; // the kind the tree is saved as
    // Params, work dir, an empty window state and run-as false are stored (program files).
    bool programEntries = false;
    // Otherwise: an empty window state is stored (every kind but a folder on disk).
    bool windowStateEntry = true;
    PictureSource picture = PictureSource::Shell;
    std::string iconName; // PictureSource::Named
    explicit operator bool() const { return refusal.empty(); }
};

// The caption of a link to path: its last component without the extension (the text before the
// last "."). A name the cut would leave empty (".config") is kept whole, the root stays "/";
// "^" and "|" are left out.
std::string FileLinkCaption(std::string_view path);

// Why the text cannot be a link's path ("" when it can): it is empty, holds a line break, "|"
// or a NUL byte (the shortcut file's separators: the saved path would name another file), or is
// not UTF-8 (the shortcut file would no longer read as UTF-8).
std::string UnstorablePathReason(std::string_view path);

// CreateLinkFromFile's decisions for an absolute path that exists (a symbolic link may dangle):
// - a ".desktop" entry of an application: its program (as Exec names it, looked up on PATH),
//   its arguments without field codes, Path= as work dir, Name= as caption, Icon= as picture;
// - a ".desktop" entry of Type=Link: a web link to its URL (a file: URL: a link to that file);
// - a symbolic link: its resolved target (another ".desktop" entry there is followed too);
// - a shortcut that leads to nothing existing, or whose program, arguments or work folder
//   cannot be stored: a link to the shortcut file itself;
// - anything else, ".cpl" files included: a link to the file or folder.
// Params and work dir are kept only for program files (Executable and Runnable files).
LinkPlan PlanLinkFromFile(const std::string& file);
// "Dir on disk/lan": a link to the folder, captioned by FileLinkCaption, with no attribute
// entries but its path, and the directory picture.
LinkPlan PlanDirectoryLink(const std::string& folder);
// "Internet and web", and a web address dropped: when the text passes the web address test, a
// web link with the text as path and as caption.
LinkPlan PlanWebLink(const std::string& address);
// A command-line argument as the running program can take it: a web address or a "file:" URI
// as it is, a path made absolute against workingFolder (which ends with "/").
std::string AbsoluteArgument(const std::string& argument, const std::string& workingFolder);
// A command-line argument: a web address, a "file:" URI, or a path (relative ones are taken
// from workingFolder, which ends with "/").
LinkPlan PlanLinkFromArgument(const std::string& argument, const std::string& workingFolder);
// What a drop brings: the entries of its URI list (local files and web addresses; anything
// else is refused), or, without one, a text that is one web address. localHost: this machine's
// name, whose file URIs are local.
std::vector<LinkPlan> PlanDroppedLinks(std::string_view uriList, bool hasUriList,
                                       std::string_view text, std::string_view localHost);

} // namespace pw::items
