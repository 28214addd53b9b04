#pragma once
// "計算の説明": beside a screen's lines, how the figure of the focused box came about, read from the client's
// stored return. A window hands it its boxes with the line each one holds; whichever of them takes the
// focus (Tab, Enter, a click) is the one explained, until another does.

#include "explain/explanation.h"

#include <QGroupBox>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QTextEdit;

namespace kakutei {

class DataScreen;
class DataStore;

class DerivationPanel : public QGroupBox {
public:
    using Explainer = std::function<Explanation(const StoredReturn&)>;

    // `screen` is the data screen whose client and year are explained; nullptr when there is none.
    DerivationPanel(const DataStore& store, std::function<const DataScreen*()> screen, QWidget* parent);

    // Explains `ref` whenever `box` takes the focus. A box the keyboard passes by (a result) takes the
    // focus on a click, so that its line can be chosen too.
    void explains(QWidget* box, LineRef ref);
    // Reads the stored return again: after a button, the stored figures may have changed.
    void refresh();
    // Where the explanation comes from; the program's own rules unless replaced.
    void setExplainer(Explainer explainer);
    // What the panel says, as plain text.
    QString plainText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Watched {
        QWidget* box;
        LineRef ref;
    };
    void choose(const Watched& watched);
    void showChosen();

    const DataStore& store_;
    std::function<const DataScreen*()> screen_;
    Explainer explain_;
    QTextEdit* text_;
    std::vector<Watched> watched_;
    std::optional<Watched> chosen_;
    // The chosen line as last read; typing on the screen is compared with it without reading again.
    std::optional<ExplainedLine> line_;
    std::vector<std::string> notes_; // why the chosen line has no explanation, when it has none
    bool clientKnown_ = false;
};

} // namespace kakutei
