// The hint status bar: default text, hints of the controls under the mouse, texts handed to it,
// and the return to the default text after the restore interval.
#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "framework/ui/hint_status_bar.h"
#include "gui/platform/launch_test_support.h"

namespace pw {
namespace {

TEST(HintStatusBar, TextsHintsAndTheRestoreInterval) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* button = new QPushButton("Save", &window);
    button->setToolTip("Save|Write the items to disk");
    auto* plain = new QPushButton("Plain", &window);
    auto* bar = new ThvHintStatusBar(&window);
    layout->addWidget(button);
    layout->addWidget(plain);
    layout->addWidget(bar);
    bar->WatchHints(true);
    bar->SetRestoreInterval(150);
    bar->SetDefaultText("Use the buttons");
    EXPECT_EQ(bar->Text(), "Use the buttons");

    bar->SetHintText("");
    EXPECT_EQ(bar->Text(), "Use the buttons") << "an empty text leaves the default text";

    // The mouse moves onto the button: the long part of its hint.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(bar->Text(), "Write the items to disk");
    EXPECT_FALSE(bar->ShowingDefault());
    // Onto a control without a hint: blank, and the default comes back after the interval.
    QApplication::sendEvent(plain, &enter);
    EXPECT_EQ(bar->Text(), "");
    EXPECT_TRUE(test::WaitUntil([bar] { return bar->Text() == "Use the buttons"; }, 3000));
    EXPECT_TRUE(bar->ShowingDefault());

    // A text the program hands it; the same text again does not restart anything.
    bar->SetHintText("Loading...");
    EXPECT_EQ(bar->Text(), "Loading...");
    EXPECT_TRUE(test::WaitUntil([bar] { return bar->ShowingDefault(); }, 3000));
    bar->SetHintText("Loading...");
    EXPECT_EQ(bar->Text(), "Use the buttons") << "the remembered hint is not shown again";

    // With an interval of 0 a text stays until the next one.
    bar->SetRestoreInterval(0);
    bar->SetHintText("Done");
    QApplication::processEvents();
    test::WaitUntil([] { return false; }, 400);
    EXPECT_EQ(bar->Text(), "Done");
    bar->SetHintText("Use the buttons");
    EXPECT_TRUE(bar->ShowingDefault());

    // A new default text (another language) shows at once while the default is shown.
    bar->SetDefaultText("Benutzen Sie die Knöpfe");
    EXPECT_EQ(bar->Text(), "Benutzen Sie die Knöpfe");
    EXPECT_EQ(ThvHintStatusBar::LongHint("short|long|more"), "long|more");
    EXPECT_EQ(ThvHintStatusBar::LongHint("whole"), "whole");
    bar->WatchHints(false);
}

} // namespace
} // namespace pw
