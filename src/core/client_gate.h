#pragma once
// The one gate every change to a client's files passes: a screen's save, a registration, a delete, a code
// change, a restore of one client or of all, and the batches' saves. It refuses while another program has
// the client open, when the screen making the change holds another taxpayer's figures than the code it
// writes, and a screen's save for a code that has no readable registration (its files would be inherited
// by whoever is registered under that code next).

#include "core/data_store.h"
#include "core/record.h"

#include <optional>
#include <string>

namespace kakutei {

enum class ClientChangeKind {
    save,         // a data screen stores its record
    registration, // the registration screen writes the TaxpayerRecord
    removal,      // data management deletes the client
    codeChange,   // the client's files are copied to another code (both codes change)
    restore,      // the client's files are replaced from a backup
};

struct ClientChange {
    PersonCode code = 0;
    ClientChangeKind kind = ClientChangeKind::save;
    // The code whose figures the screen making the change holds, as its hidden code field had it when it
    // loaded them. A screen's save without one holds nobody's figures yet and is refused.
    std::optional<std::string> heldBy;
};

inline constexpr std::string_view kOtherTaxpayerTitle = "別の人の数字です";
inline constexpr std::string_view kSaveFailedTitle =
    "まず、個人登録を行って下さい。個人登録がないと実行できません。";
inline constexpr std::string_view kOpenElsewhereTitle = "ほかの所で開いています";

// Why the change must not happen, as a message for the user; nothing when it may.
std::optional<Message> changeRefusal(const DataStore& store, const ClientChange& change);
// After a change made here that the client's own windows did not make: they reload.
void clientChanged(const DataStore& store, PersonCode code);

} // namespace kakutei
