#pragma once
// Whole-office batches: one job (recalculate, or print a page or a copy) for many clients in turn, as a
// user at the main menu would do it for each, with a report per client. A client whose stored records
// cannot be read is skipped untouched; a failure stops only that client.

#include "core/data_store.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kakutei {

class App;

enum class OfficeJob { recalculate, printPage1, printPage2, copyPage1, copyPage2 };
std::string_view officeJobCaption(OfficeJob job); // "再計算", "第一表の印刷", …

enum class BatchResult { done, skipped, failed };

struct BatchOutcome {
    PersonCode code = 0;
    std::string who; // "個人コード 7（山田太郎）"
    BatchResult result = BatchResult::done;
    std::string reason; // why skipped or failed; where a print went when done
};

struct BatchSummary {
    std::vector<BatchOutcome> outcomes;
    std::size_t notReached = 0; // clients left when the batch was cancelled
    bool cancelled = false;

    std::size_t count(BatchResult result) const;
    // "完了 3 人、対象外 1 人、失敗 1 人" and a line per client that was not done, with its reason.
    std::string text() const;
};

class BatchProgress {
public:
    virtual ~BatchProgress() = default;
    // Before client `index` (0-based) of `total`; false cancels the batch there, between two clients.
    virtual bool next(std::size_t index, std::size_t total, std::string_view who) = 0;
};

// What `recalc` does for one taxpayer, as a user at the main menu would: call up, open the income,
// deductions (1), personal deductions and breakdown screens pressing each one's 計算実行, then 税額の計算.
// Stops at the first save that fails and gives that file: the tax is never worked out from a stale one.
// An empty text: the client could not be called up (the user went back to typed figures), nothing done.
std::optional<std::string> recalculateReturn(App& app, PersonCode code);

// Printing jobs go to the surface the caller has given the printing screen.
BatchSummary runOfficeBatch(App& app, OfficeJob job, const std::vector<PersonCode>& codes,
                            BatchProgress* progress = nullptr);

} // namespace kakutei
