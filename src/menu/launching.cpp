#include "menu/launching.h"

#include <QString>

#include "framework/system_info.h"
#include "platform/launch_target.h"
#include "platform/shell_execute.h"
#include "util/paths.h"
#include "util/strings.h"

namespace pw {

int StartModeOf(const std::string& windowState) {
    if (windowState == "WindowMax")
        return 1;
    if (windowState == "WindowMin")
        return 2;
    if (windowState == "WindowHid")
        return 3;
    return 0;
}

int ShowCommandOf(int startMode) {
    switch (startMode) {
    case 1:
        return SW_SHOWMAXIMIZED;
    case 2:
        return SW_SHOWMINIMIZED;
    case 3:
        return SW_HIDE;
    default:
        return SW_SHOWDEFAULT;
    }
}

std::string DirectoryOfPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string ResolveLaunchPath(const std::string& path, const std::string& programFolder) {
    if (path.empty() || IsAbsolutePath(path) || programFolder.empty() ||
        LooksLikeAddress(QString::fromStdString(path)))
        return path;
    const std::string beside = ResolveDots(IncludeTrailingSeparator(programFolder) + path);
    if (path.find('/') == std::string::npos && !FileExists(beside) && !DirectoryExists(beside))
        return path;
    return beside;
}

LaunchPlan PlanCallExternal(const std::string& path, const std::string& params,
                            const std::string& workDir, bool runAs, int startMode, bool canElevate,
                            const std::string& programFolder) {
    LaunchPlan plan;
    plan.File = ResolveLaunchPath(path, programFolder);
    plan.Params = params;
    plan.Directory =
        workDir.empty() ? DirectoryOfPath(plan.File) : ResolveLaunchPath(workDir, programFolder);
    plan.ShowCmd = ShowCommandOf(startMode);
    plan.Verb = "open";
    if (runAs && canElevate)
        plan.Verb = "runas";
    if (StrLower(ExtractFileExt(path)) == ".rdp")
        plan.Verb = "connect";
    return plan;
}

bool CallExternal(const std::string& path, const std::string& params, const std::string& workDir,
                  bool runAs, int startMode, const std::string& programFolder) {
    static const bool canElevate =
        ComputeOSVersion(CurrentSystemFacts()).Has(ThvOSFlag::VistaOrLater);
    const LaunchPlan plan =
        PlanCallExternal(path, params, workDir, runAs, startMode, canElevate, programFolder);
    return ShellExecute(plan.Verb, plan.File, plan.Params, plan.Directory, plan.ShowCmd) > 32;
}

bool OpenDocument(const std::string& fileOrAddress) {
    return ShellExecute("open", fileOrAddress, "", "", SW_SHOWNORMAL) > 32;
}

} // namespace pw
