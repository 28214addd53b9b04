#pragma once
// Draws a page into an image for the printing screen's preview.

#include "ui/painter_surface.h"

#include <QImage>

namespace kakutei {

class PreviewSurface : public PainterSurface {
public:
    // An A4 page at `pixelsPerMm`.
    explicit PreviewSurface(double pixelsPerMm);
    void beginJob(std::string_view name) override;
    void endJob() override;
    const QImage& image() const { return image_; }

protected:
    // Scaled down in grey: a one-bit form keeps its thin rulings on the screen only when smoothed.
    QImage prepareForm(const QImage& form, int width, int height) const override;

private:
    double pixelsPerMm_;
    QImage image_;
};

} // namespace kakutei
