// Arbitrary bytes as a record file: the first byte chooses which kinds of value the reader asks for.
#include "core/file_io.h"
#include "core/record.h"
#include "core/taxpayer_record.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
std::string scratchFile() {
    static const std::string path = [] {
        char pattern[] = "/tmp/kakutei-fuzz-XXXXXX";
        const int fd = ::mkstemp(pattern);
        ::close(fd);
        return std::string(pattern);
    }();
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kakutei;
    if (size == 0)
        return 0;
    const std::string path = scratchFile();
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    writeFileAtomically(path, bytes, WriteMode::replace);
    RecordReader reader(path);
    const std::uint8_t pattern = data[0];
    for (int i = 0; i < 64 && reader.ok(); ++i) {
        switch ((pattern >> (i % 4 * 2)) & 3) {
        case 0:
            reader.text();
            break;
        case 1:
            reader.number();
            break;
        case 2:
            reader.int16();
            break;
        default:
            reader.int32();
            break;
        }
    }
    readRecordValues(path, pattern % 50, pattern % 40);
    return 0;
}
