#include "registry/year_end_import_screen.h"

#include "registry/registration_screen.h"

#include "fake_screen_host.h"
#include "fake_user_interface.h"
#include "temp_root.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

using testing::crlfLines;
using testing::FakeScreenHost;
using testing::FakeUserInterface;
using testing::sjis;
using testing::TempRoot;

// An employee's file of the year-end-adjustment program; `conditions` are fields 10 to 16.
std::string employeeFile(std::array<const char*, 7> conditions, const char* era = "\"平成\"",
                         const char* year = "5") {
    std::string bytes = sjis(crlfLines({"307", "\"ｽｽﾞｷ ﾊﾅｺ\"", "\"鈴木　花子\"", "\"名古屋市中区栄1-1\"", era,
                                        year, "12", "31", "\"使わない\""}));
    for (const char* condition : conditions)
        bytes += sjis(std::string("\"") + condition + "\"\r\n");
    return bytes + "\"more\"\r\n";
}

struct ImportFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    FakeUserInterface ui;
    FakeScreenHost host;
    RegistrationScreen registration{store, ui, host};
    YearEndImportScreen screen{store, ui, host, registration};

    void SetUp() override {
        registration.clear();
        registration.switchSex(1);
        registration.text1.text = "88";
        registration.text24.text = "二行目";
    }
    void run(const char* company, const char* personal) {
        screen.text1.text = company;
        screen.text2.text = personal;
        screen.run();
    }
};

TEST_F(ImportFixture, FillsTheRegistrationScreenAndDiscardsItself) {
    root.writeBytes("年末調整/個人名/307.txt", employeeFile({"", "", "", "", "", "", ""}));
    run("3", "7");
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(registration.text17.text, "ｽｽﾞｷ ﾊﾅｺ");
    EXPECT_EQ(registration.text5.text, "鈴木　花子");
    EXPECT_EQ(registration.text2.text, "名古屋市中区栄1-1");
    EXPECT_EQ(registration.text6.text + "/" + registration.text7.text + "/" + registration.text14.text,
              "5/12/31");
    EXPECT_TRUE(registration.eraOptions[3].on);
    EXPECT_EQ(registration.heldEra(), "平成");
    // Untouched: the code box, the second line, sex and kind of return.
    EXPECT_EQ(registration.text1.text, "88");
    EXPECT_EQ(registration.text24.text, "二行目");
    EXPECT_TRUE(registration.sexOptions[1].on);
    EXPECT_EQ(registration.text22.text, "該当なし");
    EXPECT_EQ(host.calls, (decltype(host.calls){{"discard", ScreenId::yearEndImport}}));
}

TEST_F(ImportFixture, ConditionFieldsSwitchTheLastMatchingOption) {
    struct Case {
        std::array<const char*, 7> fields;
        std::size_t option;
        const char* text;
    } cases[] = {
        {{"", "", "", "", "特別寡婦", "", ""}, 1, "寡婦"},
        {{"", "", "老年者", "", "", "", "勤労学生"}, 3, "勤労学生"},
        {{"特別障害者", "障害者", "", "", "", "", ""}, 4, "障害者"},
        {{"特別障害者", "", "", "", "", "", ""}, 5, "特別障害者"},
        {{"", "", "", "", "", "寡夫", ""}, 2, "寡夫"},
        {{"", "", "", "寡婦", "", "", ""}, 1, "寡婦"},
        {{"障害者", "特別障害者", "", "", "", "", ""},
         6,
         "該当なし"}, // texts in the wrong fields count for nothing
    };
    for (const Case& c : cases) {
        registration.clear();
        root.writeBytes("年末調整/個人名/15.txt", employeeFile(c.fields));
        run("0", "15");
        EXPECT_TRUE(registration.conditionOptions[c.option].on) << c.text;
        EXPECT_EQ(registration.text22.text, c.text);
    }
}

TEST_F(ImportFixture, AnUnknownEraLeavesTheEraOptionsAlone) {
    registration.switchEra(2);
    root.writeBytes("年末調整/個人名/307.txt", employeeFile({"", "", "", "", "", "", ""}, "\"令和\""));
    run("3", "7");
    EXPECT_TRUE(registration.eraOptions[2].on);
    EXPECT_EQ(registration.heldEra(), "昭和");
}

TEST_F(ImportFixture, FailuresEmptyTheBoxesAndSay) {
    root.writeBytes("年末調整/個人名/307.txt",
                    employeeFile({"", "", "", "", "", "", ""}, "\"平成\"", "\"五\""));
    root.writeBytes("年末調整/個人名/308.txt", sjis(crlfLines({"308", "\"ﾖﾐ\"", "\"名前\""})));
    struct Case {
        const char* company;
        const char* personal;
    } cases[] = {
        {"", ""},     {"3", ""}, {"a", "7"}, // unreadable boxes
        {"400", "1"},                        // 40001 does not fit 16 bits
        {"9", "9"},                          // no such file
        {"3", "8"},                          // shorter than 16 values
        {"3", "7"},                          // a text where the birth year stands
    };
    for (const Case& c : cases) {
        ui.calls.clear();
        host.calls.clear();
        run(c.company, c.personal);
        ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"})) << c.company << "/" << c.personal;
        EXPECT_EQ(ui.calls[0].title, "個人コードを記入して下さい");
        EXPECT_FALSE(ui.calls[0].body.empty());
        EXPECT_EQ(screen.text1.text, "");
        EXPECT_EQ(screen.text2.text, "");
        EXPECT_TRUE(host.calls.empty());
        EXPECT_EQ(registration.text5.text, "");
    }
}

TEST_F(ImportFixture, ClearEmptiesBothBoxes) {
    screen.text1.text = "1";
    screen.text2.text = "2";
    screen.clearCodes();
    EXPECT_EQ(screen.text1.text + screen.text2.text, "");
}

} // namespace
} // namespace kakutei
