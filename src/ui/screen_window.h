#pragma once
// The base of every screen's window. A window owns no data: its edits write into the screen model at once,
// its buttons run the model's member functions, and after every button every visible window copies its
// model back onto the screen (so a write into another screen shows up there too).

#include "core/data_store.h"
#include "core/field.h"
#include "core/option_button.h"
#include "core/user_interface.h"
#include "explain/explanation.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace kakutei {

class App;
class DataScreen;
class DerivationPanel;
class ScreenWindow;

class WindowRegistry {
public:
    // Without the program's screens (a window tried alone) nothing typed is tracked or asked about.
    explicit WindowRegistry(App* app = nullptr) : app_(app) {}
    void add(ScreenWindow* window) { windows_.push_back(window); }
    void refreshVisible();
    // The data screen behind a window, which hears of the user's typing; nullptr for the others.
    DataScreen* dataScreen(ScreenId id) const;
    // Whether the window may close: typed input it holds is stored or thrown away first, as the user says.
    bool mayClose(ScreenId id);

private:
    App* app_;
    std::vector<ScreenWindow*> windows_;
};

class ScreenWindow : public QWidget {
public:
    ScreenWindow(ScreenId id, WindowRegistry& registry, QWidget* parent = nullptr);

    // Copies the model onto the screen.
    virtual void refresh() = 0;

protected:
    using FieldAccess = std::function<Field&()>;
    using OptionAccess = std::function<OptionButton&()>;

    // Binds an edit to a field; Enter moves on unless `returnNext` is false.
    QLineEdit* bindText(QLineEdit* edit, FieldAccess field, bool returnNext = true);
    // A new text box bound to `field`, named for its control; `characters` sets its width.
    QLineEdit* makeTextBox(const char* objectName, FieldAccess field, int characters = 0);
    // An amount box: right-aligned; a result box is shaded, and read-only when `readOnly`.
    enum class AmountKind { input, result, readOnly };
    QLineEdit* makeAmountBox(const char* objectName, FieldAccess field, AmountKind kind = AmountKind::input);
    // An editable choice box (a kind of income): the user picks an item or types.
    QComboBox* makeChoiceBox(const char* objectName, FieldAccess field,
                             const std::vector<std::string_view>& items);
    // A check box bound to a flag of the model.
    QCheckBox* makeCheckBox(std::string_view caption, std::function<bool&()> flag);
    // An option button whose state is the model's; a click runs `switchOn`.
    QRadioButton* makeOption(OptionAccess option, std::function<void()> switchOn);
    // A button that runs `action` and then refreshes every visible window.
    QPushButton* makeButton(std::string_view caption, std::function<void()> action,
                            const char* objectName = nullptr);
    // A small button beside a box (copy, clear, propose): last in the focus chain, never in the way of Enter.
    QPushButton* makeHelperButton(std::string_view caption, std::function<void()> action);
    QLabel* makeLabel(std::string_view text);
    // A row of the screen's main buttons, left-aligned.
    struct ButtonDescription {
        std::string_view caption;
        std::function<void()> action;
    };
    QHBoxLayout* makeButtonRow(const std::vector<ButtonDescription>& buttons);
    // Runs a model action the way a button does.
    void act(const std::function<void()>& action);
    // Copies every bound field onto its box, and keeps the title's taxpayer current.
    void refreshBindings();
    // Titles the window with whose return it holds, "<caption>　07 試験太郎": the code in `code` (the
    // Text60 of this screen, or of the screen it serves) and the name registered for it.
    void showTaxpayerInTitle(std::string_view caption, const DataStore& store, FieldAccess code);
    // Puts the focus chain, which Enter follows too, in this order: the boxes and options as they were made,
    // then the screen's main buttons, then the helper buttons. Enter on a focused button presses it, so
    // the last box leads straight to the first main button ("計算実行", "登録実行").
    void orderFocus();
    // The panel that tells how the figure of the focused box came about; the window places it and it is
    // read again with every refresh.
    DerivationPanel* makeDerivationPanel(const DataStore& store);
    // The line `box` holds, which the panel explains while the box has the focus.
    void explains(QWidget* box, LineRef ref);

    // The page the window lays its contents out on: it scrolls when the screen is smaller than the window.
    QWidget* page() const { return page_; }

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QScrollArea* scroll_ = nullptr;
    QWidget* page_ = nullptr;
    bool fitted_ = false;

    void refreshTitle();
    // Tells the screen that the user's hand is about to change a box, a check box or an option.
    void noteTyping(const Field& field);
    void noteTyping(const bool& flag);
    void noteOptionClick();
    struct Binding {
        QLineEdit* edit;
        FieldAccess field;
    };
    struct ChoiceBinding {
        QComboBox* box;
        FieldAccess field;
    };
    struct OptionBinding {
        QRadioButton* button;
        OptionAccess option;
    };
    ScreenId id_;
    WindowRegistry& registry_;
    std::vector<Binding> bindings_;
    std::vector<OptionBinding> optionBindings_;
    std::vector<ChoiceBinding> choiceBindings_;
    std::vector<std::pair<QCheckBox*, std::function<bool&()>>> checkBindings_;
    std::vector<QWidget*> inputs_;
    std::vector<QWidget*> mainButtons_;
    std::vector<QWidget*> helperButtons_;
    struct TaxpayerTitle {
        std::string caption;
        const DataStore* store;
        FieldAccess code;
        std::optional<std::string> shownFor; // the code text the title was made for
    };
    std::optional<TaxpayerTitle> taxpayerTitle_;
    DerivationPanel* derivation_ = nullptr;
};

} // namespace kakutei
