#include "registry/tree_change.h"

#include "core/file_io.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {
namespace {

constexpr std::string_view kTreeFolder = "所得税";
constexpr std::string_view kStagingPrefix = ".kakutei-change-";
constexpr const char* kPlan = "plan";
constexpr const char* kPlanDraft = "plan.tmp";
// A plan names at most a few thousand files; anything much larger was not written by this program.
constexpr std::size_t kLargestPlan = 8 << 20;
constexpr auto kAbandonedAfter = std::chrono::hours(1);

std::error_code lastError() {
    return {errno, std::generic_category()};
}

void closeQuietly(int fd) {
    if (fd >= 0)
        ::close(fd);
}

std::pair<std::string_view, std::string_view> splitName(std::string_view name) {
    const auto slash = name.find('/');
    if (slash == std::string_view::npos)
        return {{}, name};
    return {name.substr(0, slash), name.substr(slash + 1)};
}

bool isPart(std::string_view part) {
    return !part.empty() && part.front() != '.' && part.find('/') == std::string_view::npos &&
           part.find('\0') == std::string_view::npos && part.find('\n') == std::string_view::npos &&
           part.find('\t') == std::string_view::npos;
}

// Opens a folder below `parent` without following a link in its place.
int openFolderAt(int parent, const std::string& name) {
    return ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// A new folder takes the permission bits of the one it is made in, setgid included, whatever the umask.
int makeFolderAt(int parent, const std::string& name) {
    struct stat info {};
    if (::fstat(parent, &info) != 0)
        return -1;
    if (::mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST)
        return -1;
    const int fd = openFolderAt(parent, name);
    if (fd >= 0)
        (void)::fchmod(fd, info.st_mode & 07777);
    return fd;
}

// Reads at most `limit` + 1 bytes, so that an endless or huge file costs no more than that.
std::error_code readBounded(int fd, std::size_t limit, std::string& bytes) {
    char buffer[65536];
    while (bytes.size() <= limit) {
        const std::size_t want = std::min(sizeof buffer, limit + 1 - bytes.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return lastError();
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return {};
}

// Holds SIGINT, SIGTERM and SIGHUP back while the tree is between two states; they arrive afterwards.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&held, signal);
        ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous_;
};

} // namespace

bool isTreeName(std::string_view name) {
    const auto [folder, file] = splitName(name);
    return isPart(file) && (folder.data() == nullptr || isPart(folder));
}

// Where a name lies: its open folder and its file name there.
struct FolderPlace {
    int folder = -1; // -1 with no error: the folder is not there
    std::string file;
    std::error_code error;
    std::string where; // the folder at fault
};

// The open folders of one 所得税 tree, each opened once and never through a link.
class FolderHandles {
public:
    explicit FolderHandles(const std::string& base) {
        base_ = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); // the base itself the user chose
        if (base_ < 0) {
            baseError_ = treeError_ = lastError();
            return;
        }
        tree_ = openFolderAt(base_, std::string(kTreeFolder));
        if (tree_ < 0)
            treeError_ = lastError();
    }
    ~FolderHandles() {
        for (const auto& [name, fd] : folders_)
            closeQuietly(fd);
        closeQuietly(tree_);
        closeQuietly(base_);
    }
    FolderHandles(const FolderHandles&) = delete;
    FolderHandles& operator=(const FolderHandles&) = delete;

    int base() const { return base_; }
    std::error_code baseError() const { return baseError_; }
    std::error_code treeError() const { return treeError_; }

    using Place = FolderPlace;

    // The open folder that holds `name`, made (with 所得税 above it) when `create` is set.
    Place place(std::string_view name, bool create) {
        const auto [folder, file] = splitName(name);
        Place place;
        place.file = std::string(file);
        if (tree_ < 0 && create && treeError_ == std::errc::no_such_file_or_directory) {
            tree_ = makeFolderAt(base_, std::string(kTreeFolder));
            treeError_ = tree_ < 0 ? lastError() : std::error_code();
        }
        if (tree_ < 0) {
            if (treeError_ != std::errc::no_such_file_or_directory)
                place.error = treeError_;
            place.where = std::string(kTreeFolder);
            return place;
        }
        if (folder.empty()) {
            place.folder = tree_;
            return place;
        }
        const std::string key(folder);
        place.where = key;
        if (const auto found = folders_.find(key); found != folders_.end()) {
            place.folder = found->second;
            return place;
        }
        int fd = openFolderAt(tree_, key);
        if (fd < 0 && errno == ENOENT && create)
            fd = makeFolderAt(tree_, key);
        if (fd < 0) {
            if (errno != ENOENT)
                place.error = lastError();
            return place;
        }
        folders_.emplace(key, fd);
        place.folder = fd;
        return place;
    }

    // The permission bits a new file in `place` takes: its folder's, or the nearest one above it.
    mode_t newFileMode(const Place& place) const {
        struct stat info {};
        const int folder = place.folder >= 0 ? place.folder : tree_ >= 0 ? tree_ : base_;
        if (::fstat(folder, &info) != 0)
            return 0600;
        return info.st_mode & 0666;
    }

    void syncAll() const {
        for (const auto& [name, fd] : folders_)
            ::fsync(fd);
        if (tree_ >= 0)
            ::fsync(tree_);
        ::fsync(base_);
    }

private:
    int base_ = -1;
    int tree_ = -1;
    std::error_code baseError_;
    std::error_code treeError_;
    std::map<std::string, int> folders_;
};

TreeReader::TreeReader(const std::string& base) : folders_(std::make_unique<FolderHandles>(base)) {
    error_ = folders_->treeError();
}

TreeReader::~TreeReader() = default;

SourceFile TreeReader::read(std::string_view name) {
    SourceFile source;
    source.where = std::string(name);
    if (error_ || !isTreeName(name)) {
        source.state = SourceState::unreadable;
        source.error = error_ ? error_ : std::make_error_code(std::errc::invalid_argument);
        return source;
    }
    const FolderHandles::Place place = folders_->place(name, false);
    if (place.error) {
        source.where = place.where;
        source.state = place.error == std::errc::too_many_symbolic_link_levels ? SourceState::link
                       : place.error == std::errc::not_a_directory             ? SourceState::notRegular
                                                                               : SourceState::unreadable;
        source.error = place.error;
        return source;
    }
    if (place.folder < 0)
        return source; // missing
    struct stat info {};
    if (::fstatat(place.folder, place.file.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) {
            source.state = SourceState::unreadable;
            source.error = lastError();
        }
        return source;
    }
    if (S_ISLNK(info.st_mode)) {
        source.state = SourceState::link;
        return source;
    }
    // A pipe would hang the read and a device might do something on open: neither is opened.
    if (!S_ISREG(info.st_mode)) {
        source.state = SourceState::notRegular;
        return source;
    }
    if (static_cast<std::size_t>(info.st_size) > kLargestStoredFile) {
        source.state = SourceState::tooLarge;
        return source;
    }
    const int fd = ::openat(place.folder, place.file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        source.state = errno == ELOOP ? SourceState::link : SourceState::unreadable;
        source.error = lastError();
        return source;
    }
    // Looked at again through the open file: something else may have taken the name meanwhile.
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        source.state = SourceState::notRegular;
        return source;
    }
    source.error = readBounded(fd, kLargestStoredFile, source.bytes);
    ::close(fd);
    if (source.error) {
        source.state = SourceState::unreadable;
        source.bytes.clear();
    } else if (source.bytes.size() > kLargestStoredFile) {
        source.state = SourceState::tooLarge;
        source.bytes.clear();
    } else {
        source.state = SourceState::ok;
    }
    return source;
}

namespace {

struct PlanEntry {
    bool put = false;
    std::string staged; // for a put
    std::string name;
};

std::string planText(const std::vector<std::pair<std::string, std::string>>& puts,
                     const std::vector<std::string>& removals) {
    std::string text;
    for (const auto& [staged, name] : puts)
        text += "put\t" + staged + "\t" + name + "\n";
    for (const std::string& name : removals)
        text += "remove\t" + name + "\n";
    return text;
}

bool isStagedName(std::string_view name) {
    return name.size() > 1 && name.front() == 'f' &&
           name.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

// The plan as written by planText; nothing when any line is not one this program writes, since a backup
// folder may come from anywhere.
std::optional<std::vector<PlanEntry>> parsePlan(std::string_view text) {
    std::vector<PlanEntry> entries;
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // cut short: never written whole, so never renamed into place
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        PlanEntry entry;
        if (line.starts_with("put\t")) {
            line.remove_prefix(4);
            const auto tab = line.find('\t');
            if (tab == std::string_view::npos)
                return std::nullopt;
            entry.put = true;
            entry.staged = std::string(line.substr(0, tab));
            entry.name = std::string(line.substr(tab + 1));
            if (!isStagedName(entry.staged))
                return std::nullopt;
        } else if (line.starts_with("remove\t")) {
            entry.name = std::string(line.substr(7));
        } else {
            return std::nullopt;
        }
        if (!isTreeName(entry.name))
            return std::nullopt;
        entries.push_back(std::move(entry));
    }
    return entries;
}

// Carries the plan out. Every step can be taken again: a file already renamed is no longer in the staging
// folder, a file already removed is no longer there.
std::error_code applyPlan(int staging, FolderHandles& tree, const std::vector<PlanEntry>& entries) {
    std::error_code first;
    const auto note = [&](std::error_code error) {
        if (error && !first)
            first = error;
    };
    for (const PlanEntry& entry : entries) {
        const FolderHandles::Place place = tree.place(entry.name, entry.put);
        if (place.error) {
            note(place.error);
            continue;
        }
        if (entry.put) {
            if (place.folder < 0) {
                note(std::make_error_code(std::errc::no_such_file_or_directory));
                continue;
            }
            if (::renameat(staging, entry.staged.c_str(), place.folder, place.file.c_str()) != 0 &&
                errno != ENOENT)
                note(lastError());
        } else if (place.folder >= 0) {
            if (::unlinkat(place.folder, place.file.c_str(), 0) != 0 && errno != ENOENT)
                note(lastError());
        }
    }
    tree.syncAll();
    return first;
}

// Empties and removes a staging folder. Only what a change puts there is removed; a folder someone else
// made inside one is left, and so is the staging folder then.
void discardStaging(int base, const std::string& name) {
    const int fd = openFolderAt(base, name);
    if (fd >= 0) {
        if (DIR* listing = ::fdopendir(::dup(fd))) {
            std::vector<std::string> entries;
            while (const dirent* entry = ::readdir(listing)) {
                const std::string_view entryName = entry->d_name;
                if (entryName != "." && entryName != "..")
                    entries.emplace_back(entryName);
            }
            ::closedir(listing);
            for (const std::string& entry : entries)
                (void)::unlinkat(fd, entry.c_str(), 0);
        }
        ::close(fd);
    }
    (void)::unlinkat(base, name.c_str(), AT_REMOVEDIR);
}

// The plan's removal comes last but one: while the plan is there, the change is still to be finished.
void finishStaging(int base, int staging, const std::string& name) {
    ::unlinkat(staging, kPlan, 0);
    ::fsync(staging);
    discardStaging(base, name);
    ::fsync(base);
}

std::error_code readPlan(int staging, std::string& text) {
    const int fd = ::openat(staging, kPlan, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    struct stat info {};
    std::error_code error;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        error = std::make_error_code(std::errc::invalid_argument);
    else
        error = readBounded(fd, kLargestPlan, text);
    ::close(fd);
    if (!error && text.size() > kLargestPlan)
        error = std::make_error_code(std::errc::file_too_large);
    return error;
}

} // namespace

TreeChange::TreeChange(const std::string& base)
    : base_(base), target_(std::make_unique<FolderHandles>(base)) {
    if (target_->baseError()) {
        error_ = target_->baseError();
        return;
    }
    if (target_->treeError() && target_->treeError() != std::errc::no_such_file_or_directory) {
        error_ = target_->treeError();
        return;
    }
    std::string path = base + "/" + std::string(kStagingPrefix) + "XXXXXX";
    if (!::mkdtemp(path.data())) {
        error_ = lastError();
        return;
    }
    stagingName_ = path.substr(path.find_last_of('/') + 1);
    staging_ = openFolderAt(target_->base(), stagingName_);
    if (staging_ < 0)
        error_ = lastError();
}

TreeChange::~TreeChange() {
    if (!stagingName_.empty() && !committed_)
        discardStaging(target_->base(), stagingName_);
    closeQuietly(staging_);
}

std::error_code TreeChange::placeOf(std::string_view name, FolderHandles::Place& place) {
    if (error_)
        return error_;
    if (!isTreeName(name))
        return std::make_error_code(std::errc::invalid_argument);
    place = target_->place(name, false);
    return place.error;
}

std::error_code TreeChange::put(std::string_view name, std::string_view bytes) {
    FolderHandles::Place place;
    if (const auto error = placeOf(name, place))
        return error;
    mode_t mode = target_->newFileMode(place);
    gid_t group = static_cast<gid_t>(-1);
    struct stat existing {};
    if (place.folder >= 0 &&
        ::fstatat(place.folder, place.file.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(existing.st_mode))
            return std::make_error_code(std::errc::is_a_directory); // a rename could not replace it
        if (S_ISREG(existing.st_mode)) {
            mode = existing.st_mode & 07777;
            group = existing.st_gid;
        }
    }
    const std::string staged = "f" + std::to_string(puts_.size());
    const int fd = ::openat(staging_, staged.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return lastError();
    std::error_code error = writeAll(fd, bytes);
    if (group != static_cast<gid_t>(-1))
        (void)::fchown(fd, static_cast<uid_t>(-1), group); // a file system without groups keeps its own
    (void)::fchmod(fd, mode);
    if (::close(fd) != 0 && !error)
        error = lastError();
    if (error)
        return error;
    puts_.emplace_back(staged, std::string(name));
    return {};
}

std::error_code TreeChange::remove(std::string_view name) {
    FolderHandles::Place place;
    if (const auto error = placeOf(name, place))
        return error;
    struct stat existing {};
    if (place.folder < 0 || ::fstatat(place.folder, place.file.c_str(), &existing, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    if (S_ISDIR(existing.st_mode))
        return std::make_error_code(std::errc::is_a_directory);
    removals_.emplace_back(name);
    return {};
}

std::error_code TreeChange::commit() {
    if (error_)
        return error_;
    if (committed_)
        return {};
    if (empty())
        return {}; // the destructor takes the empty staging folder away
    const SignalsHeld held;
    // Every staged file reaches the disk before the plan that names it.
    if (::syncfs(staging_) != 0)
        return lastError();
    const std::string plan = planText(puts_, removals_);
    const int fd = ::openat(staging_, kPlanDraft, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return lastError();
    std::error_code error = writeAll(fd, plan);
    if (!error && ::fsync(fd) != 0)
        error = lastError();
    if (::close(fd) != 0 && !error)
        error = lastError();
    if (!error && ::renameat(staging_, kPlanDraft, staging_, kPlan) != 0)
        error = lastError();
    if (!error && ::fsync(staging_) != 0)
        error = lastError();
    if (error)
        return error;
    committed_ = true; // from here on the change is finished, now or at the next recovery
    std::vector<PlanEntry> entries;
    for (const auto& [staged, name] : puts_)
        entries.push_back({true, staged, name});
    for (const std::string& name : removals_)
        entries.push_back({false, {}, name});
    error = applyPlan(staging_, *target_, entries);
    if (!error)
        finishStaging(target_->base(), staging_, stagingName_);
    return error;
}

Recovery finishInterruptedChanges(const std::string& base) {
    Recovery recovery;
    FolderHandles tree(base);
    if (tree.baseError())
        return recovery;
    std::vector<std::string> stagings;
    if (DIR* listing = ::fdopendir(::dup(tree.base()))) {
        while (const dirent* entry = ::readdir(listing))
            if (std::string_view(entry->d_name).starts_with(kStagingPrefix))
                stagings.emplace_back(entry->d_name);
        ::closedir(listing);
    }
    const auto cutoff = std::chrono::system_clock::now() - kAbandonedAfter;
    for (const std::string& name : stagings) {
        const int staging = openFolderAt(tree.base(), name);
        if (staging < 0)
            continue;
        std::string text;
        const std::error_code planError = readPlan(staging, text);
        std::optional<std::vector<PlanEntry>> entries;
        if (!planError)
            entries = parsePlan(text);
        if (entries) {
            const SignalsHeld held;
            if (const auto error = applyPlan(staging, tree, *entries)) {
                if (!recovery.error)
                    recovery.error = error;
            } else {
                finishStaging(tree.base(), staging, name);
                ++recovery.finished;
            }
        } else {
            struct stat info {};
            if (::fstat(staging, &info) == 0 &&
                std::chrono::system_clock::from_time_t(info.st_mtime) < cutoff)
                discardStaging(tree.base(), name);
        }
        ::close(staging);
    }
    return recovery;
}

} // namespace kakutei
