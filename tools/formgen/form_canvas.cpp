#include "form_canvas.h"

#include <QPen>

namespace formgen {

namespace {
constexpr int kWidth = 2481;
constexpr int kHeight = 3507;
constexpr double kDpi = 300;
} // namespace

FormCanvas::FormCanvas() : image_(kWidth, kHeight, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
}

double FormCanvas::px(double mm) {
    return mm * kDpi / 25.4;
}

QFont FormCanvas::font(double points, bool gothic) const {
    QFont font(gothic ? "IPAexGothic" : "IPAMincho");
    // Points on a 300 dpi page: the painter's device is the image, whose resolution we set below.
    font.setPixelSize(static_cast<int>(points * kDpi / 72));
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void FormCanvas::box(double x, double y, double w, double h, double pen) {
    painter_.setPen(QPen(Qt::black, px(pen)));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(px(x), px(y), px(w), px(h)));
}

void FormCanvas::line(double x1, double y1, double x2, double y2, double pen) {
    painter_.setPen(QPen(Qt::black, px(pen)));
    painter_.drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
}

void FormCanvas::text(double x, double y, const QString& text, double points, bool gothic) {
    painter_.setPen(Qt::black);
    painter_.setFont(font(points, gothic));
    painter_.drawText(QRectF(px(x), px(y), px(200), px(30)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                      text);
}

void FormCanvas::centred(double x, double y, double w, double h, const QString& text, double points,
                         bool gothic) {
    painter_.setPen(Qt::black);
    painter_.setFont(font(points, gothic));
    painter_.drawText(QRectF(px(x), px(y), px(w), px(h)), Qt::AlignCenter | Qt::TextWordWrap, text);
}

void FormCanvas::vertical(double x, double y, double w, double h, const QString& text, double points) {
    QString stacked;
    for (qsizetype i = 0; i < text.size(); ++i) {
        stacked += text[i];
        if (i + 1 < text.size())
            stacked += '\n';
    }
    painter_.setPen(Qt::black);
    painter_.setFont(font(points, true));
    painter_.drawText(QRectF(px(x), px(y), px(w), px(h)), Qt::AlignCenter, stacked);
}

QImage FormCanvas::finish() {
    painter_.end();
    QImage mono = image_.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither | Qt::MonoOnly);
    mono.setDotsPerMeterX(11811);
    mono.setDotsPerMeterY(11811);
    return mono;
}

} // namespace formgen
