#include "framework/support_bundle.h"

#include "util/folders.h"
#include "util/paths.h"
#include "util/text_files.h"

namespace pw {

std::vector<SupportFile> SupportBundleFiles(const DataPaths& paths) {
    return {
        {paths.ProgramFolder + "muc.ini", "muc.ini"},
        {paths.LogFile, "program.log"},
        {paths.OptionsFile, "options.ini"},
    };
}

SupportBundleResult CollectSupportData(const std::string& folder, std::string_view dataHtml,
                                       const std::vector<SupportFile>& files) {
    SupportBundleResult result;
    const std::string target = IncludeTrailingSeparator(folder);
    auto record = [&result](const std::string& name, bool ok) {
        (ok ? result.Written : result.Failed).push_back(name);
    };
    const bool folderOk = !folder.empty() && DirectoryExists(target);
    record(kSupportDataFileName,
           folderOk && WriteFileBytes(target + kSupportDataFileName, dataHtml));
    for (const SupportFile& file : files) {
        if (file.Source.empty() || !FileExists(file.Source))
            continue;
        record(file.TargetName, folderOk && CopyFile(file.Source, target + file.TargetName));
    }
    return result;
}

} // namespace pw
