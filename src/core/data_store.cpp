#include "core/data_store.h"

#include "core/file_io.h"
#include "core/path_text.h"
#include "core/this_system.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace kakutei {
namespace names {

std::string yearDataFolder(std::string_view yearCode) {
    return std::string(baseFolder) + std::string(yearCode) + "所得税\\";
}

std::string taxpayerFile(PersonCode code) {
    return std::string(personFolder) + std::to_string(code) + ".txt";
}

namespace {
std::optional<std::string> numberedFile(PersonCode code, int k, std::string_view yearCode,
                                        std::string_view suffix) {
    // The number is 16-bit, as in every earlier version of these files: codes above 3276 have none.
    const int n = code * 10 + k;
    if (n < -32768 || n > 32767)
        return std::nullopt;
    return yearDataFolder(yearCode) + std::to_string(n) + std::string(suffix);
}
} // namespace

std::optional<std::string> screenFile(PersonCode code, int k, std::string_view yearCode) {
    return numberedFile(code, k, yearCode, ".txt");
}

std::optional<std::string> housingLoanFile(PersonCode code, std::string_view yearCode) {
    return numberedFile(code, 6, yearCode, "住宅.txt");
}

std::optional<std::string> recordFile(PersonCode code, int k, std::string_view yearCode) {
    return k == 6 ? housingLoanFile(code, yearCode) : screenFile(code, k, yearCode);
}

std::string companionTaxAccountantFile(std::string_view yearCode) {
    return "c:\\年末調整\\" + std::string(yearCode) + "税理士報酬\\税理士名.txt";
}

} // namespace names

std::string resolveRoot(std::optional<std::string> commandLineRoot) {
    if (commandLineRoot && !commandLineRoot->empty())
        return *commandLineRoot;
    if (auto root = environmentText("KAKUTEI_ROOT"))
        return *root;
    return defaultDataRoot();
}

DataStore::DataStore(std::string root) : root_(std::move(root)) {
    while (root_.size() > 1 && (root_.back() == '/' || root_.back() == '\\'))
        root_.pop_back();
}

std::string DataStore::path(std::string_view windowsName) const {
    if (windowsName.size() >= 2 && windowsName[1] == ':')
        windowsName.remove_prefix(2);
    std::string out;
    out.reserve(root_.size() + windowsName.size());
    out += root_;
    out += windowsName;
    // 0x5C is never part of a multi-byte UTF-8 character, so this cannot cut one.
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(root_.size()), out.end(), '\\', '/');
    while (out.size() > root_.size() && out.back() == '/')
        out.pop_back();
    return out;
}

std::error_code DataStore::ensureBaseFolders() const {
    if (auto error = createFolders(root_))
        return error;
    const std::string base = path(names::baseFolder);
    if (!folderExists(base)) {
        if (auto error = createFolder(base))
            return error;
    }
    // Also when only the person folder went missing: without it nobody could be registered again.
    const std::string persons = path(names::personFolder);
    if (!folderExists(persons))
        return createFolder(persons);
    return {};
}

void DataStore::removeInterruptedWrites(std::string_view yearCode) const {
    const auto cutoff = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const std::string& folder :
         {path(names::baseFolder), path(names::personFolder), path(names::yearDataFolder(yearCode))}) {
        std::error_code ignored;
        for (std::filesystem::directory_iterator it(fsPath(folder), ignored), end; !ignored && it != end;
             it.increment(ignored)) {
            const std::string name = utf8Path(it->path().filename());
            if (name.starts_with(".kakutei-") && it->is_regular_file(ignored) &&
                it->last_write_time(ignored) < cutoff)
                std::filesystem::remove(it->path(), ignored);
        }
    }
}

std::error_code DataStore::ensureFolders(std::string_view yearCode) const {
    if (auto error = ensureBaseFolders())
        return error;
    const std::string year = path(names::yearDataFolder(yearCode));
    if (!folderExists(year))
        return createFolder(year);
    return {};
}

} // namespace kakutei
