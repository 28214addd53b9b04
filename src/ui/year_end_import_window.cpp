#include "ui/year_end_import_window.h"

#include "registry/year_end_import_screen.h"
#include "shell/app.h"
#include "ui/qt_text.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kakutei {

namespace yei = year_end_import;

YearEndImportWindow::YearEndImportWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::yearEndImport, registry), app_(app) {
    setWindowTitle(qt(yei::kCaption));
    auto* layout = new QVBoxLayout(page());
    layout->addWidget(makeLabel(yei::kExplanation1));
    layout->addWidget(makeLabel(yei::kExplanation2));
    auto* grid = new QGridLayout;
    grid->addWidget(makeLabel(yei::kCompanyCode), 0, 0);
    auto* company = makeTextBox(
        "Text1", [this]() -> Field& { return screen().text1; }, 4);
    grid->addWidget(company, 0, 1);
    grid->addWidget(makeLabel(yei::kPersonalCode), 1, 0);
    auto* personal = makeTextBox(
        "Text2", [this]() -> Field& { return screen().text2; }, 4);
    grid->addWidget(personal, 1, 1);
    for (QLineEdit* code : {company, personal})
        code->setAlignment(Qt::AlignRight);
    auto* run = makeButton(yei::kRun, [this] { screen().run(); });
    grid->addWidget(run, 1, 2);
    grid->addWidget(makeHelperButton(yei::kClear, [this] { screen().clearCodes(); }), 0, 2);
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    layout->addStretch();
    setMinimumWidth(440);
    orderFocus();
}

YearEndImportScreen& YearEndImportWindow::screen() {
    return *app_.yearEndImport();
}

void YearEndImportWindow::refresh() {
    // Between a successful import and the next opening there is no model, and the window is hidden.
    if (app_.yearEndImport())
        refreshBindings();
}

} // namespace kakutei
