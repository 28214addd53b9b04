#pragma once
// A form sheet drawn into a 2481 × 3507 one-bit image, scaled so that the copy, which stretches the image
// over the sheet's width and height in millimetres, puts every stroke where the sheet says.

#include "print/form_sheet.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace formgen {

class FormCanvas {
public:
    explicit FormCanvas(const kakutei::FormSheet& sheet);
    // The finished page: 1 bit per pixel, 11811 pixels per metre.
    QImage finish();

private:
    void box(const kakutei::SheetBox& box);
    void line(const kakutei::SheetLine& line);
    void caption(const kakutei::SheetCaption& caption);
    QRectF rect(const kakutei::SheetRect& mm) const;
    QFont font(double points, bool gothic) const;
    double pxPerMmX_, pxPerMmY_;
    QImage image_;
    QPainter painter_;
};

} // namespace formgen
