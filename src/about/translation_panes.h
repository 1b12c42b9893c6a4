#pragma once
// The text panes of the translation editor: line numbers in a gutter, and the colouring of a
// language file's lines.

#include <QPlainTextEdit>
#include <QSyntaxHighlighter>

namespace pw {

// A plain text pane with the line numbers drawn in a gutter on its left.
class ThvTranslationTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ThvTranslationTextEdit(QWidget* parent = nullptr);
    int GutterWidth() const;
    void PaintGutter(QPaintEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* gutter_ = nullptr;
};

// Colours the lines of a language file: section heads bold navy, comments green, keys black
// and values blue; the key of an empty value dark red, so that what is left to translate stands
// out. Attached to a pane only while the page is visible.
class ThvIniHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;
    int ColouredBlocks = 0; // lines coloured so far (for the tests and the benchmark)

protected:
    void highlightBlock(const QString& text) override;
};

} // namespace pw
