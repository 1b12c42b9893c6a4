#pragma once
// ThvGroupHeading: the heading strip over a group of controls, 20 pixels high. The strip fills
// the control less one border pixel on each side with a gradient of the palette's caption
// colours (the highlight when enabled, the muted inactive colours when disabled, so the two
// look plainly different), and shows its caption on one line, vertically centred, centred or
// left-aligned as the label's alignment says, cut with an ellipsis when it does not fit.

#include <QLabel>

namespace pw {

class ThvGroupHeading : public QLabel {
    Q_OBJECT
public:
    explicit ThvGroupHeading(const QString& caption = QString(), QWidget* parent = nullptr);

    static constexpr int kHeight = 20;

    // Draw the enabled look even while disabled (the Preferences dialog's help heading).
    void SetAlwaysEnabledLook(bool on);

    // The fill colours (left, right) and the caption colour of the look in effect.
    QColor StartColour() const;
    QColor EndColour() const;
    QColor CaptionColour() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool EnabledLook() const;
    bool alwaysEnabled_ = false;
};

} // namespace pw
