// A save cut short at any moment loses nothing: `pathwick-ctl resave` of a large tree is killed
// (SIGKILL) at random moments spread over its run, the start-up recovery is answered Yes, and the
// items root must then equal, file for file and byte for byte, either the tree before the save or
// the tree a complete save writes.
//
//   save_crash PROGRAM_FOLDER [kills]
// PATHWICK_CRASH_SEED repeats a run; PATHWICK_CRASH_DIR: where the trees are made (default
// /dev/shm, else the temporary folder).
// Exit status 0: every kill passed; 1: a tree was neither; 77: pathwick-ctl is not built.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "items/items_backup.h"
#include "items_generate.h"
#include "util/text_files.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Tree = std::map<std::string, std::string>; // relative path -> bytes ("/" ends a folder)

Tree Snapshot(const std::string& root) {
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().string().substr(root.size());
        if (entry.is_directory())
            tree[name + "/"] = "";
        else
            tree[name] = pw::ReadFileBytes(entry.path().string());
    }
    return tree;
}

std::string FirstDifference(const Tree& a, const Tree& b) {
    for (const auto& [name, bytes] : a) {
        auto it = b.find(name);
        if (it == b.end())
            return name + " is missing";
        if (it->second != bytes)
            return name + " differs";
    }
    for (const auto& [name, bytes] : b)
        if (!a.count(name))
            return name + " is extra";
    return "";
}

// The tree before the save, made to differ from what the save writes: LF line ends (every
// shortcut file is rewritten), a missing tree picture for every fourth program (written anew)
// and a stale file in every folder (removed).
void MakeOldTree(const std::string& root) {
    const pw::bench::GeneratedTree tree = pw::bench::GenerateItemsTree(root, 10000, 1000);
    int program = 0;
    for (const std::string& file : tree.files) {
        if (file.size() > 7 && file.compare(file.size() - 7, 7, ".wc.bmp") == 0) {
            if (program++ % 4 == 0)
                fs::remove(file);
        } else if (fs::path(file).filename() == "shortcuts-utf8.txt") {
            std::string text = pw::ReadFileBytes(file);
            std::string lf;
            for (char c : text)
                if (c != '\r')
                    lf += c;
            pw::bench::WriteBench(file, lf);
            pw::bench::WriteBench(fs::path(file).parent_path().string() + "/stale.txt", "x");
        }
    }
}

// The items root as before the save, hard-linked to the pristine copy: the save replaces files by
// rename and never writes into one, and the snapshot taken at the start would show it if it did.
void Reset(const std::string& pristine, const std::string& data, const std::string& trash) {
    fs::remove_all(data);
    fs::remove_all(trash);
    fs::create_directories(data + "temp");
    fs::copy(pristine, data + "shortcuts",
             fs::copy_options::recursive | fs::copy_options::create_hard_links);
}

pid_t StartResave(const std::string& ctl, const std::string& data) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stderr);
        execl(ctl.c_str(), ctl.c_str(), "resave", "--data", data.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

struct AnswerYes : pw::items::BackupQuestion {
    pw::items::BackupAnswer AskRestoreBackup(const std::string&) override {
        return pw::items::BackupAnswer::Yes;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: save_crash PROGRAM_FOLDER [kills]\n");
        return 2;
    }
    const std::string ctl = std::string(argv[1]) + "/pathwick-ctl";
    if (access(ctl.c_str(), X_OK) != 0)
        return 77;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int kills = argc > 2 ? std::atoi(argv[2]) : 20;
    // In memory where it can be: a kill loses nothing of the page cache, so the disk adds only
    // time (the machine's other writers make every deletion slow), not cases.
    const char* place = std::getenv("PATHWICK_CRASH_DIR");
    std::string pattern = place && *place                 ? std::string(place)
                          : access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm")
                                                          : fs::temp_directory_path().string();
    pattern += "/pathwick-save-crash-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return 2;
    const std::string base = pattern + "/";
    // A home of its own: the recovery empties the items root into the trash.
    setenv("HOME", (base + "home").c_str(), 1);
    setenv("XDG_DATA_HOME", (base + "home/.local/share").c_str(), 1);
    unsetenv("PATHWICK_DATA");
    fs::create_directories(base + "home/.local/share");

    const std::string pristine = base + "old/";
    const std::string data = base + "data/";
    const std::string root = data + "shortcuts/";
    const std::string trash = base + "home/.local/share/Trash";
    MakeOldTree(pristine);
    const Tree before = Snapshot(pristine);

    // The complete save, timed: the kills are spread over its run.
    Reset(pristine, data, trash);
    const Clock::time_point start = Clock::now();
    const int status = WaitFor(StartResave(ctl, data));
    const auto duration =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "FAIL: the complete resave failed (status %d)\n", status);
        return 1;
    }
    const Tree after = Snapshot(root);
    if (FirstDifference(before, after).empty()) {
        std::fprintf(stderr, "FAIL: the save changes nothing, so the test shows nothing\n");
        return 1;
    }

    const char* seedText = std::getenv("PATHWICK_CRASH_SEED");
    const unsigned seed =
        seedText && *seedText ? static_cast<unsigned>(std::atol(seedText)) : std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, static_cast<long>(duration.count()));
    std::printf("resave of %zu entries takes %.0f ms; %d kills, seed %u\n", before.size(),
                static_cast<double>(duration.count()) / 1000.0, kills, seed);

    int failed = 0, old = 0, fresh = 0;
    for (int i = 0; i < kills; ++i) {
        Reset(pristine, data, trash);
        const long wait = delay(random);
        const pid_t pid = StartResave(ctl, data);
        std::this_thread::sleep_for(std::chrono::microseconds(wait));
        kill(pid, SIGKILL);
        const int how = WaitFor(pid);
        AnswerYes yes;
        const pw::items::RecoverResult recovered =
            pw::items::RecoverItemsBackup(root, data + "temp/", yes);
        const Tree now = Snapshot(root);
        const std::string fromOld = FirstDifference(before, now);
        const std::string fromNew = FirstDifference(after, now);
        const char* state = fromOld.empty() ? "old" : fromNew.empty() ? "new" : "NEITHER";
        std::printf("kill %2d at %6.1f ms (%s): %s tree%s\n", i + 1,
                    static_cast<double>(wait) / 1000.0, WIFSIGNALED(how) ? "killed" : "had ended",
                    state, recovered == pw::items::RecoverResult::Restored ? ", restored" : "");
        if (recovered == pw::items::RecoverResult::RestoreFailed) {
            std::printf("  FAIL: the restore was incomplete\n");
            ++failed;
        } else if (fromOld.empty()) {
            ++old;
        } else if (fromNew.empty()) {
            ++fresh;
        } else {
            std::printf("  FAIL: against the old tree %s; against the new one %s\n",
                        fromOld.c_str(), fromNew.c_str());
            ++failed;
        }
    }
    std::printf("%d of %d passed (%d old, %d new)\n", kills - failed, kills, old, fresh);
    std::error_code ec;
    fs::remove_all(base, ec);
    return failed == 0 ? 0 : 1;
}
