#include "office/csv_text.h"

#include "core/cp932.h"
#include "core/file_io.h"
#include "core/store_error.h"

namespace kakutei {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string csvAmount(const std::optional<std::int64_t>& amount) {
    return amount ? std::to_string(*amount) : std::string();
}

std::error_code writeCsvFile(const std::string& path, std::string_view utf8) {
    const Cp932Encoding encoded = encodeCp932(utf8);
    if (!encoded.ok())
        return make_error_code(StoreErrc::unstorableText);
    return writeFileAtomically(path, encoded.bytes, WriteMode::replace);
}

} // namespace kakutei
