#include "core/client_lock.h"

#include "core/file_io.h"
#include "core/local_time.h"
#include "core/record_kinds.h"
#include "core/this_system.h"

#include <ctime>
#include <random>

namespace kakutei {

namespace names {
std::string lockFile(PersonCode code) {
    return std::string(lockFolder) + std::to_string(code) + ".lock";
}
} // namespace names

namespace {

// The mark is a record like any other file here; a name that it could not hold is shown as "?" rather than
// leaving the client unmarked.
std::string storable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E || c == '"')
            c = '?';
    return text.empty() ? "?" : text;
}

std::string randomToken() {
    std::random_device device;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 16; ++i)
        token += kDigits[device() % 16];
    return token;
}

} // namespace

std::string describeHolder(const LockHolder& holder) {
    return holder.user + "（コンピューター " + holder.host + "、プロセス " + std::to_string(holder.process) +
           "）が " + localTimeText(holder.since) + " から";
}

LockHolder thisProgram() {
    LockHolder self;
    self.host = storable(thisHostName());
    self.user = storable(thisUserName());
    self.process = thisProcessId();
    self.since = static_cast<std::int64_t>(std::time(nullptr));
    self.token = randomToken();
    return self;
}

ClientLocks::ClientLocks(const DataStore& store, LockHolder self) : store_(store), self_(std::move(self)) {}

ClientLocks::~ClientLocks() {
    while (!held_.empty())
        close(held_.begin()->first);
}

std::optional<LockHolder> ClientLocks::readMark(PersonCode code, std::error_code& error) const {
    const StoredRecord stored = readRecordFile(store_.path(names::lockFile(code)), lockMarkSchema());
    if (!stored.readable()) {
        error = stored.check.state == StoredState::missing
                    ? std::make_error_code(std::errc::no_such_file_or_directory)
                    : stored.check.error;
        return std::nullopt;
    }
    error.clear();
    const RecordValues& values = stored.values;
    return LockHolder{values.texts.at(0), values.texts.at(1), static_cast<std::int64_t>(values.numbers.at(0)),
                      static_cast<std::int64_t>(values.numbers.at(1)), values.texts.at(2)};
}

std::error_code ClientLocks::writeMark(PersonCode code) {
    const std::string folder = store_.path(names::lockFolder);
    if (!folderExists(folder))
        if (const auto error = createFolder(folder); error && error != std::errc::file_exists)
            return error;
    RecordWriter writer(lockMarkSchema());
    writer.text(self_.host);
    writer.text(self_.user);
    writer.integer(self_.process);
    writer.integer(static_cast<std::int64_t>(std::time(nullptr)));
    writer.text(self_.token);
    // Advisory, and stale after a crash anyway: not worth a wait for the disk.
    const std::error_code error =
        writer.writeTo(store_.path(names::lockFile(code)), WriteMode::createNew, Flush::none);
    if (!error)
        held_[code] = self_.token;
    return error;
}

ClientLocks::Attempt ClientLocks::open(PersonCode code) {
    if (held_.contains(code)) {
        if (holds(code))
            return {true, {}, {}};
        held_.erase(code); // taken over by another program since
    }
    // Twice at most: once more after a mark that vanished or was left by a program that is gone.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::error_code written = writeMark(code);
        if (!written)
            return {true, {}, {}};
        if (written != std::errc::file_exists)
            return {false, {}, written};
        std::error_code unreadable;
        const std::optional<LockHolder> holder = readMark(code, unreadable);
        if (!holder) {
            if (unreadable == std::errc::no_such_file_or_directory)
                continue;
            // A mark that cannot be read is still a mark: nobody stores until the user takes it over.
            return {false, LockHolder{"?", "?", 0, 0, {}}, {}};
        }
        if (holder->host == self_.host && !processRuns(holder->process)) {
            removeFile(store_.path(names::lockFile(code)));
            continue;
        }
        return {false, holder, {}};
    }
    std::error_code unreadable;
    return {false, readMark(code, unreadable), {}};
}

ClientLocks::Attempt ClientLocks::takeOver(PersonCode code) {
    if (const auto error = removeFile(store_.path(names::lockFile(code))))
        return {false, {}, error};
    return open(code);
}

void ClientLocks::close(PersonCode code) {
    if (holds(code))
        removeFile(store_.path(names::lockFile(code)));
    held_.erase(code);
}

std::optional<LockHolder> ClientLocks::holderOf(PersonCode code) const {
    std::error_code error;
    const std::optional<LockHolder> holder = readMark(code, error);
    if (!holder) {
        if (error == std::errc::no_such_file_or_directory)
            return std::nullopt;
        // A mark that cannot be read is still a mark.
        return LockHolder{"?", "?", 0, 0, {}};
    }
    const auto ours = held_.find(code);
    if (ours != held_.end() && ours->second == holder->token)
        return std::nullopt;
    if (holder->host == self_.host && !processRuns(holder->process))
        return std::nullopt;
    return holder;
}

bool ClientLocks::holds(PersonCode code) const {
    const auto found = held_.find(code);
    if (found == held_.end())
        return false;
    std::error_code error;
    const auto holder = readMark(code, error);
    return holder && holder->token == found->second;
}

} // namespace kakutei
