#pragma once
// The one way out for every file the program writes beside its records: the PDFs of a print or of the work
// sheet, the roster's and the comparison's CSV. A path typed or picked in a dialog can name a record, and a
// PDF over "所得税/個人名/7.txt" would end that client's registration; so nothing goes into the data folder.
// And each such file holds clients' names and figures, so it is as private as the data itself: its owner's
// alone, or also the data folder's group's where an office shares the data through a group, whatever the
// umask or the folder it lands in would give.

#include "core/file_io.h"

#include <string>
#include <string_view>
#include <system_error>

namespace kakutei {

class DataStore;

class OutputGate {
public:
    explicit OutputGate(const DataStore& store);
    explicit OutputGate(std::string dataRoot);

    // StoreErrc::insideDataFolder when `path`, a file or a folder for files, there yet or not, lies in the
    // data folder, judged where it really is (links, "." and ".." resolved; a name not there yet where its
    // folder is). Nothing when it may be written.
    std::error_code refusal(const std::string& path) const;
    // What a file written at `path` is given: 0600, and the data folder's group bits with its group where
    // the data folder has any. A file it replaces keeps no more than it had: the data's group bits that the
    // old file lacked stay off, while bits for anyone else are taken away.
    Permissions permissionsFor(const std::string& path) const;
    // Writes `bytes` at `path` whole, replacing a file there, with permissionsFor(path); or refuses.
    std::error_code write(const std::string& path, std::string_view bytes) const;

private:
    std::string dataRoot_;
};

} // namespace kakutei
