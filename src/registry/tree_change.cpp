#include "registry/tree_change.h"

#include "core/store_error.h"
#include "registry/folder_handle.h"
#include "registry/interrupt_guard.h"

#include <charconv>
#include <chrono>
#include <limits>
#include <map>
#include <optional>

namespace kakutei {
namespace {

constexpr std::string_view kTreeFolder = "所得税";
constexpr std::string_view kStagingPrefix = ".kakutei-change-";
constexpr const char* kPlan = "plan";
constexpr const char* kPlanDraft = "plan.tmp";
// A plan names at most a few thousand files; anything much larger was not written by this program.
constexpr std::size_t kLargestPlan = 8 << 20;
constexpr auto kAbandonedAfter = std::chrono::hours(1);

std::pair<std::string_view, std::string_view> splitName(std::string_view name) {
    const auto slash = name.find('/');
    if (slash == std::string_view::npos)
        return {{}, name};
    return {name.substr(0, slash), name.substr(slash + 1)};
}

// No name of ours holds a backslash or a colon, and on Windows either would lead to another folder, a
// drive or a stream of the file.
bool isPart(std::string_view part) {
    return !part.empty() && part.front() != '.' &&
           part.find_first_of(std::string_view("/\\:\0\n\t", 6)) == std::string_view::npos;
}

} // namespace

bool isTreeName(std::string_view name) {
    const auto [folder, file] = splitName(name);
    return isPart(file) && (folder.data() == nullptr || isPart(folder));
}

// Where a name lies: its open folder and its file name there.
struct FolderPlace {
    const OpenFolder* folder = nullptr; // none with no error: the folder is not there
    std::string file;
    std::error_code error;
    std::string where; // the folder at fault
};

// The open folders of one 所得税 tree, each opened once and never through a link.
class FolderHandles {
public:
    explicit FolderHandles(const std::string& base) {
        base_ = OpenFolder::open(base, baseError_); // the base itself the user chose
        if (baseError_) {
            treeError_ = baseError_;
            return;
        }
        tree_ = base_.child(std::string(kTreeFolder), treeError_);
    }

    const OpenFolder& base() const { return base_; }
    std::error_code baseError() const { return baseError_; }
    std::error_code treeError() const { return treeError_; }

    using Place = FolderPlace;

    // The open folder that holds `name`, made (with 所得税 above it) when `create` is set.
    Place place(std::string_view name, bool create) {
        const auto [folder, file] = splitName(name);
        Place place = folderPlace(folder, create);
        place.file = std::string(file);
        return place;
    }

    // The open folder of that name in 所得税, or 所得税 itself for an empty name; made when `create` is set.
    Place folderPlace(std::string_view folder, bool create) {
        Place place;
        if (!tree_.isOpen() && create && treeError_ == std::errc::no_such_file_or_directory)
            tree_ = base_.makeChild(std::string(kTreeFolder), treeError_, newFolder({}));
        if (!tree_.isOpen()) {
            if (treeError_ != std::errc::no_such_file_or_directory)
                place.error = treeError_;
            place.where = std::string(kTreeFolder);
            return place;
        }
        if (folder.empty()) {
            place.folder = &tree_;
            return place;
        }
        const std::string key(folder);
        place.where = key;
        if (const auto found = folders_.find(key); found != folders_.end()) {
            place.folder = &found->second;
            return place;
        }
        std::error_code error;
        OpenFolder opened = tree_.child(key, error);
        if (error == std::errc::no_such_file_or_directory && create)
            opened = tree_.makeChild(key, error, newFolder(key));
        if (!opened.isOpen()) {
            if (error != std::errc::no_such_file_or_directory)
                place.error = error;
            return place;
        }
        place.folder = &folders_.emplace(key, std::move(opened)).first->second;
        return place;
    }

    // The permission bits a new file in `place` takes: its folder's, or the nearest one above it.
    unsigned newFileMode(const Place& place) const {
        const OpenFolder& folder = place.folder ? *place.folder : tree_.isOpen() ? tree_ : base_;
        const std::optional<Permissions> permissions = folder.permissions();
        return permissions ? permissions->mode & 0666 : 0600;
    }

    // What the folders made from now on take instead of their parent's bits: 所得税 by an empty name.
    void giveNewFolders(std::map<std::string, Permissions> folders) { newFolders_ = std::move(folders); }

    void syncAll() const {
        for (const auto& [name, folder] : folders_)
            (void)folder.sync();
        if (tree_.isOpen())
            (void)tree_.sync();
        (void)base_.sync();
    }

private:
    OpenFolder base_;
    OpenFolder tree_;
    std::error_code baseError_;
    std::error_code treeError_;
    std::map<std::string, OpenFolder> folders_;
    std::map<std::string, Permissions> newFolders_;

    const Permissions* newFolder(const std::string& name) const {
        const auto found = newFolders_.find(name);
        return found == newFolders_.end() ? nullptr : &found->second;
    }
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
    if (!place.folder)
        return source; // missing
    std::error_code error;
    const Entry entry = place.folder->look(place.file, error);
    if (error) {
        source.state = SourceState::unreadable;
        source.error = error;
        return source;
    }
    switch (entry.kind) {
    case EntryKind::missing:
        return source;
    case EntryKind::link:
        source.state = SourceState::link;
        return source;
    case EntryKind::regular:
        break;
    case EntryKind::folder:
    case EntryKind::other: // a pipe would hang the read and a device might do something on open
        source.state = SourceState::notRegular;
        return source;
    }
    if (entry.size > kLargestStoredFile) {
        source.state = SourceState::tooLarge;
        return source;
    }
    error = place.folder->readFile(place.file, kLargestStoredFile, source.bytes);
    source.permissions = entry.permissions;
    if (!error)
        source.state = SourceState::ok;
    else if (error == std::errc::too_many_symbolic_link_levels)
        source.state = SourceState::link;
    else if (error == StoreErrc::notRegularFile)
        source.state = SourceState::notRegular;
    else if (error == std::errc::file_too_large)
        source.state = SourceState::tooLarge;
    else
        source.state = SourceState::unreadable;
    if (source.state == SourceState::link || source.state == SourceState::unreadable)
        source.error = error;
    return source;
}

std::optional<Permissions> TreeReader::folderPermissions(std::string_view folder) {
    if (error_ || (!folder.empty() && !isPart(folder)))
        return std::nullopt;
    const FolderHandles::Place place = folders_->folderPlace(folder, false);
    return place.folder ? place.folder->permissions() : std::nullopt;
}

namespace {

enum class Step { put, remove, folder };

struct PlanEntry {
    Step step = Step::remove;
    std::string staged;      // for a put
    std::string name;        // for a folder, empty for 所得税
    Permissions permissions; // for a folder
};

std::string planText(const std::vector<std::pair<std::string, std::string>>& puts,
                     const std::vector<std::string>& removals,
                     const std::map<std::string, Permissions>& folders) {
    std::string text;
    // First, so that a change finished after an interruption makes its folders as the change would have.
    for (const auto& [name, permissions] : folders)
        text += "folder\t" + std::to_string(permissions.mode) + "\t" + std::to_string(permissions.group) +
                "\t" + name + "\n";
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

// A whole decimal number of the line's next field, which `line` then starts after; nothing when there is
// none or it lies outside [low, high].
std::optional<std::int64_t> takeNumber(std::string_view& line, std::int64_t low, std::int64_t high) {
    const auto tab = line.find('\t');
    if (tab == std::string_view::npos)
        return std::nullopt;
    std::int64_t value = 0;
    const std::string_view field = line.substr(0, tab);
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || value < low || value > high)
        return std::nullopt;
    line.remove_prefix(tab + 1);
    return value;
}

// "MODE\tGROUP\t" at the start of a folder line, which `line` then starts after.
std::optional<Permissions> takePermissions(std::string_view& line) {
    const auto mode = takeNumber(line, 0, 07777);
    const auto group = mode ? takeNumber(line, -1, std::numeric_limits<std::uint32_t>::max()) : std::nullopt;
    if (!group)
        return std::nullopt;
    return Permissions{static_cast<unsigned>(*mode), *group};
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
        if (line.starts_with("folder\t")) {
            line.remove_prefix(7);
            const std::optional<Permissions> permissions = takePermissions(line);
            if (!permissions || (!line.empty() && !isPart(line)))
                return std::nullopt;
            entry.step = Step::folder;
            entry.permissions = *permissions;
            entry.name = std::string(line);
            entries.push_back(std::move(entry));
            continue;
        }
        if (line.starts_with("put\t")) {
            line.remove_prefix(4);
            const auto tab = line.find('\t');
            if (tab == std::string_view::npos)
                return std::nullopt;
            entry.step = Step::put;
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
std::error_code applyPlan(const OpenFolder& staging, FolderHandles& tree,
                          const std::vector<PlanEntry>& entries) {
    std::error_code first;
    const auto note = [&](std::error_code error) {
        if (error && error != std::errc::no_such_file_or_directory && !first)
            first = error;
    };
    std::map<std::string, Permissions> folders;
    for (const PlanEntry& entry : entries)
        if (entry.step == Step::folder)
            folders[entry.name] = entry.permissions;
    tree.giveNewFolders(std::move(folders));
    for (const PlanEntry& entry : entries) {
        if (entry.step == Step::folder)
            continue;
        const bool put = entry.step == Step::put;
        const FolderHandles::Place place = tree.place(entry.name, put);
        if (place.error) {
            note(place.error);
            continue;
        }
        if (put) {
            if (!place.folder) {
                if (!first)
                    first = std::make_error_code(std::errc::no_such_file_or_directory);
                continue;
            }
            note(moveReplacing(staging, entry.staged, *place.folder, place.file));
        } else if (place.folder) {
            note(place.folder->removeFile(place.file));
        }
    }
    tree.syncAll();
    return first;
}

// Empties and removes a staging folder. Only what a change puts there is removed; a folder someone else
// made inside one is left, and so is the staging folder then.
void discardStaging(const OpenFolder& base, const std::string& name) {
    std::error_code ignored;
    if (const OpenFolder staging = base.child(name, ignored); staging.isOpen())
        for (const std::string& entry : staging.names())
            (void)staging.removeFile(entry);
    (void)base.removeFolder(name);
}

// The plan's removal comes last but one: while the plan is there, the change is still to be finished.
void finishStaging(const OpenFolder& base, const OpenFolder& staging, const std::string& name) {
    (void)staging.removeFile(kPlan);
    (void)staging.sync();
    discardStaging(base, name);
    (void)base.sync();
}

std::error_code readPlan(const OpenFolder& staging, std::string& text) {
    return staging.readFile(kPlan, kLargestPlan, text);
}

// A file that already holds these bytes with these permissions is left as it stands: restoring a
// backup taken this morning, or backing up to yesterday's stick, then writes only what changed, and the
// rest of the tree is never put at risk for nothing.
bool holdsAlready(const OpenFolder& folder, const std::string& file, const Entry& existing,
                  std::string_view bytes, const Permissions& permissions) {
    if (existing.size != bytes.size() || (existing.permissions.mode & 07777) != (permissions.mode & 07777) ||
        (permissions.group >= 0 && existing.permissions.group >= 0 &&
         existing.permissions.group != permissions.group))
        return false;
    std::string held;
    return !folder.readFile(file, bytes.size(), held) && held == bytes;
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
    staging_ =
        std::make_unique<OpenFolder>(target_->base().makeUniqueChild(kStagingPrefix, stagingName_, error_));
}

TreeChange::~TreeChange() {
    if (!stagingName_.empty() && !committed_)
        discardStaging(target_->base(), stagingName_);
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
    return stage(name, bytes, nullptr);
}

std::error_code TreeChange::copy(std::string_view name, const SourceFile& file, TreeReader& from) {
    for (const std::string_view made : {std::string_view(), splitName(name).first})
        if (!newFolders_.contains(std::string(made)))
            if (const std::optional<Permissions> permissions = from.folderPermissions(made))
                newFolders_.emplace(made, *permissions);
    // A record is never a program: no execute, setuid or sticky bits, whatever the source file had.
    const Permissions permissions{file.permissions.mode & 0666, file.permissions.group};
    return stage(name, file.bytes, &permissions);
}

std::error_code TreeChange::stage(std::string_view name, std::string_view bytes, const Permissions* given) {
    FolderHandles::Place place;
    if (const auto error = placeOf(name, place))
        return error;
    Entry existing;
    if (place.folder) {
        std::error_code ignored;
        existing = place.folder->look(place.file, ignored);
        if (existing.kind == EntryKind::folder)
            return std::make_error_code(std::errc::is_a_directory); // a rename could not replace it
    }
    const Permissions permissions = given ? *given
                                    : existing.kind == EntryKind::regular
                                        ? existing.permissions
                                        : Permissions{target_->newFileMode(place), -1};
    if (existing.kind == EntryKind::regular &&
        holdsAlready(*place.folder, place.file, existing, bytes, permissions))
        return {};
    std::string staged("f");
    staged += std::to_string(puts_.size());
    if (const auto error = staging_->createFile(staged, bytes, permissions))
        return error;
    puts_.emplace_back(staged, std::string(name));
    return {};
}

std::error_code TreeChange::remove(std::string_view name) {
    FolderHandles::Place place;
    if (const auto error = placeOf(name, place))
        return error;
    if (!place.folder)
        return {};
    std::error_code unreadable;
    const Entry existing = place.folder->look(place.file, unreadable);
    if (unreadable || existing.kind == EntryKind::missing)
        return {};
    if (existing.kind == EntryKind::folder)
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
    const InterruptsHeld held;
    // Every staged file reaches the disk before the plan that names it.
    if (const auto error = staging_->syncFiles())
        return error;
    std::error_code error =
        staging_->createFile(kPlanDraft, planText(puts_, removals_, newFolders_), Permissions{}, true);
    if (!error)
        error = moveReplacing(*staging_, kPlanDraft, *staging_, kPlan);
    if (!error)
        error = staging_->sync();
    if (error)
        return error;
    committed_ = true; // from here on the change is finished, now or at the next recovery
    std::vector<PlanEntry> entries;
    for (const auto& [name, permissions] : newFolders_)
        entries.push_back({Step::folder, {}, name, permissions});
    for (const auto& [staged, name] : puts_)
        entries.push_back({Step::put, staged, name, {}});
    for (const std::string& name : removals_)
        entries.push_back({Step::remove, {}, name, {}});
    error = applyPlan(*staging_, *target_, entries);
    if (!error)
        finishStaging(target_->base(), *staging_, stagingName_);
    return error;
}

Recovery finishInterruptedChanges(const std::string& base) {
    Recovery recovery;
    FolderHandles tree(base);
    if (tree.baseError())
        return recovery;
    std::vector<std::string> stagings;
    for (const std::string& name : tree.base().names())
        if (std::string_view(name).starts_with(kStagingPrefix))
            stagings.push_back(name);
    const auto cutoff = std::chrono::system_clock::now() - kAbandonedAfter;
    for (const std::string& name : stagings) {
        std::error_code unopened;
        const OpenFolder staging = tree.base().child(name, unopened);
        if (!staging.isOpen())
            continue;
        std::string text;
        const std::error_code planError = readPlan(staging, text);
        std::optional<std::vector<PlanEntry>> entries;
        if (!planError)
            entries = parsePlan(text);
        if (entries) {
            const InterruptsHeld held;
            if (const auto error = applyPlan(staging, tree, *entries)) {
                if (!recovery.error)
                    recovery.error = error;
            } else {
                finishStaging(tree.base(), staging, name);
                ++recovery.finished;
            }
        } else if (const auto modified = staging.modified(); modified && *modified < cutoff) {
            discardStaging(tree.base(), name);
        }
    }
    return recovery;
}

} // namespace kakutei
