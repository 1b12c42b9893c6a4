#include "about/translation_panes.h"

#include <QPainter>
#include <QTextBlock>

#include "lang/translation_files.h"

namespace pw {

namespace {
class Gutter : public QWidget {
public:
    explicit Gutter(ThvTranslationTextEdit* edit) : QWidget(edit), edit_(edit) {}
    QSize sizeHint() const override { return {edit_->GutterWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { edit_->PaintGutter(event); }

private:
    ThvTranslationTextEdit* edit_;
};
} // namespace

ThvTranslationTextEdit::ThvTranslationTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    setFont(font);
    gutter_ = new Gutter(this);
    connect(this, &QPlainTextEdit::blockCountChanged, this,
            [this] { setViewportMargins(GutterWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            gutter_->scroll(0, dy);
        else
            gutter_->update(0, rect.y(), gutter_->width(), rect.height());
    });
    setViewportMargins(GutterWidth(), 0, 0, 0);
}

int ThvTranslationTextEdit::GutterWidth() const {
    int digits = 1;
    for (int n = std::max(1, blockCount()); n >= 10; n /= 10)
        ++digits;
    return 6 + fontMetrics().horizontalAdvance(u'9') * digits;
}

void ThvTranslationTextEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect r = contentsRect();
    gutter_->setGeometry(QRect(r.left(), r.top(), GutterWidth(), r.height()));
}

void ThvTranslationTextEdit::PaintGutter(QPaintEvent* event) {
    QPainter painter(gutter_);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, gutter_->width() - 3, fontMetrics().height(), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        block = block.next();
        top += height;
    }
}

// --- colouring --------------------------------------------------------------------------------

void ThvIniHighlighter::highlightBlock(const QString& text) {
    ++ColouredBlocks;
    const IniLineColouring line = ClassifyIniLine(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
    QTextCharFormat format;
    switch (line.Kind) {
    case IniLineKind::Section:
        format.setForeground(QColor(0, 0, 128));
        format.setFontWeight(QFont::Bold);
        setFormat(0, int(text.size()), format);
        break;
    case IniLineKind::Comment:
        format.setForeground(QColor(0, 128, 0));
        setFormat(0, int(text.size()), format);
        break;
    case IniLineKind::Entry: {
        format.setForeground(line.EmptyValue ? QColor(160, 0, 0) : QColor(0, 0, 0));
        setFormat(0, int(line.KeyLength), format);
        QTextCharFormat value;
        value.setForeground(QColor(0, 0, 255));
        setFormat(int(line.KeyLength), int(text.size()) - int(line.KeyLength), value);
        break;
    }
    case IniLineKind::Plain:
        break;
    }
}

} // namespace pw
