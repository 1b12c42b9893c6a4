// pathwick-ctl show / popup: requests to the running instance of the program.
#include <QCoreApplication>
#include <cstdio>

#include "app/ctl/ctl_registry.h"
#include "framework/ui/instance_control.h"
#include "platform/instance_channel.h"

namespace pw::ctl {

namespace {
int SendRequest(const Args& args, const char* request) {
    if (!args.empty())
        return UsageError("unexpected argument '" + args.front() + "'");
    int argc = 1;
    char name[] = "pathwick-ctl";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const auto reply =
        SendInstanceRequest(InstanceEndpointName(QString::fromLatin1(kInstanceIdentifier)), request);
    if (!reply) {
        std::fprintf(stderr, "pathwick-ctl: Pathwick is not running.\n");
        return 1;
    }
    return 0;
}

int RunShow(const Args& args) { return SendRequest(args, InstanceRequest::Forward); }
int RunPopup(const Args& args) { return SendRequest(args, InstanceRequest::Popup); }

[[maybe_unused]] const bool registeredShow =
    RegisterCommand({"show", "show",
                     RunShow});
[[maybe_unused]] const bool registeredPopup =
    RegisterCommand({"popup", "popup",
                     RunPopup});
} // namespace

} // namespace pw::ctl
