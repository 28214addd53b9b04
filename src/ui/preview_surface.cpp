#include "ui/preview_surface.h"

#include <cmath>

namespace kakutei {

PreviewSurface::PreviewSurface(double pixelsPerMm)
    : pixelsPerMm_(pixelsPerMm),
      image_(static_cast<int>(std::lround(210 * pixelsPerMm)),
             static_cast<int>(std::lround(297 * pixelsPerMm)), QImage::Format_RGB32) {
    // Fonts measure by the image's resolution, so it must be the one the page is drawn at.
    const int dotsPerMetre = static_cast<int>(std::lround(pixelsPerMm * 1000));
    image_.setDotsPerMeterX(dotsPerMetre);
    image_.setDotsPerMeterY(dotsPerMetre);
}

void PreviewSurface::beginJob(std::string_view) {
    finish();
    image_.fill(Qt::white);
    beginOn(&image_, pixelsPerMm_ * 25.4);
}

void PreviewSurface::endJob() {
    finish();
}

QImage PreviewSurface::prepareForm(const QImage& form, int width, int height) const {
    return form.convertToFormat(QImage::Format_Grayscale8)
        .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace kakutei
