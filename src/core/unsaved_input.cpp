#include "core/unsaved_input.h"

#include <algorithm>

namespace kakutei {

namespace {
// Keeps the value a thing held before its first edit only: later edits compare with that.
template <typename T, typename Value>
void remember(std::vector<std::pair<const T*, Value>>& seen, const T& thing, const Value& value) {
    const bool known =
        std::any_of(seen.begin(), seen.end(), [&](const auto& entry) { return entry.first == &thing; });
    if (!known)
        seen.emplace_back(&thing, value);
}
} // namespace

void UnsavedInput::typing(const Field& field) {
    remember(texts_, field, field.text);
}

void UnsavedInput::typing(const bool& flag) {
    remember(flags_, flag, flag);
}

bool UnsavedInput::any() const {
    return std::any_of(texts_.begin(), texts_.end(),
                       [](const auto& entry) { return entry.first->text != entry.second; }) ||
           std::any_of(flags_.begin(), flags_.end(),
                       [](const auto& entry) { return *entry.first != entry.second; });
}

void UnsavedInput::settle() {
    texts_.clear();
    flags_.clear();
}

} // namespace kakutei
