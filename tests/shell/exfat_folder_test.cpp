// A data folder on a real exFAT stick, where files have no hard links and no modes: a taxpayer registered
// through the registration screen, every data screen saved, and the return recalculated, all whole.
// KAKUTEI_NO_HARD_LINK_FOLDER names an empty folder on such a file system (scripts/test mounts one where
// the machine allows: root, a loop device and FUSE).
#include "core/data_store.h"
#include "core/file_io.h"
#include "core/record_kinds.h"
#include "core/taxpayer_record.h"
#include "registry/registration_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "shell/office_batch.h"
#include "tax/housing_loan_screen.h"

#include "fake_user_interface.h"
#include "screen_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace kakutei {
namespace {

TEST(ExfatFolder, RegistersATaxpayerAndSavesEveryScreen) {
    const char* folder = std::getenv("KAKUTEI_NO_HARD_LINK_FOLDER");
    if (!folder)
        GTEST_SKIP() << "KAKUTEI_NO_HARD_LINK_FOLDER is not set: no exFAT folder could be mounted here";
    const std::string base = std::string(folder) + "/kakutei-exfat-test";
    std::filesystem::remove_all(base);
    ASSERT_FALSE(createFolders(base));
    {
        const std::string probe = base + "/probe.txt";
        ASSERT_FALSE(writeFileAtomically(probe, "x", WriteMode::replace));
        ASSERT_NE(::link(probe.c_str(), (base + "/link.txt").c_str()), 0)
            << "this file system has hard links";
        ASSERT_FALSE(removeFile(probe));
    }
    DataStore store(base);
    ASSERT_FALSE(store.ensureFolders(kYearCode));
    testing::FakeUserInterface ui;
    App app(store, ui);
    app.start();

    RegistrationScreen& registration = app.registration();
    registration.text1.text = "15";
    registration.text5.text = "山田　太郎";
    registration.registerTaxpayer();
    EXPECT_TRUE(ui.callsOf("warn").empty()) << ui.callsOf("warn").at(0).body;
    const TaxpayerRead read = readTaxpayerRecord(store, 15);
    ASSERT_TRUE(read.readable());
    EXPECT_EQ(read.record.name, "山田　太郎");

    testing::writeRecordFields(store, 15, 1, 0, 20, {{1, "5000000"}, {20, "5000000"}});
    app.mainMenu().text3.text = "15";
    app.mainMenu().callUp();
    ASSERT_EQ(app.mainMenu().currentPersonCode(), 15);
    ASSERT_FALSE(recalculateReturn(app, 15));
    app.openHousingLoan("15", "H16");
    auto* housing = app.screenAs<HousingLoanScreen>(ScreenId::housingLoan);
    housing->balance.text = "10,000,000";
    housing->calculatePeriod(1);
    housing->save();
    EXPECT_TRUE(ui.callsOf("warn").empty()) << ui.callsOf("warn").at(0).body;
    for (int k = 1; k <= 6; ++k) {
        const std::string path = store.path(*names::recordFile(15, k, kYearCode));
        const StoredRecord stored = readRecordFile(path, screenRecordSchema(k));
        EXPECT_TRUE(stored.readable()) << unreadableText(path, stored.check);
    }
    std::filesystem::remove_all(base);
}

} // namespace
} // namespace kakutei
