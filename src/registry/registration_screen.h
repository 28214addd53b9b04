#pragma once
// The registration screen (Form2, "個人の登録"): creates, shows and overwrites a TaxpayerRecord.

#include "core/data_screen.h"
#include "core/option_button.h"
#include "core/screen_host.h"
#include "core/taxpayer_record.h"

#include <array>
#include <string_view>

namespace kakutei {

namespace registration {
inline constexpr std::string_view kFormName = "Form2";
inline constexpr std::string_view kCaption = "個人の登録";
inline constexpr std::string_view kNotice = "[個人コードは、1-1000までの範囲で設定して下さい]";
inline constexpr std::string_view kRegister = "登録実行";
inline constexpr std::string_view kCallUp = "登録呼出";
inline constexpr std::string_view kClear = "クリア";
inline constexpr std::string_view kClearCode = "C";
inline constexpr std::string_view kData = "DATA";
inline constexpr std::string_view kSameAddress = "住所地に同じ";
inline constexpr std::string_view kSelf = "本人";
inline constexpr std::string_view kWife = "妻";
inline constexpr std::string_view kCompanyOfficer = "会社役員";
inline constexpr std::string_view kBirth = "生";
inline constexpr std::string_view kTaxOffice = "税務署名";
inline constexpr std::string_view kYearEndImport = "年末調整データより呼出";
inline constexpr std::string_view kNewRegistrationTitle = "個人の新規登録";
inline constexpr std::string_view kSameCodeTitle = "同じコード名があります";
inline constexpr std::string_view kOverwriteTitle = "書き換えますか";
inline constexpr std::string_view kBlueReturn = "青色申告";
inline constexpr std::string_view kWhiteReturn = "白色申告";
inline constexpr std::string_view kNoCondition = "該当なし";
inline constexpr std::array<std::string_view, 4> kEras = {"明治", "大正", "昭和", "平成"};
inline constexpr std::array<std::string_view, 2> kSexes = {"男", "女"};
inline constexpr std::array<std::string_view, 7> kConditionCaptions = {
    "老年者", "寡　婦", "寡　夫", "勤労学生", "障害者", "特別障害者", "該当なし"};
inline constexpr std::array<std::string_view, 7> kConditionTexts = {
    "老年者", "寡婦", "寡夫", "勤労学生", "障害者", "特別障害者", "該当なし"};
inline constexpr std::size_t kShowa = 2;            // in kEras
inline constexpr std::size_t kMale = 0;             // in kSexes
inline constexpr std::size_t kNoConditionIndex = 6; // in kConditionCaptions
inline constexpr std::array<std::string_view, 2> kAccountCaptions = {"普通", "当座"};
inline constexpr std::array<std::string_view, 2> kAccountTexts = {"普通預金", "当座預金"};
} // namespace registration

class RegistrationScreen : public DataScreen {
public:
    RegistrationScreen(DataStore& store, UserInterface& ui, ScreenHost& host);
    ScreenId id() const override { return ScreenId::registration; }

    Field text1;  // Text1: 個人コード
    Field text17; // Text17: フリガナ
    Field text5;  // Text5: 氏名
    Field text13; // Text13: 郵便番号
    Field text20; // Text20: 郵便番号 (second part)
    Field text2;  // Text2: 住所
    Field text24; // Text24: 住所 (second line)
    Field text3;  // Text3: １月１日の住所
    Field text6;  // Text6: 生年月日 年
    Field text7;  // Text7: 月
    Field text14; // Text14: 日
    Field text8;  // Text8: 世帯主の氏名
    Field text9;  // Text9: 続柄
    Field text10; // Text10: 職業
    Field text11; // Text11: 屋号
    Field text12; // Text12: 電話番号
    Field text15; // Text15: 税務署名
    Field text16; // Text16: 納税者番号
    Field text22; // Text22: 本人の条件
    Field text19; // Text19: 銀行
    Field text18; // Text18: 支店
    Field text21; // Text21: 預金の種類
    Field text4;  // Text4: 口座番号
    Field text25; // Text25, hidden: the main menu's current PersonCode

    std::array<OptionButton, 4> eraOptions;
    std::array<OptionButton, 2> sexOptions;
    OptionButton blueReturnOption;
    OptionButton whiteReturnOption;
    std::array<OptionButton, 7> conditionOptions;
    std::array<OptionButton, 2> accountOptions;

    // The blue-return colour (red 0, green 192, blue 192) on background, frames, labels and options;
    // otherwise the system's button face.
    bool blueReturnColours() const { return blueColours_; }
    const std::string& heldSex() const { return sex_; }
    const std::string& heldReturnKind() const { return returnKind_; }
    const std::string& heldEra() const { return era_; }

    void registerTaxpayer();  // "登録実行"
    void callUp();            // "登録呼出"
    void clear() override;    // "クリア", and "C" beside the code box
    void data() override;     // "DATA"
    void copyAddress();       // "住所地に同じ"
    void selfAsHead();        // "本人"
    void wifeAsRelation();    // "妻"
    void companyOfficer();    // "会社役員"
    void clearBirthDate();    // "生"
    void proposeTaxOffice();  // "税務署名"
    void openYearEndImport(); // "年末調整データより呼出"

    void switchEra(std::size_t index);
    void switchSex(std::size_t index);
    void switchBlueReturn();
    void switchWhiteReturn();
    void switchCondition(std::size_t index);
    void switchAccount(std::size_t index);

private:
    TaxpayerRecord recordFromScreen(PersonCode code) const;
    void showRecord(const TaxpayerRecord& record);
    bool overwrite(const RecordWriter& writer, const std::string& path);

    ScreenHost& host_;
    std::string sex_;
    std::string returnKind_;
    std::string era_;
    bool blueColours_ = true;
};

} // namespace kakutei
