#pragma once
// PrintSurface on a QPainter: millimetres turned into the device's dots. The printer, the PDF files and
// the on-screen preview are all drawn through it.

#include "print/print_surface.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace kakutei {

class PainterSurface : public PrintSurface {
public:
    void setFont(std::string_view family, double points) override;
    void drawText(double xMm, double yMm, std::string_view utf8) override;
    double textWidth(std::string_view utf8) override;
    void drawImage(FormImage image, double xMm, double yMm, double widthMm, double heightMm) override;

protected:
    PainterSurface();
    // Starts drawing on `device`, whose resolution is `dotsPerInch`.
    void beginOn(QPaintDevice* device, double dotsPerInch);
    void finish();
    bool drawing() const { return painter_.isActive(); }
    // The form image as this device draws it best, `width` × `height` device dots.
    virtual QImage prepareForm(const QImage& form, int width, int height) const;

private:
    double toDevice(double mm) const { return mm * dotsPerInch_ / 25.4; }
    QPainter painter_;
    QPaintDevice* device_ = nullptr;
    double dotsPerInch_ = 300;
    QFont font_;
};

// The form image at one bit per pixel, black on white.
QImage monochromeForm(FormImage image);

} // namespace kakutei
