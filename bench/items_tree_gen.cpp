// Writes a generated item tree for the desktop benchmarks: items_tree_gen ITEMS_ROOT LINKS FOLDERS
// (FOLDERS 0 puts every entry on the root level).
#include <cstdio>
#include <cstdlib>

#include "items_generate.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: items_tree_gen ITEMS_ROOT LINKS FOLDERS\n");
        return 2;
    }
    std::string root = argv[1];
    if (root.empty() || root.back() != '/')
        root += '/';
    const auto tree = pw::bench::GenerateItemsTree(root, std::atoi(argv[2]), std::atoi(argv[3]));
    std::printf("%d links in %d folders, %zu files\n", tree.links, tree.folders, tree.files.size());
    return 0;
}
