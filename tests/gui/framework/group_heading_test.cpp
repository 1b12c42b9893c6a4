// The heading strip over a group: 20 pixels high, one border pixel free, a caption-coloured
// gradient that looks plainly different when disabled, and a caption cut with an ellipsis.
#include <QImage>
#include <gtest/gtest.h>

#include "framework/ui/group_heading.h"

namespace pw {
namespace {

QImage Render(QWidget& w) {
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::magenta);
    w.render(&img);
    return img;
}

TEST(GroupHeading, StripLooksEnabledOrDisabledAndCutsItsCaption) {
    ThvGroupHeading heading("Menu settings");
    heading.resize(200, heading.sizeHint().height());
    EXPECT_EQ(heading.height(), 20);
    const QImage enabled = Render(heading);
    // One pixel is left free on each side; the strip starts with the highlight colour.
    EXPECT_EQ(enabled.pixel(0, 10), heading.palette().color(QPalette::Window).rgb());
    EXPECT_EQ(enabled.pixel(1, 10), heading.StartColour().rgb());
    EXPECT_EQ(heading.StartColour(), heading.palette().color(QPalette::Highlight));

    heading.setEnabled(false);
    const QImage disabled = Render(heading);
    const QColor a = enabled.pixelColor(1, 10), b = disabled.pixelColor(1, 10);
    const int distance = std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                         std::abs(a.blue() - b.blue());
    EXPECT_GT(distance, 90) << "the disabled strip must look plainly different";
    EXPECT_NE(heading.CaptionColour(), QColor(heading.palette().color(QPalette::HighlightedText)));
    heading.SetAlwaysEnabledLook(true);
    EXPECT_EQ(Render(heading), enabled) << "the help heading keeps the enabled look";

    // Too narrow for its caption: cut with an ellipsis inside the strip, nothing beyond it.
    heading.setEnabled(true);
    heading.setText("A caption far too long for a narrow strip of sixty pixels");
    heading.resize(60, 20);
    const QImage narrow = Render(heading);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(narrow.pixel(59, y), heading.palette().color(QPalette::Window).rgb()) << y;
    int caption = 0;
    for (int y = 1; y < 19; ++y)
        for (int x = 1; x < 59; ++x)
            caption += narrow.pixelColor(x, y).lightness() > 200;
    EXPECT_GT(caption, 10) << "the cut caption is drawn";
}

} // namespace
} // namespace pw
