// What a save waits for before it says the figures are kept: the record's own bytes on the disk before it
// takes its name, then the folder entry that names it. A batch waits for one client's folder once.
#include "income/income_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "shell/office_batch.h"

#include "counted_flushes.h"
#include "screen_fixture.h"

namespace kakutei {
namespace {

struct SaveFlushes : testing::DataScreenFixture {
    App app{store, ui};

    SaveFlushes() { // taxpayer 7 is registered by the fixture
        testing::writeRecordFields(store, 7, 1, 0, 20, {{1, "5000000"}, {20, "5000000"}});
        app.start();
        app.mainMenu().text3.text = "7";
        app.mainMenu().callUp();
    }
};

TEST_F(SaveFlushes, OneScreensSaveWaitsForItsRecordAndItsFolder) {
    testing::CountedFlushes counted;
    app.screen(ScreenId::income)->calculate();
    EXPECT_EQ(counted.files, 1);
    EXPECT_EQ(counted.folders, 1);
}

// Five records, each on the disk before its rename, and their folder once: not a wait per file and folder.
TEST_F(SaveFlushes, RecalculatingAClientWaitsForEachRecordAndOnceForTheirFolder) {
    testing::CountedFlushes counted;
    ASSERT_FALSE(recalculateReturn(app, 7));
    EXPECT_EQ(counted.files, 5);
    EXPECT_EQ(counted.folders, 1);
}

} // namespace
} // namespace kakutei
