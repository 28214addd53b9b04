#pragma once
// The deduction screens hold 32-bit amounts but compute in 64 bits. A result that no longer fits is not
// stored wrapped: the calculation stops with a message naming the line.

#include "core/record.h"
#include "core/user_interface.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kakutei {

class WideResults {
public:
    std::int32_t fit(std::int64_t value, std::string_view caption);
    bool ok() const { return failed_.empty(); }
    Message message() const;
    void report(UserInterface& ui) const;

private:
    std::string failed_;
};

} // namespace kakutei
