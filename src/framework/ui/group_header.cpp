#include "framework/ui/group_header.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

namespace pw {

ThvGroupHeader::ThvGroupHeader(const QString& caption, QWidget* parent) : QWidget(parent) {
    setWindowTitle(caption);
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void ThvGroupHeader::SetCentred(bool centred) {
    centred_ = centred;
    update();
}

QSize ThvGroupHeader::sizeHint() const {
    return {fontMetrics().horizontalAdvance(Caption()) + 8, kHeight};
}

QSize ThvGroupHeader::minimumSizeHint() const {
    return {0, kHeight};
}

void ThvGroupHeader::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::EnabledChange ||
        event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

void ThvGroupHeader::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // One border width is left free on each side.
    const QRect area = rect().adjusted(1, 1, -1, -1);
    const QPalette& pal = palette();
    const bool enabled = isEnabled();
    const QColor from = enabled ? pal.color(QPalette::Active, QPalette::Highlight)
                                : pal.color(QPalette::Active, QPalette::Mid);
    const QColor to = enabled ? from.lighter(150) : pal.color(QPalette::Active, QPalette::Midlight);
    QLinearGradient gradient(area.topLeft(), area.topRight());
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    p.fillRect(area, gradient);
    p.setPen(enabled ? pal.color(QPalette::Active, QPalette::HighlightedText)
                     : pal.color(QPalette::Active, QPalette::Window));
    const QRect text = area.adjusted(4, 0, -4, 0);
    const QString shown = fontMetrics().elidedText(Caption(), Qt::ElideRight, text.width());
    p.drawText(
        text, Qt::TextSingleLine | Qt::AlignVCenter | (centred_ ? Qt::AlignHCenter : Qt::AlignLeft),
        shown);
}

} // namespace pw
