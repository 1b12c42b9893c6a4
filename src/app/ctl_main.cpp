// Program entry of pathwick-ctl, the command-line companion over the core.
#include <cstdio>

int main() {
    std::fprintf(stderr, "pathwick-ctl: no commands are built yet.\n");
    return 1;
}
