#include "form_canvas.h"

#include <QPen>

namespace formgen {

namespace {
constexpr int kWidth = 2481;
constexpr int kHeight = 3507;
constexpr double kDpi = 300;

QString q(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

FormCanvas::FormCanvas(const kakutei::FormSheet& sheet)
    : pxPerMmX_(kWidth / sheet.widthMm()), pxPerMmY_(kHeight / sheet.heightMm()),
      image_(kWidth, kHeight, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    for (const kakutei::SheetBox& b : sheet.boxes())
        box(b);
    for (const kakutei::SheetLine& l : sheet.lines())
        line(l);
    for (const kakutei::SheetCaption& c : sheet.captions())
        caption(c);
}

QRectF FormCanvas::rect(const kakutei::SheetRect& mm) const {
    return {mm.x * pxPerMmX_, mm.y * pxPerMmY_, mm.w * pxPerMmX_, mm.h * pxPerMmY_};
}

QFont FormCanvas::font(double points, bool gothic) const {
    QFont font(gothic ? "IPAexGothic" : "IPAMincho");
    // Points as they come out on the paper, after the copy has scaled the image.
    font.setPixelSize(static_cast<int>(points * 25.4 / 72 * pxPerMmY_));
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void FormCanvas::box(const kakutei::SheetBox& b) {
    painter_.setPen(QPen(Qt::black, b.pen * pxPerMmY_));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(rect(b.rect));
}

void FormCanvas::line(const kakutei::SheetLine& l) {
    painter_.setPen(QPen(Qt::black, l.pen * pxPerMmY_));
    painter_.drawLine(QPointF(l.x1 * pxPerMmX_, l.y1 * pxPerMmY_),
                      QPointF(l.x2 * pxPerMmX_, l.y2 * pxPerMmY_));
}

void FormCanvas::caption(const kakutei::SheetCaption& c) {
    using Flow = kakutei::SheetCaption::Flow;
    painter_.setPen(Qt::black);
    painter_.setFont(font(c.points, c.gothic));
    QString text = q(c.text);
    switch (c.flow) {
    case Flow::topLeft:
        painter_.drawText(rect({c.rect.x, c.rect.y, 200, 30}),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
        break;
    case Flow::centred:
        painter_.drawText(rect(c.rect), Qt::AlignCenter | Qt::TextWordWrap, text);
        break;
    case Flow::vertical: {
        QString stacked;
        for (qsizetype i = 0; i < text.size(); ++i) {
            stacked += text[i];
            if (i + 1 < text.size())
                stacked += '\n';
        }
        painter_.drawText(rect(c.rect), Qt::AlignCenter, stacked);
        break;
    }
    }
}

QImage FormCanvas::finish() {
    painter_.end();
    QImage mono = image_.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither | Qt::MonoOnly);
    mono.setDotsPerMeterX(11811);
    mono.setDotsPerMeterY(11811);
    return mono;
}

} // namespace formgen
