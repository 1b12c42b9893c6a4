#pragma once
// ThvGroupHeader: the heading strip that starts each group of a window's side column: 20 pixels
// high, filled with a gradient of the palette's selection colours (greys when the strip is
// disabled), its caption on one line, vertically centred, centred or left-aligned, cut with an
// ellipsis when too long. The caption is the widget's window title, so the translation treats
// the strip like any other panel.

#include <QWidget>

namespace pw {

class ThvGroupHeader : public QWidget {
    Q_OBJECT
public:
    explicit ThvGroupHeader(const QString& caption, QWidget* parent = nullptr);

    static constexpr int kHeight = 20;

    QString Caption() const { return windowTitle(); }
    void SetCentred(bool centred);
    bool Centred() const { return centred_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool centred_ = false;
};

} // namespace pw
