#include "core/store_error.h"

#include <cerrno>

namespace kakutei {
namespace {

class StoreCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "kakutei.store"; }
    std::string message(int value) const override { return describeError({value, *this}); }
};

std::string describeStoreError(StoreErrc e) {
    switch (e) {
    case StoreErrc::fileNumberOverflow:
        return "オーバーフローしました。個人コードが大きすぎます。";
    case StoreErrc::endOfFile:
        return "ファイルの終わりを越えて読み込もうとしました（ファイルが途中で切れています）。";
    case StoreErrc::typeMismatch:
        return "型が一致しません。数値のあるべき所に数値以外のものがあります（ファイルが壊れています）。";
    case StoreErrc::lineTooLong:
        return "ファイルの形式が正しくありません。";
    case StoreErrc::unstorableText:
        return "保存できない文字があります。";
    case StoreErrc::overflow:
        return "オーバーフローしました。";
    case StoreErrc::notRegularFile:
        return "普通のファイルではありません（フォルダや特殊なファイルがあります）。";
    case StoreErrc::cutShort:
        return "値の途中でファイルが終わっています（ファイルが途中で切れています）。";
    case StoreErrc::notText:
        return "文字の値のあるべき所に別のものがあります（ファイルが壊れています）。";
    case StoreErrc::notCp932:
        return "文字として読めないバイトがあります（ファイルが壊れているか、別の文字コードです）。";
    case StoreErrc::outOfRange:
        return "数が扱える範囲を超えています（ファイルが壊れています）。";
    case StoreErrc::notWhole:
        return "整数のあるべき所に小数があります（ファイルが壊れています）。";
    case StoreErrc::badFiller:
        return "記録の終わりの予備の行がありません（ファイルが壊れています）。";
    case StoreErrc::extraData:
        return "記録の終わりの後に余分なものがあります（ファイルが壊れています）。";
    case StoreErrc::recordShape:
        return "記録の形が正しくありません（プログラムの誤りです）。";
    case StoreErrc::damagedFile:
        return "読めないファイルには上書きしません（ファイルが壊れています）。";
    case StoreErrc::codeMismatch:
        return "ファイル名と違う個人コードが書かれています（ファイルが壊れています）。";
    case StoreErrc::insideDataFolder:
        return "そこはデータのフォルダの中です。データのファイルを置き換えないよう、書き出しませんでした。"
               "別の場所を指定して下さい。";
    }
    return "原因不明のエラーが発生しました。";
}

std::string describeSystemError(int value) {
    switch (value) {
    case ENOENT:
        return "ファイルまたはフォルダが見つかりません。";
    case ENOTDIR:
        return "パスが見つかりません。";
    case EEXIST:
        return "既に同じ名前のファイルがあります。";
    case EACCES:
    case EPERM:
        return "アクセスが拒否されました。";
    case EROFS:
        return "書き込みできません。読み取り専用のドライブです。";
    case ENOSPC:
#ifdef EDQUOT // a quota, which Windows reports as a full disk anyway
    case EDQUOT:
#endif
        return "ディスクの空き領域が足りません。";
    case EFBIG:
        return "ファイルが大きすぎます。";
    case EISDIR:
        return "同じ名前のフォルダがあります。";
    case ENAMETOOLONG:
        return "ファイル名が長すぎます。";
    case EIO:
        return "デバイス I/O エラーです。";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます。";
    case ENOTEMPTY:
        return "フォルダが空ではありません。";
    case ENOMEM:
        return "メモリが不足しています。";
    default:
        return "ファイルの操作に失敗しました。";
    }
}

} // namespace

const std::error_category& storeCategory() {
    static const StoreCategory category;
    return category;
}

std::error_code make_error_code(StoreErrc e) {
    return {static_cast<int>(e), storeCategory()};
}

std::string describeError(std::error_code error) {
    if (!error)
        return {};
    if (error.category() == storeCategory())
        return describeStoreError(static_cast<StoreErrc>(error.value()));
    // The portable condition: on Windows a system error is a Windows number, which this maps where it can.
    if (const std::error_condition condition = error.default_error_condition();
        condition.category() == std::generic_category())
        return describeSystemError(condition.value());
    return "原因不明のエラーが発生しました。";
}

} // namespace kakutei
