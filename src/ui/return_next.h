#pragma once
// ReturnNext: Enter in an input field moves the focus on, exactly as the Tab key would.

#include <QObject>

class QWidget;

namespace kakutei {

class ReturnNext : public QObject {
public:
    using QObject::QObject;
    // Installs the handling on `field`; the filter lives as long as its parent.
    static void install(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kakutei
