// Program entry of pathwick-ctl, the command-line companion over the core.
#include <cstring>

#include "app/ctl/ctl_registry.h"

int main(int argc, char** argv) {
    if (argc < 2)
        return pw::ctl::UsageError("no command given");
    for (const pw::ctl::Command& c : pw::ctl::Commands()) {
        if (std::strcmp(c.name, argv[1]) == 0)
            return c.run(pw::ctl::Args(argv + 2, argv + argc));
    }
    return pw::ctl::UsageError(std::string("unknown command '") + argv[1] + "'");
}
