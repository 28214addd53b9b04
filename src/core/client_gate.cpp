#include "core/client_gate.h"

#include "core/person_code.h"
#include "core/taxpayer_record.h"

namespace kakutei {

std::optional<Message> changeRefusal(const DataStore& store, const ClientChange& change) {
    const std::string code = std::to_string(change.code);
    // A screen's save stores the figures the screen holds: they must be this client's.
    if (change.heldBy || change.kind == ClientChangeKind::save) {
        const auto held = change.heldBy ? readCode(*change.heldBy).code : std::nullopt;
        if (!held || *held != change.code)
            return Message{std::string(kOtherTaxpayerTitle),
                           "この画面の数字は" +
                               (held ? " 個人コード " + std::to_string(*held) + " のものです。"
                                     : "、まだ誰のものとして読んだものでもありません。") +
                               "個人コード " + code +
                               " のファイルには保存しません。画面を開き直してから入力して下さい。\n"
                               "（何も保存していません。）"};
    }
    if (change.kind == ClientChangeKind::save) {
        const TaxpayerRead registered = readTaxpayerRecord(store, change.code);
        if (const auto problem = registrationProblem(registered, change.code))
            return Message{std::string(kSaveFailedTitle), *problem + "\n（何も保存していません。）"};
    }
    if (ClientGate* gate = store.clientGate())
        if (auto refusal = gate->openElsewhereRefusal(change.code))
            return Message{std::string(kOpenElsewhereTitle), std::move(*refusal)};
    return std::nullopt;
}

void clientChanged(const DataStore& store, PersonCode code) {
    if (ClientGate* gate = store.clientGate())
        gate->changed(code);
}

} // namespace kakutei
