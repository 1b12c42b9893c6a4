#include "lang/framework_texts.h"

#include "framework/maker_info.h"
#include "lang/language_controller.h"
#include "util/strings.h"

namespace pw {

namespace {
struct NamedText {
    const char* Name;
    const char* Default;
};

constexpr NamedText kDialogTexts[] = {
    {"Warning", "Warning"},
    {"Error", "Error"},
    {"Information", "Information"},
    {"Confirm", "Confirm"},
    {"Yes", "&Yes"},
    {"No", "&No"},
    {"OK", "OK"},
    {"Cancel", "Cancel"},
    {"Abort", "&Abort"},
    {"Retry", "&Retry"},
    {"Ignore", "&Ignore"},
    {"All", "&All"},
    {"NotoAll", "N&o to All"},
    {"YestoAll", "Yes to &All"},
    {"Help", "&Help"},
};

constexpr NamedText kFindReplacePrompts[] = {
    {"DialogFindTextContinueTop", "\"{dynDialogFindText}\" not found. Restart search from top?"},
    {"DialogFindTextContinueBottom",
     "\"{dynDialogFindText}\" not found. Restart search from bottom?"},
    {"DialogReplaceTextContinue",
     "Replace \"{dynDialogFindText}\" with \"{dynDialogReplaceText}\"?"},
    {"DialogReplaceTextAllDone", "Replaced \"{dynDialogFindText}\" with "
                                 "\"{dynDialogReplaceText}\" {dynDialogReplaceCount} places!"},
};

constexpr const char* kProblemPersists =
    "If the problem persists try visit {CompanyUrlFull} and check for updates and/or "
    "workarounds for already known commonly encountered issues.\r\n\r\nAs an alternative "
    "please email \"{LogFilePath}\" and a reproducible description of what you were doing at "
    "the time the error ocurred to {CompanyProductSupportEmail} and we will do our best to "
    "resolve the problem.";

std::string S(std::string_view v) {
    return std::string(v);
}
} // namespace

void RegisterFrameworkTexts(ThvlgLanguageController& lang, TDateTime now) {
    constexpr const char* kDialogs = "__MixedText__Dialogs__VCL__RS";
    for (const NamedText& t : kDialogTexts)
        lang.RegisterResString(kFileGeneral, kDialogs, t.Name, t.Default);
    for (const NamedText& t : kFindReplacePrompts)
        lang.RegisterResString(kFileGeneral, "__MixedText__Dialogs__Texts__RS", t.Name, t.Default,
                               "__curly");
    lang.RegisterResString(kFileGeneral, "__MixedText__FileTypes", "FileTypeHTML", "HTML file");
    lang.RegisterResString(kFileGeneral, "__MixedText__FileTypes", "UTF8Encoded", "UTF8 encoded");
    lang.RegisterResString(kFileGeneral, "__MixedText__ManageFiles", "SaveFileChanges",
                           "Save file \"{dynDirFilePathName}\" changes?", "__curly");

    ThvlgTransMetaData meta;
    meta.Lingua_ID = "en-us";
    meta.Lingua_Desc = "English (US)";
    meta.Author_Name = S(maker::TranslationAuthor);
    meta.Author_Email = S(maker::SupportEmail);
    meta.Author_WebUrl = S(maker::WebsiteBaseUrl);
    meta.Author_Comments = "Please email suggestions and/or corrections.";
    meta.Document_LastUpdateDate = DateTimeToText(0, now);
    meta.Document_LastUpdateProgram = S(maker::ProgramNameShort);
    meta.Document_LastUpdateVersion = S(maker::ProgramVersion);
    for (const char* file : {kFileGeneral, kFileShared, kFileProgram})
        lang.WriteMetaData(file, meta);

    constexpr const char* kModuleMessages = "__MessageText__Module";
    lang.RegisterResString(kFileShared, kModuleMessages, "ProblemPersists", kProblemPersists,
                           "__curly");
    lang.RegisterResString(kFileShared, kModuleMessages, "NoErrorMessageText", "No message");
    lang.RegisterResString(kFileShared, kModuleMessages, "ErrorOccuredDetails", "Error occured");
    lang.RegisterResString(kFileShared, kModuleMessages, "OpenBrowserMoreInfo",
                           "Open browser to view more information?");
    lang.RegisterResString(kFileShared, kModuleMessages, "ProblemViewDetails",
                           "Problem occured. View details?");
    constexpr const char* kModuleMixed = "__MixedText__Module";
    lang.RegisterResString(kFileShared, kModuleMixed, "SelectOutputDir", "Select output directory");
    lang.RegisterResString(kFileShared, kModuleMixed, "NoHelpAvailableTopic",
                           "No help available for this topic.");
    lang.RegisterResString(kFileShared, kModuleMixed, "OpenExternalBrowserWindow",
                           "This will open an external browser window.");
}

void RegisterFrameworkTemplateVariables(ThvlgLanguageController& lang, const DataPaths& paths,
                                        const std::string& websiteBaseUrl) {
    lang.AddTemplateVariable("ProgramNameShort", S(maker::ProgramNameShort));
    lang.AddTemplateVariable("ProgramNameShortCommon", S(maker::ProgramNameShort));
    lang.AddTemplateVariable("CompanyUrlFull", websiteBaseUrl);
    lang.AddTemplateVariable("CompanyProductSupportEmail", S(maker::SupportEmail));
    lang.AddTemplateVariable("CompanyNameShort", S(maker::CompanyNameShort));
    lang.AddTemplateVariable("CompanyNameLong", S(maker::CompanyNameLong));
    lang.AddTemplateVariable("CopyrightTime", S(maker::CopyrightTime));
    lang.AddTemplateVariable("CopyrightHolders", S(maker::CopyrightHolders));
    lang.AddTemplateVariable("LogFilePath", paths.LogFile);
    // The program folder's items, not the user data folder's.
    lang.AddTemplateVariable("AppDataPath", paths.ProgramFolder + "shortcuts/");
}

} // namespace pw
