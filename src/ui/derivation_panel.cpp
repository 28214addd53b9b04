#include "ui/derivation_panel.h"

#include "core/amount_text.h"
#include "core/data_screen.h"
#include "core/stored_return.h"
#include "ui/qt_text.h"

#include <QEvent>
#include <QLineEdit>
#include <QTextEdit>
#include <QVBoxLayout>

namespace kakutei {

namespace {

constexpr std::string_view kTitle = "計算の説明";
constexpr std::string_view kNoClient = "個人を呼び出すと、選んだ欄の金額がどう計算されたかをここに示します。";
constexpr std::string_view kNoLine = "金額の欄を選ぶ（クリックするか、Tab・Enter で移る）と、"
                                     "その金額がどう計算されたかをここに示します。";
constexpr std::string_view kNotExplained = "この欄の説明はまだありません。";
constexpr std::string_view kAfterCalculation = "計算実行で保存すると、ここに計算の説明が出ます。";
constexpr std::string_view kTyped = "入力された金額です。";
constexpr std::string_view kUnsavedBefore = "画面の金額 ";
constexpr std::string_view kUnsavedAfter = " はまだ保存されていません（計算実行で保存）。"
                                           "下の説明は保存された金額のものです。";

QString paragraph(const QString& text, std::string_view style = {}) {
    return "<p style=\"" + qt(style) + "\">" + text.toHtmlEscaped() + "</p>";
}

QString paragraph(std::string_view text, std::string_view style = {}) {
    return paragraph(qt(text), style);
}

// Zero shows as an empty box, but an explanation names it.
QString figureText(double figure) {
    const std::string text = formatAmount(figure);
    return qt(text.empty() ? "0" : text);
}

// The figure a box shows when it is not the stored one, both read and rounded as the screens show amounts.
std::optional<double> otherFigureShown(const QWidget* box, double stored) {
    const auto* edit = qobject_cast<const QLineEdit*>(box);
    if (!edit)
        return std::nullopt;
    const double shown = readAmount(utf8(edit->text()));
    if (formatAmount(shown) == formatAmount(stored))
        return std::nullopt;
    return shown;
}

} // namespace

DerivationPanel::DerivationPanel(const DataStore& store, std::function<const DataScreen*()> screen,
                                 QWidget* parent)
    : QGroupBox(qt(kTitle), parent), store_(store), screen_(std::move(screen)), explain_(explainReturn),
      text_(new QTextEdit(this)) {
    setObjectName("derivationPanel");
    text_->setObjectName("derivationText");
    text_->setReadOnly(true);
    // Reading it is all the panel is for: Tab passes it by.
    text_->setFocusPolicy(Qt::NoFocus);
    text_->setLineWrapMode(QTextEdit::WidgetWidth);
    text_->document()->setDocumentMargin(10);
    text_->document()->setDefaultStyleSheet("p { margin-top: 0px; margin-bottom: 9px; line-height: 135%; }");
    QPalette palette = text_->palette();
    palette.setColor(QPalette::Base, QColor(0xFB, 0xFB, 0xF8));
    text_->setPalette(palette);
    // Wide enough for a step's sentence to wrap no more than two or three times.
    setMinimumWidth(fontMetrics().horizontalAdvance(QChar(0x3042)) * 20);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(text_);
    showChosen();
}

void DerivationPanel::explains(QWidget* box, LineRef ref) {
    if (box->focusPolicy() == Qt::NoFocus)
        box->setFocusPolicy(Qt::ClickFocus);
    box->installEventFilter(this);
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            if (chosen_ && chosen_->box == edit)
                showChosen();
        });
    watched_.push_back({box, ref});
}

void DerivationPanel::setExplainer(Explainer explainer) {
    explain_ = std::move(explainer);
    refresh();
}

QString DerivationPanel::plainText() const {
    return text_->toPlainText();
}

bool DerivationPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (const Watched& candidate : watched_)
            if (candidate.box == watched)
                choose(candidate);
    return QGroupBox::eventFilter(watched, event);
}

void DerivationPanel::choose(const Watched& watched) {
    chosen_ = watched;
    refresh();
}

void DerivationPanel::refresh() {
    line_.reset();
    notes_.clear();
    const DataScreen* screen = screen_();
    const std::optional<PersonCode> code = screen ? screen->fileCode() : std::nullopt;
    clientKnown_ = code.has_value();
    // Seven small files: read afresh each time rather than trust what another window may have stored since.
    if (code && chosen_) {
        const Explanation explanation = explain_(readStoredReturn(store_, *code, screen->workingYearCode()));
        if (const ExplainedLine* line = explanation.find(chosen_->ref))
            line_ = *line;
        else
            notes_ = explanation.notes;
    }
    showChosen();
}

void DerivationPanel::showChosen() {
    constexpr std::string_view kQuiet = "color: #606060;";
    QString html;
    if (!clientKnown_)
        html = paragraph(kNoClient, kQuiet);
    else if (!chosen_)
        html = paragraph(kNoLine, kQuiet);
    else if (!line_) {
        html = paragraph(kNotExplained, kQuiet);
        // Why, when the explanation knows: a record that cannot be read, a screen never calculated.
        for (const std::string& note : notes_)
            html += paragraph(note, kQuiet);
        if (notes_.empty())
            html += paragraph(kAfterCalculation, kQuiet);
    } else {
        const ExplainedLine& line = *line_;
        html += paragraph(line.label, "font-weight: bold; font-size: large;");
        html += "<p style=\"line-height: 135%;\"><span style=\"font-size: large;\">" +
                figureText(line.figure) + "</span>　<span style=\"color: #204080;\">［" +
                qt(provenanceCaption(line.provenance)).toHtmlEscaped() + "］</span></p>";
        if (line.provenance == Provenance::typed)
            html += paragraph(kTyped);
        if (const auto shown = otherFigureShown(chosen_->box, line.figure))
            html += paragraph(qt(kUnsavedBefore) + figureText(*shown) + qt(kUnsavedAfter), "color: #A03000;");
        for (const std::string& step : line.steps)
            html += paragraph(step);
    }
    text_->setHtml(html);
}

} // namespace kakutei
