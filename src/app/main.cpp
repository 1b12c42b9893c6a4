// Program entry of the desktop program.
#include <cstdio>

int main() {
    std::fprintf(stderr, "pathwick: the desktop program is not built yet.\n");
    return 1;
}
