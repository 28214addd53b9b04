// Arbitrary bytes as a record file of every kind the program reads: the reader never crashes, and whatever it
// reads whole, the writer writes again; that the reader reads back, and written once more it is the same
// bytes. (The first write may round a hand-typed amount of more than fifteen digits.)
#include "core/record_kinds.h"
#include "core/taxpayer_record.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void roundTrip(std::string_view bytes, const kakutei::RecordSchema& schema) {
    using namespace kakutei;
    const StoredRecord read = parseRecord(bytes, schema);
    if (!read.readable())
        return;
    const RecordWriter writer = recordFrom(schema, read.values);
    // A text the reader accepted may hold a control character the writer refuses: nothing is written then.
    if (writer.problem())
        return;
    const std::string written = writer.bytes();
    const StoredRecord again = parseRecord(written, schema);
    if (!again.readable() || recordFrom(schema, again.values).bytes() != written)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kakutei;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int k = 1; k <= 6; ++k)
        roundTrip(bytes, screenRecordSchema(k));
    for (const RecordSchema* schema :
         {&taxpayerRecordSchema(), &taxAccountantSchema(), &printSettingsSchema(), &lockMarkSchema(),
          &yearEndEmployeeSchema(), &yearEndTaxAccountantSchema()})
        roundTrip(bytes, *schema);
    checkTaxpayerBytes(bytes, 7);
    return 0;
}
