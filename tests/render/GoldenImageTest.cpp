// Reference pictures of a few blocks, compared with a tolerance for font rasterisation. Run with
// QX_UPDATE_GOLDENS=1 to write them anew after a deliberate change, and look at them.
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cstdlib>
#include <functional>

namespace qx::render {
namespace {

using namespace output::testdocs;
using testing::Fixture;

struct Golden {
    const char* name;
    std::function<void(model::EditData&)> setUp;
};

/// Share of pixels whose grey differs by more than a quarter of the range.
double differingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 1.0;
    long long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64 ? 1 : 0;
    return static_cast<double>(differing) / (a.width() * a.height());
}

TEST(GoldenImages, BlocksMatchTheirReferencePictures) {
    const Golden goldens[] = {
        {"framed", [](model::EditData& d) {
             d.target.frame = 1;
             setLine(d, 0, 0, "AB-&$", 1);
             addSequence(d, 0, decimalRun(7, 9));
         }},
        {"reversed", [](model::EditData& d) {
             setLine(d, 0, 0, "REV@", 3);
             d.block(0).reverse = 1;
         }},
        {"vertical-tape", [](model::EditData& d) {
             d.target.targetKind = model::TargetKind::Tape;
             d.target.targetSize = 12;
             d.target.direction = 1;
             setLine(d, 0, 0, "AB1", 3);
             setLine(d, 0, 1, "&C", 3);
             d.block(0).underline = 1;
         }},
    };
    const QString folder = QStringLiteral(QX_TEST_DATA_DIR "/render");
    const bool update = std::getenv("QX_UPDATE_GOLDENS") != nullptr;
    for (const Golden& g : goldens) {
        Fixture f;
        g.setUp(f.data);
        const QImage image = f.draw(0).convertToFormat(QImage::Format_RGB32);
        const QString path = folder + QLatin1Char('/') + QLatin1String(g.name) + QStringLiteral(".png");
        if (update) {
            QDir().mkpath(folder);
            ASSERT_TRUE(image.save(path)) << path.toStdString();
            continue;
        }
        const QImage expected(path);
        ASSERT_FALSE(expected.isNull()) << path.toStdString();
        EXPECT_LT(differingShare(image, expected.convertToFormat(QImage::Format_RGB32)), 0.02) << g.name;
    }
}

} // namespace
} // namespace qx::render
