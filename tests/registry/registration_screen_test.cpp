#include "registry/registration_screen.h"

#include "core/store_error.h"

#include "fake_screen_host.h"
#include "fake_user_interface.h"
#include "sample_taxpayer.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

namespace kakutei {
namespace {

using testing::FakeScreenHost;
using testing::FakeUserInterface;
using testing::sampleBytes;
using testing::sampleRecord;
using testing::TempRoot;
namespace reg = registration;

struct RegistrationFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    FakeUserInterface ui;
    FakeScreenHost host;
    RegistrationScreen screen{store, ui, host};

    void SetUp() override {
        ASSERT_FALSE(store.ensureFolders(kYearCode));
        // As the main menu's "個人登録" opens it.
        screen.text100.text = "H16";
        screen.nenGO();
        screen.clear();
        screen.switchEra(reg::kShowa);
        screen.switchBlueReturn();
        screen.switchSex(reg::kMale);
    }
    // Types taxpayer 15 the way a user would, options included.
    void typeSample() {
        screen.text1.text = "15";
        screen.text5.text = "山田　太郎";
        screen.switchCondition(2); // 寡　夫
        screen.text17.text = "ﾔﾏﾀﾞ ﾀﾛｳ";
        screen.text2.text = "東京都港区芝5-8,1";
        screen.text24.text = "芝ビル①";
        screen.copyAddress();
        screen.text6.text = "35";
        screen.text7.text = "4";
        screen.text14.text = "1";
        screen.selfAsHead();
        screen.companyOfficer();
        screen.text12.text = "03-1234-5678";
        screen.text15.text = "芝";
        screen.text18.text = "芝";
        screen.text19.text = "髙﨑銀行";
        screen.switchAccount(0);
        screen.text4.text = "1234567";
        screen.text13.text = "108";
        screen.text20.text = "0014";
    }
    std::string stored(PersonCode code) {
        return root.readBytes("所得税/個人名/" + std::to_string(code) + ".txt");
    }
    bool exists(PersonCode code) {
        return std::filesystem::exists(root.path() + "/所得税/個人名/" + std::to_string(code) + ".txt");
    }
    bool cleared() const {
        return screen.text1.text.empty() && screen.text5.text.empty() && screen.text22.text == "該当なし" &&
               screen.blueReturnOption.on && !screen.whiteReturnOption.on && screen.blueReturnColours();
    }
};

TEST_F(RegistrationFixture, RegistersANewTaxpayerByteForByte) {
    typeSample();
    screen.registerTaxpayer();
    EXPECT_EQ(stored(15), sampleBytes());
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"beep"}));
    EXPECT_TRUE(cleared());
}

// FAT and exFAT sticks and some network shares have no hard links, which "create, never overwrite" used.
TEST_F(RegistrationFixture, RegistersOnAFileSystemWithoutHardLinks) {
    struct NoLinks {
        NoLinks() {
            file_io_testing::linkFile = [](const char*, const char*) {
                errno = EPERM; // what FAT, exFAT and their FUSE drivers answer
                return -1;
            };
        }
        ~NoLinks() { file_io_testing::linkFile = ::link; }
    } noLinks;
    typeSample();
    screen.registerTaxpayer();
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"beep"}));
    EXPECT_EQ(stored(15), sampleBytes());
    EXPECT_TRUE(cleared());
    // The second registration still finds the first and asks before it overwrites.
    ui.calls.clear();
    typeSample();
    screen.text5.text = "別の人";
    screen.registerTaxpayer();
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"warn", "ask", "beep"}));
    EXPECT_EQ(ui.calls.at(0).title, "同じコード名があります");
    EXPECT_EQ(stored(15), sampleBytes());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path() + "/所得税/個人名"), {}), 1);
}

TEST_F(RegistrationFixture, ExistingCodeAsksAndCancelKeepsTheRecord) {
    typeSample();
    screen.registerTaxpayer();
    ui.calls.clear();
    typeSample();
    screen.text5.text = "別の人";
    screen.registerTaxpayer();
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"warn", "ask", "beep"}));
    EXPECT_EQ(ui.calls[0].title, "同じコード名があります");
    EXPECT_FALSE(ui.calls[0].body.empty());
    EXPECT_EQ(ui.calls[1].title, "書き換えますか");
    EXPECT_EQ(ui.calls[1].body, "");
    EXPECT_EQ(stored(15), sampleBytes());
    EXPECT_TRUE(cleared());
}

TEST_F(RegistrationFixture, ExistingCodeOkOverwrites) {
    typeSample();
    screen.registerTaxpayer();
    ui.calls.clear();
    typeSample();
    screen.text5.text = "別の人";
    ui.answers = {true};
    screen.registerTaxpayer();
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"warn", "ask", "beep", "beep", "beep"}));
    EXPECT_EQ(readTaxpayerRecord(store, 15).record.name, "別の人");
    EXPECT_TRUE(cleared());
}

// The message says what to type: an empty box is not a damaged file.
TEST_F(RegistrationFixture, UnreadableCodeWritesNothingAndKeepsTheScreen) {
    const std::pair<const char*, const char*> cases[] = {{"", "個人コードを入れて下さい。"},
                                                         {"　", "個人コードを入れて下さい。"},
                                                         {"abc", "「abc」は数字ではありません"},
                                                         {"32768", "個人コードが大きすぎます。"},
                                                         {"1.2.3", "「1.2.3」は数字ではありません"}};
    for (const auto& [code, said] : cases) {
        ui.calls.clear();
        typeSample();
        screen.text1.text = code;
        screen.registerTaxpayer();
        ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"})) << code;
        EXPECT_EQ(ui.calls[0].title, "個人の新規登録");
        EXPECT_NE(ui.calls[0].body.find(said), std::string::npos) << ui.calls[0].body;
        EXPECT_EQ(ui.calls[0].body.find("壊れています"), std::string::npos) << ui.calls[0].body;
        EXPECT_EQ(screen.text1.text, code);
        EXPECT_EQ(screen.text5.text, "山田　太郎");
    }
    EXPECT_TRUE(std::filesystem::is_empty(root.path() + "/所得税/個人名"));
}

TEST_F(RegistrationFixture, CodesOutsideTheListedRangeAreStillRegistered) {
    for (const char* code : {"2000", "１２", "0"}) {
        screen.text1.text = code;
        screen.text5.text = "x";
        screen.registerTaxpayer();
    }
    EXPECT_EQ(readTaxpayerRecord(store, 2000).record.personCode, 2000);
    EXPECT_EQ(readTaxpayerRecord(store, 12).record.personCode, 12);
    EXPECT_TRUE(exists(0));
}

TEST_F(RegistrationFixture, UnreadableBirthDatePartsStoreOne) {
    screen.text1.text = "5";
    screen.text6.text = "昭和";
    screen.text7.text = "";
    screen.text14.text = "１２";
    screen.registerTaxpayer();
    const TaxpayerRecord record = readTaxpayerRecord(store, 5).record;
    EXPECT_EQ(record.birthYear, 1);
    EXPECT_EQ(record.birthMonth, 1);
    EXPECT_EQ(record.birthDay, 12);
    screen.text1.text = "5";
    screen.callUp();
    EXPECT_EQ(screen.text6.text, "1");
}

TEST_F(RegistrationFixture, UnstorableTextsWriteNothingAndNameTheField) {
    typeSample();
    screen.registerTaxpayer();
    struct Case {
        Field RegistrationScreen::*field;
        const char* text;
        const char* caption;
    } cases[] = {
        {&RegistrationScreen::text5, "𠮷田", "氏名"},
        {&RegistrationScreen::text2, "港区\"芝\"", "住所"},
        {&RegistrationScreen::text11, "喫茶🍵", "屋号"},
    };
    for (const Case& c : cases) {
        ui.calls.clear();
        typeSample();
        screen.*c.field = Field{c.text};
        screen.registerTaxpayer();
        ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"})) << c.text;
        EXPECT_NE(ui.calls[0].body.find(std::string("「") + c.caption + "」"), std::string::npos)
            << ui.calls[0].body;
        EXPECT_EQ((screen.*c.field).text, c.text);
        EXPECT_EQ(stored(15), sampleBytes());
    }
    screen.text1.text = "16";
    screen.registerTaxpayer();
    EXPECT_FALSE(exists(16));
}

// A two-line address pasted into the address box used to be written as two lines, which shifted every
// later value by one: the record had 39 lines and could no longer be called up.
TEST_F(RegistrationFixture, ControlCharactersAreRefusedAndTheRecordStaysCallable) {
    struct Case {
        Field RegistrationScreen::*field;
        const char* text;
        const char* caption;
        const char* named;
    } cases[] = {
        {&RegistrationScreen::text2, "東京都港区芝5-8-1\n芝ビル3F", "住所", "改行"},
        {&RegistrationScreen::text2, "東京都港区芝5-8-1\r\n芝ビル3F", "住所", "改行"},
        {&RegistrationScreen::text5, "山田\t太郎", "氏名", "タブ"},
        {&RegistrationScreen::text12, "03-1234-5678\x7f", "電話番号", "制御文字"},
    };
    for (const bool existing : {false, true}) {
        if (existing) {
            typeSample();
            screen.registerTaxpayer();
            ASSERT_EQ(stored(15), sampleBytes());
        }
        for (const Case& c : cases) {
            ui.calls.clear();
            ui.answers = {true, true};
            typeSample();
            screen.*c.field = Field{c.text};
            screen.registerTaxpayer();
            ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"})) << c.text;
            EXPECT_EQ(ui.calls.at(0).title, "保存できない文字があります");
            EXPECT_NE(ui.calls.at(0).body.find(std::string("「") + c.caption + "」"), std::string::npos)
                << ui.calls.at(0).body;
            EXPECT_NE(ui.calls.at(0).body.find(c.named), std::string::npos) << ui.calls.at(0).body;
            EXPECT_EQ((screen.*c.field).text, c.text); // nothing typed is lost
            EXPECT_EQ(exists(15), existing) << c.text;
        }
    }
    EXPECT_EQ(stored(15), sampleBytes());
    ui.calls.clear();
    screen.text1.text = "15";
    screen.callUp();
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"beep"}));
    EXPECT_EQ(screen.text2.text, "東京都港区芝5-8,1");
}

TEST_F(RegistrationFixture, FoldersThatCannotBeMadeEndWithAMessage) {
    std::filesystem::remove_all(root.path() + "/所得税");
    root.writeBytes("所得税", "a file where the folder should be");
    typeSample();
    screen.registerTaxpayer();
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
    EXPECT_EQ(ui.calls[0].title, "個人の新規登録");
    EXPECT_EQ(screen.text5.text, "山田　太郎");
}

TEST_F(RegistrationFixture, ARecordThatCannotBeCreatedForAnotherReasonIsNotOfferedForOverwriting) {
    std::filesystem::create_directory(root.path() +
                                      "/所得税/個人名/15.txt"); // a folder in the record's place
    typeSample();
    ui.answers = {true};
    screen.registerTaxpayer();
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
    EXPECT_EQ(ui.calls[0].title, "個人の新規登録");
    EXPECT_TRUE(std::filesystem::is_directory(root.path() + "/所得税/個人名/15.txt"));
}

TEST_F(RegistrationFixture, CallUpShowsTheRecordAndItsOptions) {
    typeSample();
    screen.registerTaxpayer();
    ui.calls.clear();
    screen.switchEra(0);
    screen.switchSex(1);
    screen.switchWhiteReturn();
    screen.text1.text = "１５";
    screen.callUp();
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"beep"}));
    EXPECT_EQ(screen.text1.text, "１５"); // keeps the typed code
    EXPECT_EQ(screen.text5.text, "山田　太郎");
    EXPECT_EQ(screen.text24.text, "芝ビル①");
    EXPECT_EQ(screen.text6.text, "35");
    EXPECT_EQ(screen.text21.text, "普通預金");
    EXPECT_EQ(screen.text22.text, "寡夫");
    EXPECT_TRUE(screen.conditionOptions[2].on);
    EXPECT_TRUE(screen.eraOptions[reg::kShowa].on);
    EXPECT_FALSE(screen.eraOptions[0].on);
    EXPECT_TRUE(screen.sexOptions[reg::kMale].on);
    EXPECT_TRUE(screen.blueReturnOption.on);
    EXPECT_TRUE(screen.blueReturnColours());
}

TEST_F(RegistrationFixture, CallUpOfAMissingRecordClearsAndSays) {
    for (const char* code : {"77", "", "abc"}) {
        ui.calls.clear();
        typeSample();
        screen.text1.text = code;
        screen.callUp();
        ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"})) << code;
        EXPECT_EQ(ui.calls[0].title, "登録呼出");
        EXPECT_TRUE(cleared());
    }
}

TEST_F(RegistrationFixture, FieldsThatMatchNoOptionLeaveTheirGroupAlone) {
    TaxpayerRecord record = sampleRecord();
    record.birthEra = "";
    record.sex = "?";
    record.returnKind = "";
    record.condition = "その他";
    ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(15))));
    screen.clear(); // era and sex all off
    screen.switchWhiteReturn();
    screen.text1.text = "15";
    screen.callUp();
    for (const OptionButton& era : screen.eraOptions)
        EXPECT_FALSE(era.on);
    EXPECT_FALSE(screen.sexOptions[0].on || screen.sexOptions[1].on);
    EXPECT_TRUE(screen.whiteReturnOption.on);
    EXPECT_FALSE(screen.blueReturnColours());
    EXPECT_EQ(screen.text22.text, "その他");
    EXPECT_TRUE(screen.conditionOptions[reg::kNoConditionIndex].on);
}

TEST_F(RegistrationFixture, ConditionsWithAFullWidthSpaceAreStoredWithout) {
    screen.text1.text = "20";
    screen.switchCondition(1); // 寡　婦
    EXPECT_EQ(screen.text22.text, "寡婦");
    screen.registerTaxpayer();
    EXPECT_EQ(readTaxpayerRecord(store, 20).record.condition, "寡婦");
    screen.text1.text = "20";
    screen.callUp();
    EXPECT_TRUE(screen.conditionOptions[1].on);
    EXPECT_EQ(screen.conditionOptions[1].caption, "寡　婦");
}

TEST_F(RegistrationFixture, ClearKeepsTheHeldEraAndSex) {
    screen.switchEra(3); // 平成
    screen.switchSex(1); // 女
    screen.switchWhiteReturn();
    screen.clear();
    for (const OptionButton& option : screen.eraOptions)
        EXPECT_FALSE(option.on);
    EXPECT_TRUE(cleared());
    screen.text1.text = "30";
    screen.registerTaxpayer();
    const TaxpayerRecord record = readTaxpayerRecord(store, 30).record;
    EXPECT_EQ(record.birthEra, "平成");
    EXPECT_EQ(record.sex, "女");
    EXPECT_EQ(record.returnKind, "青色"); // クリア switched 青色申告 on
}

TEST_F(RegistrationFixture, HelperButtons) {
    screen.text5.text = "山田";
    screen.text2.text = "一行目";
    screen.text24.text = "二行目";
    screen.copyAddress();
    EXPECT_EQ(screen.text3.text, "一行目");
    screen.selfAsHead();
    EXPECT_EQ(screen.text8.text, "山田");
    EXPECT_EQ(screen.text9.text, "本人");
    screen.wifeAsRelation();
    EXPECT_EQ(screen.text8.text, "");
    EXPECT_EQ(screen.text9.text, "妻");
    screen.companyOfficer();
    EXPECT_EQ(screen.text10.text, "会社役員");
    screen.text6.text = screen.text7.text = screen.text14.text = "1";
    screen.clearBirthDate();
    EXPECT_EQ(screen.text6.text + screen.text7.text + screen.text14.text, "");
    screen.switchAccount(1);
    EXPECT_EQ(screen.text21.text, "当座預金");
    screen.text15.text = "手入力";
    screen.text2.text = "愛知県名古屋市";
    screen.proposeTaxOffice();
    EXPECT_EQ(screen.text15.text, "手入力");
    screen.text2.text = "名古屋市熱田区";
    screen.proposeTaxOffice();
    EXPECT_EQ(screen.text15.text, "熱田");
    screen.openYearEndImport();
    EXPECT_EQ(host.calls, (decltype(host.calls){{"open", ScreenId::yearEndImport}}));
}

TEST_F(RegistrationFixture, ReturnKindColours) {
    screen.switchWhiteReturn();
    EXPECT_FALSE(screen.blueReturnColours());
    EXPECT_EQ(screen.heldReturnKind(), "白色");
    EXPECT_FALSE(screen.blueReturnOption.on);
    screen.switchBlueReturn();
    EXPECT_TRUE(screen.blueReturnColours());
    EXPECT_EQ(screen.heldReturnKind(), "青色");
}

TEST_F(RegistrationFixture, DataCallsUpTheMenusTaxpayer) {
    typeSample();
    screen.registerTaxpayer();
    screen.text25.text = "15";
    screen.data();
    EXPECT_EQ(screen.text1.text, "15");
    EXPECT_EQ(screen.text5.text, "山田　太郎");
    ui.calls.clear();
    screen.clear();
    screen.text25.text = "";
    screen.data();
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(screen.text1.text, "");
}

} // namespace
} // namespace kakutei
