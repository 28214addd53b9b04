#pragma once
// A4 at 300 dpi, drawn in millimetres: the few strokes a printed form is made of.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

namespace formgen {

class FormCanvas {
public:
    FormCanvas();
    // The finished page: 1 bit per pixel, 11811 pixels per metre.
    QImage finish();

    void box(double x, double y, double w, double h, double pen = 0.2);
    void line(double x1, double y1, double x2, double y2, double pen = 0.2);
    // Text with its top-left corner at (x, y).
    void text(double x, double y, const QString& text, double points, bool gothic = false);
    // Text centred in a box.
    void centred(double x, double y, double w, double h, const QString& text, double points,
                 bool gothic = false);
    // Characters one under the other, centred in a column box.
    void vertical(double x, double y, double w, double h, const QString& text, double points);

private:
    static double px(double mm);
    QFont font(double points, bool gothic) const;
    QImage image_;
    QPainter painter_;
};

} // namespace formgen
