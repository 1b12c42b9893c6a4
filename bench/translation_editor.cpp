// The translation editor's figures on a 5,000-line language file: Sync (the core routine) and
// colouring both panes' worth of lines (the page's highlighter on the pane's document), each
// the median of 15 runs. Target: 100 ms or less each.
//
//   build/bench/translation_editor_bench

#include <QApplication>
#include <QPlainTextEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "about/translation_page.h"
#include "lang/translation_files.h"

namespace {

// 5,000 lines as the shipped files hold them: sections, comments, entries, templates.
std::string LanguageFile(bool translated) {
    std::string text;
    for (int section = 0; section < 250; ++section) {
        text += "[StrsGui____Controls__Form" + std::to_string(section) + "]\r\n";
        text += "; the controls of window " + std::to_string(section) + "\r\n";
        for (int k = 0; k < 17; ++k) {
            text += "control" + std::to_string(k) + (k % 3 ? ".Caption=" : "__Value=");
            text += translated ? "Übersetzter Text Nummer " : "English text number ";
            text += std::to_string(section * 100 + k) + "\r\n";
        }
        text += "message__Template=__curly\r\n\r\n";
    }
    return text;
}

template <typename F> double MedianMs(F f) {
    std::vector<double> runs;
    for (int i = 0; i < 15; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        runs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const std::string english = LanguageFile(false);
    const std::string translation = LanguageFile(true);
    size_t lines = 0;
    for (char c : english)
        lines += c == '\n';

    std::string synced;
    const double sync = MedianMs([&] { synced = pw::SyncLanguageText(english, translation); });

    pw::ThvTranslationTextEdit pane;
    pane.setPlainText(QString::fromStdString(synced));
    pw::ThvIniHighlighter colours(static_cast<QObject*>(nullptr));
    colours.setDocument(pane.document());
    const double colouring = MedianMs([&] { colours.rehighlight(); });

    std::printf("lines: %zu\n", lines);
    std::printf("sync: %.2f ms (target <= 100)\n", sync);
    std::printf("colouring: %.2f ms (target <= 100)\n", colouring);
    return sync <= 100 && colouring <= 100 ? 0 : 1;
}
