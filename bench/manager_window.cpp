// The manager window with 10,000 links in 1,000 folders: showing it the first time, a Clean of
// the whole tree, Undo, and Save with the reload, against `pathwick-ctl resave` on the same data
// folder in the same run. Prints the figures (milliseconds, medians) and the targets.
//
//   QT_QPA_PLATFORM=offscreen build/bench/manager_window_bench [links] [folders] [runs] [save runs]
// Runs in a temporary home of its own, removed at the end.

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/ui/module_shared.h"
#include "framework/ui/application.h"
#include "items/item_editing.h"
#include "items_generate.h"
#include "manager/form_front.h"

namespace {

namespace fs = std::filesystem;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int links = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int folders = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;

    const std::string base =
        (fs::temp_directory_path() / ("pathwick-manager-bench-" + std::to_string(::getpid())))
            .string() +
        "/";
    const std::string home = base + "home/";
    const std::string data = home + "Documents/Halvorn-Ek/Pathwick/";
    fs::create_directories(home + ".config");
    fs::create_directories(base + "run");
    fs::permissions(base + "run", fs::perms::owner_all);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + ".config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + ".local/share").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (base + "run").c_str(), 1);
    const pw::bench::GeneratedTree tree =
        pw::bench::GenerateItemsTree(data + "shortcuts/", links, folders);
    fs::create_directories(data + "temp");

    pw::TApplication app(argc, argv);
    pw::DataPathInputs inputs;
    inputs.ProgramFolder = PATHWICK_BIN_DIR "/";
    inputs.DocumentsFolder = home + "Documents/";
    inputs.GenericDataFolder = home + ".local/share/";
    auto module = std::make_unique<pw::TModuleShared>(nullptr, inputs);
    Settle();
    auto* front = qobject_cast<pw::TFormFront*>(module->MainForm.data());
    if (!front) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }

    QElapsedTimer t;
    t.start();
    front->miManageItemsClick();
    front->repaint();
    Settle();
    const double show = static_cast<double>(t.nsecsElapsed()) / 1e6;

    std::vector<double> clean, undo, save, resave, cleanCore;
    int removed = 0;
    for (int i = 0; i < runs; ++i) {
        // The rule alone, without the tree view.
        t.restart();
        pw::items::CleanItems(front->Store(), front->Store().RootTopMarker());
        cleanCore.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        front->BitBtnUndoClick();
        front->ResetSelection();
        const int before = front->Store().tvItems.Count();
        t.restart();
        front->BitBtnSweepClick();
        Settle();
        clean.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        removed = before - front->Store().tvItems.Count();
        t.restart();
        front->BitBtnUndoClick();
        Settle();
        undo.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    const int saveRuns = argc > 4 ? std::atoi(argv[4]) : runs;
    QAction* saveEntry = front->pmSaveOptions()->actions().at(0);
    const std::string ctl = std::string(PATHWICK_BIN_DIR) + "/pathwick-ctl resave --data '" + data +
                            "' >/dev/null 2>&1";
    for (int i = 0; i < saveRuns; ++i) {
        t.restart();
        front->miSaveSharedClick(saveEntry);
        Settle();
        save.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        t.restart();
        if (std::system(ctl.c_str()) != 0)
            std::fprintf(stderr, "pathwick-ctl resave failed\n");
        resave.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    // The reload after a resave reads what the command wrote: the window's tree is that tree.
    front->LoadItems();

    std::printf("%d links in %d folders (%zu files), %d runs, medians in ms\n", tree.links,
                tree.folders, tree.files.size(), runs);
    std::printf("%-36s %8.1f  (target <= 150)\n", "show the manager window, first time", show);
    std::printf("%-36s %8.1f  (target <= 50; %d nodes removed)\n", "Clean of the whole tree",
                Median(clean), removed);
    std::printf("%-36s %8.1f\n", "  of which the rule itself", Median(cleanCore));
    std::printf("%-36s %8.1f  (target <= 50)\n", "Undo", Median(undo));
    std::printf("%-36s %8.1f\n", "Save + reload from the window", Median(save));
    std::printf("%-36s %8.1f\n", "pathwick-ctl resave", Median(resave));
    std::printf("%-36s %8.2fx (target <= 1.2x)\n", "window save / resave",
                Median(save) / std::max(Median(resave), 0.001));

    module.reset();
    std::error_code ec;
    fs::remove_all(base, ec);
    return 0;
}
