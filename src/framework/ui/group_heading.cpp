#include "framework/ui/group_heading.h"

#include <QLinearGradient>
#include <QPainter>

namespace pw {

namespace {
constexpr int kBorder = 1;      // one border pixel left free on each side
constexpr int kTextPadding = 4; // between the strip's edge and a left-aligned caption

QColor Mix(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}
} // namespace

ThvGroupHeading::ThvGroupHeading(const QString& caption, QWidget* parent)
    : QLabel(caption, parent) {
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont f = font();
    f.setBold(true);
    setFont(f);
}

void ThvGroupHeading::SetAlwaysEnabledLook(bool on) {
    alwaysEnabled_ = on;
    update();
}

bool ThvGroupHeading::EnabledLook() const {
    return alwaysEnabled_ || isEnabled();
}

QColor ThvGroupHeading::StartColour() const {
    const QPalette& pal = palette();
    if (EnabledLook())
        return pal.color(QPalette::Active, QPalette::Highlight);
    return Mix(pal.color(QPalette::Active, QPalette::Window),
               pal.color(QPalette::Active, QPalette::WindowText), 0.35);
}

QColor ThvGroupHeading::EndColour() const {
    const QPalette& pal = palette();
    const QColor window = pal.color(QPalette::Active, QPalette::Window);
    return Mix(StartColour(), window, 0.6);
}

QColor ThvGroupHeading::CaptionColour() const {
    const QPalette& pal = palette();
    if (EnabledLook())
        return pal.color(QPalette::Active, QPalette::HighlightedText);
    return pal.color(QPalette::Active, QPalette::Window);
}

QSize ThvGroupHeading::sizeHint() const {
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(text()) + 2 * (kBorder + kTextPadding), kHeight};
}

QSize ThvGroupHeading::minimumSizeHint() const {
    return {2 * (kBorder + kTextPadding), kHeight};
}

void ThvGroupHeading::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect strip = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    if (strip.isEmpty())
        return;
    QLinearGradient gradient(strip.topLeft(), strip.topRight());
    gradient.setColorAt(0, StartColour());
    gradient.setColorAt(1, EndColour());
    p.fillRect(strip, gradient);

    const QRect textRect = strip.adjusted(kTextPadding, 0, -kTextPadding, 0);
    const Qt::Alignment horizontal =
        (alignment() & Qt::AlignHCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
    const QString shown = p.fontMetrics().elidedText(text(), Qt::ElideRight, textRect.width());
    p.setPen(CaptionColour());
    p.drawText(textRect, int(horizontal | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

} // namespace pw
