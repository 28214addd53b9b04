// The typefaces the printed forms name resolve to the free faces, the brush face from the program's own
// folder: it is there whatever the system's fonts hold.
#include "ui/own_fonts.h"

#include <QFont>
#include <QFontInfo>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kakutei {
namespace {

TEST(OwnFonts, TheFormsTypefacesResolveToTheFreeFaces) {
    usePrintingFaces();
    EXPECT_THAT(ownFontFamilies(), ::testing::Contains(QString("AoyagiKouzanFontT")));
    const std::pair<const char*, const char*> faces[] = {
        {"HG白洲行草書体", "AoyagiKouzanFontT"}, // carried by the program
        {"MS 明朝", "IPAMincho"},                // from the system's packages
    };
    for (const auto& [named, standIn] : faces)
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(named))).family(), standIn) << named;
}

} // namespace
} // namespace kakutei
