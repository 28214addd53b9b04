#include "ui/painter_surface.h"

#include "ui/own_fonts.h"
#include "ui/qt_text.h"

#include <QFontMetricsF>

namespace kakutei {
// Qt's PDF writer keeps a 1-bit black-on-white image as a 1-bit mask, so a PDF of an A4 copy stays small and
// the form prints as crisp as drawn; any other colour table is written as a full-colour JPEG.
QImage monochromeForm(FormImage image) {
    QImage form = QImage(image == FormImage::page1 ? ":/forms/page1.png" : ":/forms/page2.png")
                      .convertToFormat(QImage::Format_Mono);
    if (form.isNull())
        return form;
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    if (form.colorCount() == 2 && form.color(0) != black) {
        form.invertPixels();
        form.setColorTable({black, white});
    }
    return form;
}

PainterSurface::PainterSurface() {
    usePrintingFaces();
}

void PainterSurface::beginOn(QPaintDevice* device, double dotsPerInch) {
    device_ = device;
    dotsPerInch_ = dotsPerInch;
    painter_.begin(device);
    setFont(fonts::mincho, 11);
}

void PainterSurface::finish() {
    if (painter_.isActive())
        painter_.end();
    device_ = nullptr;
}

void PainterSurface::setFont(std::string_view family, double points) {
    font_ = QFont(qt(family));
    font_.setPointSizeF(points);
    if (painter_.isActive())
        painter_.setFont(font_);
}

void PainterSurface::drawText(double xMm, double yMm, std::string_view utf8) {
    if (!painter_.isActive())
        return;
    // The position is the text's top-left corner.
    const QRectF box(toDevice(xMm), toDevice(yMm), toDevice(400), toDevice(50));
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine, qt(utf8));
}

double PainterSurface::textWidth(std::string_view utf8) {
    if (!device_)
        return 0;
    const QFontMetricsF metrics(font_, device_);
    return metrics.horizontalAdvance(qt(utf8)) * 25.4 / dotsPerInch_;
}

void PainterSurface::drawImage(FormImage image, double xMm, double yMm, double widthMm, double heightMm) {
    if (!painter_.isActive())
        return;
    const QImage form = monochromeForm(image);
    if (form.isNull())
        return;
    const QRectF target(toDevice(xMm), toDevice(yMm), toDevice(widthMm), toDevice(heightMm));
    painter_.drawImage(target, prepareForm(form, qRound(target.width()), qRound(target.height())));
}

QImage PainterSurface::prepareForm(const QImage& form, int, int) const {
    return form;
}

} // namespace kakutei
