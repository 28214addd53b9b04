#include "registry/output_gate.h"

#include "core/data_store.h"
#include "core/path_text.h"
#include "core/store_error.h"
#include "registry/drives.h"
#include "registry/folder_handle.h"

#include <filesystem>

namespace kakutei {
namespace {

constexpr unsigned kGroupBits = 0060;

bool inData(const std::string& dataRoot, const std::string& path) {
    const Overlap overlap = overlapWithData(dataRoot, path);
    return overlap == Overlap::same || overlap == Overlap::inside;
}

} // namespace

OutputGate::OutputGate(const DataStore& store) : OutputGate(store.root()) {}

OutputGate::OutputGate(std::string dataRoot) : dataRoot_(std::move(dataRoot)) {}

std::error_code OutputGate::refusal(const std::string& path) const {
    // The name itself first: a link there may lead into the data. Then the folder it is in, or will be in
    // once made, since the name may be a record's or a link in the data to somewhere else. A data folder that
    // is not there holds nothing to replace.
    if (inData(dataRoot_, path))
        return StoreErrc::insideDataFolder;
    std::error_code unknown;
    std::filesystem::path at = std::filesystem::absolute(fsPath(path), unknown);
    while (at.has_relative_path()) {
        at = at.parent_path();
        const std::string folder = utf8Path(at);
        if (folderExists(folder))
            return inData(dataRoot_, folder) ? make_error_code(StoreErrc::insideDataFolder)
                                             : std::error_code();
    }
    return {};
}

Permissions OutputGate::permissionsFor(const std::string& path) const {
    Permissions permissions;
    std::error_code error;
    if (const OpenFolder root = OpenFolder::open(dataRoot_, error); root.isOpen())
        if (const std::optional<Permissions> data = root.permissions(); data && (data->mode & kGroupBits))
            permissions = {0600 | (data->mode & kGroupBits), data->group};
    const std::filesystem::path file = fsPath(path);
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    if (const OpenFolder there = OpenFolder::open(utf8Path(folder), error); there.isOpen()) {
        const Entry old = there.look(utf8Path(file.filename()), error);
        if (old.kind == EntryKind::regular)
            permissions.mode = 0600 | (permissions.mode & old.permissions.mode & kGroupBits);
    }
    return permissions;
}

std::error_code OutputGate::write(const std::string& path, std::string_view bytes) const {
    if (const std::error_code error = refusal(path))
        return error;
    return writeFileAtomically(path, bytes, WriteMode::replace, permissionsFor(path));
}

} // namespace kakutei
