#pragma once
// The sample data `kakutei --demo` opens: three fictional taxpayers with complete returns (a salary earner
// with a refund, a pensioner, a blue-return shop owner), written and computed by the program itself.

#include <string>

namespace kakutei {

// Fills an empty root with the sample taxpayers and computes their returns; false when it could not.
bool createDemoData(const std::string& root);

} // namespace kakutei
