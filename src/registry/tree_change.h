#pragma once
// Reading from and changing a 所得税 tree (the data on drive C, or a backup on another drive) so that no
// state between the old one and the new one is ever left on the disk.
//
// A change writes its new files into a hidden folder beside 所得税, on the same file system. When all of
// them are on the disk it writes a plan there (what to rename, what to remove), and only then do the files
// take their names, each by one rename. A change that stops before its plan is on the disk leaves the tree
// as it was; one that stops after it is finished by finishInterruptedChanges(), which the program runs on
// the data folder at start-up and on any folder before it backs up to it or restores from it.
//
// Names are relative to 所得税 with "/" between folder and file ("個人名/7.txt", "税理士名.txt"). Every
// folder below the base is opened without following links, so neither a link in a backup nor one put in
// its place while the program runs can lead a read or a write outside the tree.

#include "core/file_io.h"

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kakutei {

// A name a tree may hold: a file, or a folder and a file; no part empty, none starting with ".".
bool isTreeName(std::string_view name);

class FolderHandles;
struct FolderPlace;
class OpenFolder;

enum class SourceState {
    missing,    // not there
    ok,         // a regular file of a reasonable size, read whole
    link,       // a symbolic link, never followed
    notRegular, // a folder, a pipe, a device or a socket, never opened
    tooLarge,   // larger than kLargestStoredFile
    unreadable, // there, but reading it failed
};

struct SourceFile {
    SourceState state = SourceState::missing;
    std::string bytes;
    Permissions permissions; // for ok: the file's bits and group as they stand
    std::error_code error; // for unreadable
    std::string where;     // the name at fault: the file, or the folder above it
};

// Reads files of the 所得税 tree in `base`.
class TreeReader {
public:
    explicit TreeReader(const std::string& base);
    ~TreeReader();
    TreeReader(const TreeReader&) = delete;
    TreeReader& operator=(const TreeReader&) = delete;

    // Why the tree cannot be read at all: no such folder, or 所得税 is a link or no folder.
    std::error_code error() const { return error_; }
    SourceFile read(std::string_view name);
    // The bits and group of 所得税 (an empty name) or of a folder in it; nothing when it is not there or
    // the platform has none.
    std::optional<Permissions> folderPermissions(std::string_view folder);

private:
    std::unique_ptr<FolderHandles> folders_;
    std::error_code error_;
};

class TreeChange {
public:
    // `base` holds 所得税, or will once the change is made.
    explicit TreeChange(const std::string& base);
    ~TreeChange(); // a change never committed is thrown away, and the tree stays as it was
    TreeChange(const TreeChange&) = delete;
    TreeChange& operator=(const TreeChange&) = delete;

    // Why nothing can be changed: the base is missing, 所得税 there is a link, the hidden folder cannot be
    // made. Every later call then fails with it.
    std::error_code error() const { return error_; }
    // `name` holds these bytes once the change is made. A replaced file keeps its permissions and group; a
    // new one takes those of its folder.
    std::error_code put(std::string_view name, std::string_view bytes);
    // For a copy of another tree (a backup): `name` holds `file` read from `from` once the change is made,
    // with that file's permissions and group whatever stood here, and a folder the change makes takes
    // those of the same folder there. Private data stays private wherever it is copied, shared data shared.
    std::error_code copy(std::string_view name, const SourceFile& file, TreeReader& from);
    // `name` is gone once the change is made; a name that is not there is no error.
    std::error_code remove(std::string_view name);
    // The names that the change removes and that are there now.
    const std::vector<std::string>& removals() const { return removals_; }
    bool empty() const { return puts_.empty() && removals_.empty(); }

    // Makes the change. A failure before the plan is on the disk leaves the tree as it was; after it, the
    // rest is tried and finishInterruptedChanges() tries again later. An interrupt (a signal, or Ctrl+C
    // and the console's close button on Windows) waits until the tree is whole again.
    std::error_code commit();

private:
    std::error_code placeOf(std::string_view name, FolderPlace& place);
    // Stages the bytes, with `given` or else with the permissions a put gives.
    std::error_code stage(std::string_view name, std::string_view bytes, const Permissions* given);
    std::string base_;
    std::unique_ptr<FolderHandles> target_;
    std::unique_ptr<OpenFolder> staging_;
    std::string stagingName_;
    std::vector<std::pair<std::string, std::string>> puts_; // staged file, name
    std::vector<std::string> removals_;
    std::map<std::string, Permissions> newFolders_; // a copy's folders: 所得税 by an empty name
    std::error_code error_;
    bool committed_ = false;
};

struct Recovery {
    int finished = 0;      // changes whose plan was found and carried out
    std::error_code error; // a change that still cannot be finished
};

// Finishes the changes in `base` that stopped after their plan reached the disk, and throws away the
// leftovers of those that stopped before it once they are an hour old (younger ones may be another
// program's change under way on a shared folder).
Recovery finishInterruptedChanges(const std::string& base);

} // namespace kakutei
