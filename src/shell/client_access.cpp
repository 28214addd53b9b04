#include "shell/client_access.h"

#include "core/data_screen.h"
#include "core/taxpayer_record.h"

namespace kakutei {

std::string openElsewhereText(const DataStore& store, PersonCode code, const LockHolder& holder) {
    return clientName(store, code) + " は、" + describeHolder(holder) + "開いています。";
}

ClientAccess::ClientAccess(DataStore& store, UserInterface& ui) : store_(store), ui_(ui), locks_(store) {
    store_.setClientGate(this);
}

ClientAccess::~ClientAccess() {
    store_.setClientGate(nullptr);
}

void ClientAccess::callUp(PersonCode code) {
    if (current_ && *current_ != code)
        locks_.close(*current_);
    current_ = code;
    lookingOnly_.reset();
    ClientLocks::Attempt attempt = locks_.open(code);
    if (attempt.held || !attempt.holder)
        return; // a mark that cannot be made at all does not keep anyone from their work
    if (ui_.ask(kOpenElsewhereTitle,
                openElsewhereText(store_, code, *attempt.holder) + std::string(kTakeOverQuestion)))
        attempt = locks_.takeOver(code);
    if (!attempt.held)
        lookingOnly_ = code;
}

std::optional<LockHolder> ClientAccess::openElsewhere(PersonCode code) {
    const bool ours = locks_.holds(code);
    const ClientLocks::Attempt attempt = locks_.open(code);
    if (attempt.held && !ours && current_ != code)
        locks_.close(code);
    return attempt.held ? std::nullopt : attempt.holder;
}

void ClientAccess::changed(PersonCode code) {
    if (changed_)
        changed_(code);
}

std::optional<std::string> ClientAccess::openElsewhereRefusal(PersonCode code) {
    // The client called up here keeps its mark, or takes it again once the other program let go; any other
    // is only looked at, so that a restore of a thousand clients makes no mark on any of them.
    const auto holder = current_ == code ? openElsewhere(code) : locks_.holderOf(code);
    if (!holder) {
        // Free, or the other program has let go since: this one holds the mark now and may store.
        if (lookingOnly_ == code)
            lookingOnly_.reset();
        return std::nullopt;
    }
    if (lookingOnly_ == code)
        return openElsewhereText(store_, code, *holder) +
               "\n見るだけで呼び出したため、保存はしませんでした。引き継ぐときは、もう一度呼び出して「OK」を"
               "選んで下さい。";
    return openElsewhereText(store_, code, *holder) + "\nこの人のデータは変えていません。";
}

} // namespace kakutei
