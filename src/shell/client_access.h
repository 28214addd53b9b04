#pragma once
// Which clients this program has open, on a data folder other workstations may share: the client called
// up in the main menu is marked as open here; a client open elsewhere may be looked at, but no save of
// its files goes ahead unless the user took it over.

#include "core/client_lock.h"
#include "core/data_store.h"
#include "core/user_interface.h"

#include <functional>
#include <optional>
#include <string>

namespace kakutei {

inline constexpr std::string_view kTakeOverQuestion =
    "\n\n「OK」: 引き継いで入力します（向こうのプログラムでは保存できなくなります）。"
    "\n「キャンセル」: 見るだけにします（保存はできません）。";

class ClientAccess : public ClientGate {
public:
    ClientAccess(DataStore& store, UserInterface& ui);
    ~ClientAccess() override;
    // Who is told when a client's files changed under its windows (the App, which reloads them).
    void setChangedHandler(std::function<void(PersonCode)> handler) { changed_ = std::move(handler); }

    // The call-up: marks the client as open here and releases the one called up before. A client open
    // in another program is said with who and since when; the user takes it over or only looks.
    void callUp(PersonCode code);
    // Who has the client open in another program, if anyone (the batches skip such a client). Leaves no
    // mark behind.
    std::optional<LockHolder> openElsewhere(PersonCode code);
    // Whether the call-up left the client to be looked at only.
    bool lookingOnly(PersonCode code) const { return lookingOnly_ == code; }

    std::optional<std::string> openElsewhereRefusal(PersonCode code) override;
    void changed(PersonCode code) override;

private:
    DataStore& store_;
    UserInterface& ui_;
    ClientLocks locks_;
    std::optional<PersonCode> current_;
    std::optional<PersonCode> lookingOnly_;
    std::function<void(PersonCode)> changed_;
};

// "個人コード 7（山田太郎） は、山田（コンピューター office-2、プロセス 4711）が 2026/12/10 15:49
// から開いています。"
std::string openElsewhereText(const DataStore& store, PersonCode code, const LockHolder& holder);

} // namespace kakutei
