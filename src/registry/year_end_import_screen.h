#pragma once
// The import screen (Form13, "年末調整データより呼出"): fills the registration screen from one employee's
// personal file of the year-end-adjustment program. It writes no file.

#include "core/data_store.h"
#include "core/field.h"
#include "core/screen_host.h"
#include "core/user_interface.h"

#include <string_view>

namespace kakutei {

class RegistrationScreen;

namespace year_end_import {
inline constexpr std::string_view kFormName = "Form13";
inline constexpr std::string_view kCaption = "年末調整データより呼出";
inline constexpr std::string_view kExplanation1 = "このページは、年末調整の個人データを所得税の個人データに";
inline constexpr std::string_view kExplanation2 = "置き換えようとするものである。";
inline constexpr std::string_view kCompanyCode = "会社コード";
inline constexpr std::string_view kPersonalCode = "個人コード";
inline constexpr std::string_view kClear = "C";
inline constexpr std::string_view kRun = "呼出実行";
inline constexpr std::string_view kFailedTitle = "個人コードを記入して下さい";
} // namespace year_end_import

class YearEndImportScreen {
public:
    YearEndImportScreen(DataStore& store, UserInterface& ui, ScreenHost& host,
                        RegistrationScreen& registration)
        : store_(store), ui_(ui), host_(host), registration_(registration) {}

    Field text1; // Text1: 会社コード
    Field text2; // Text2: 個人コード

    void clearCodes(); // "C"
    // "呼出実行". On success the screen is discarded, so nothing may touch it afterwards.
    void run();

private:
    DataStore& store_;
    UserInterface& ui_;
    ScreenHost& host_;
    RegistrationScreen& registration_;
};

} // namespace kakutei
