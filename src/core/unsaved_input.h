#pragma once
// What the user typed on a screen since its figures were last loaded or stored. The windows report each box
// and option just before the user's hand changes it; the record keeps what it held then. Input is unsaved
// while one of those differs from what it held, so a figure typed and typed back counts for nothing. What the
// program writes into a box (a result, a figure a load keeps in step) never counts; a figure another window
// hands over at the user's word does, as App reports it here before it writes it.

#include "core/field.h"

#include <string>
#include <utility>
#include <vector>

namespace kakutei {

class UnsavedInput {
public:
    // Before a typed edit of a box, or a click on a check box or option.
    void typing(const Field& field);
    void typing(const bool& flag);

    bool any() const;
    // The figures on the screen are what is stored again (a load, a save): nothing typed is pending.
    void settle();

private:
    std::vector<std::pair<const Field*, std::string>> texts_;
    std::vector<std::pair<const bool*, bool>> flags_;
};

} // namespace kakutei
