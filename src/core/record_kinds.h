#pragma once
// The schema of every kind of record file the program reads or writes. Each is described here once; nothing
// else in the program knows how many values a file holds or of what kind.

#include "core/record_schema.h"

namespace kakutei {

// "c:\所得税\個人名\<code>.txt": 26 values (code, name, condition, …) and the fillers.
const RecordSchema& taxpayerRecordSchema();
// "c:\所得税\税理士名.txt": the tax accountant's name, address and telephone, no fillers.
const RecordSchema& taxAccountantSchema();
// Screen file k: 1 income, 2 deductions (1), 3 personal deductions, 4 income breakdown, 5 tax computation,
// 6 the housing loan file.
const RecordSchema& screenRecordSchema(int k);
// "c:\所得税\印刷要領.txt": the print offsets right and down, no fillers.
const RecordSchema& printSettingsSchema();
// "c:\所得税\使用中\<code>.lock": who has a client open.
const RecordSchema& lockMarkSchema();
// The year-end program's personal file, as far as this program reads it.
const RecordSchema& yearEndEmployeeSchema();
// The year-end program's tax accountant file, as far as this program reads it.
const RecordSchema& yearEndTaxAccountantSchema();

} // namespace kakutei
