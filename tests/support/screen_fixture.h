#pragma once
// What every data screen test needs: a fresh root with its folders, a recording user interface and host,
// and the raw lines of the files the screen writes.

#include "core/data_screen.h"
#include "core/data_store.h"

#include "fake_screen_host.h"
#include "fake_user_interface.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace kakutei::testing {

struct DataScreenFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    FakeUserInterface ui;
    FakeScreenHost host;

    // Taxpayer 7 is registered: no screen stores anything for a code without a registration.
    DataScreenFixture();

    // As the main menu opens a screen: taxpayer 7, this year, the year button, クリア and DATA. What the
    // opening said or wrote elsewhere is forgotten, so that a test sees only what follows.
    void openForSeven(DataScreen& screen);

    // The lines of a screen file of taxpayer 7, without their CR LF, as UTF-8.
    std::vector<std::string> storedLines(int k, std::string_view year = kYearCode) const;
    bool stored(int k) const;
    // Writes a screen file of taxpayer 7 from lines (UTF-8, each ended by CR LF). Lines that are as many as
    // the record's values get the twelve fillers after them, as a whole record has; fewer or more lines are
    // written as they are, as a damaged file.
    void writeScreenFile(int k, const std::vector<std::string>& lines,
                         std::string_view year = kYearCode) const;
};

// The lines of a file below the root, without their CR LF, as UTF-8.
std::vector<std::string> recordLines(const TempRoot& root, const std::string& relative);

// Writes screen file k of a taxpayer (k = 6 the housing loan file): `texts` quoted texts, then `numbers`
// numbers, then the fillers; every value is empty or 0 but those in `set` (record field number → the line as
// written, quotes included). The year's folder is made when it is not there yet.
void writeRecordFields(const DataStore& store, PersonCode code, int k, int texts, int numbers,
                       const std::map<int, std::string>& set, std::string_view year = kYearCode);
// The same with as many texts and numbers as the record holds.
void writeRecordFields(const DataStore& store, PersonCode code, int k, const std::map<int, std::string>& set,
                       std::string_view year = kYearCode);

} // namespace kakutei::testing
