#pragma once

#include <QImage>

namespace formgen {
QImage drawPage1Form();
QImage drawPage2Form();
} // namespace formgen
