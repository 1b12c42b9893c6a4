#pragma once
// The texts the framework registers at start-up: standard dialog texts, find and replace
// prompts, file type names, the metadata of the three language files, the framework messages,
// and the framework's template variables.

#include "framework/data_paths.h"
#include "util/datetime.h"

namespace pw {

class ThvlgLanguageController;

inline constexpr const char* kFileGeneral = "UTF8_general.ini";
inline constexpr const char* kFileShared = "UTF8_shared.ini";
inline constexpr const char* kFileProgram = "UTF8_program.ini";

// Registers, in their order, the texts of "UTF8_general.ini", the metadata of the three files
// (dated now) and the framework messages of "UTF8_shared.ini".
void RegisterFrameworkTexts(ThvlgLanguageController& lang, TDateTime now = NowLocal());
// "ProgramNameShort", "CompanyUrlFull" (the web site's base address), ..., "LogFilePath" and
// "AppDataPath".
void RegisterFrameworkTemplateVariables(ThvlgLanguageController& lang, const DataPaths& paths,
                                        const std::string& websiteBaseUrl);

} // namespace pw
