#pragma once
// The folder calls a tree change makes, one file per platform (folder_handle_posix.cpp,
// folder_handle_windows.cpp). Everything below an open folder is named relative to it, so the change logic
// never builds a path and never learns how a platform holds a folder: a descriptor on POSIX, which keeps
// pointing at the same folder whatever is renamed meanwhile; the full path on Windows, checked for
// reparse points as each folder is opened.

#include "core/file_io.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kakutei {

enum class EntryKind { missing, regular, link, folder, other };

struct Entry {
    EntryKind kind = EntryKind::missing;
    std::uint64_t size = 0;  // of a regular file
    Permissions permissions; // of a regular file, bits and group as they stand
};

class OpenFolder {
public:
    OpenFolder() = default;

    // The folder the user chose: a link there is his choice, and followed.
    static OpenFolder open(const std::string& path, std::error_code& error);
    bool isOpen() const { return state_ != nullptr; }

    // A folder inside this one, never through a link: a link in its place fails like anything else that is
    // no folder, with not_a_directory.
    OpenFolder child(const std::string& name, std::error_code& error) const;
    // The same, made first when it is missing; a new folder takes `given`, or else this one's permission
    // bits.
    OpenFolder makeChild(const std::string& name, std::error_code& error,
                         const Permissions* given = nullptr) const;
    // A new private folder whose name starts with `prefix` and no other folder here has; `name` gets it.
    OpenFolder makeUniqueChild(std::string_view prefix, std::string& name, std::error_code& error) const;

    // What stands at `name`, never following a link. A missing entry is no error.
    Entry look(const std::string& name, std::error_code& error) const;
    // Reads a regular file whole, opened without following a link or waiting for a writer. A link fails
    // with too_many_symbolic_link_levels, anything but a regular file with StoreErrc::notRegularFile, and a
    // file longer than `limit` with file_too_large (having read no more than `limit` + 1 bytes of it).
    std::error_code readFile(const std::string& name, std::size_t limit, std::string& bytes) const;
    // Makes a file that must not exist yet and writes it, waiting for the disk when `durable`; a failed
    // write may leave a piece behind.
    std::error_code createFile(const std::string& name, std::string_view bytes,
                               const Permissions& permissions, bool durable = false) const;
    std::error_code removeFile(const std::string& name) const;
    std::error_code removeFolder(const std::string& name) const; // an empty one
    std::vector<std::string> names() const;                      // without "." and ".."

    // This folder's entries reach the disk.
    std::error_code sync() const;
    // Everything written to files in this folder reaches the disk.
    std::error_code syncFiles() const;

    // The folder's own permission bits and group; nothing where the platform has none.
    std::optional<Permissions> permissions() const;
    std::optional<std::chrono::system_clock::time_point> modified() const;

    struct State; // the platform's
    struct Release {
        void operator()(State* state) const;
    };

private:
    explicit OpenFolder(State* state) : state_(state) {}
    friend std::error_code moveReplacing(const OpenFolder&, const std::string&, const OpenFolder&,
                                         const std::string&);
    std::unique_ptr<State, Release> state_;
};

// Gives a file a name in another folder (or the same) in one step, replacing a file of that name.
std::error_code moveReplacing(const OpenFolder& from, const std::string& fromName, const OpenFolder& to,
                              const std::string& toName);

namespace folder_handle_testing {
// renameat(2) as moveReplacing calls it on POSIX; tests put a failing one here.
using RenameFunction = int (*)(int fromFolder, const char* fromName, int toFolder, const char* toName);
extern RenameFunction renameAt;
} // namespace folder_handle_testing

} // namespace kakutei
