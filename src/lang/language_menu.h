#pragma once
// The language menu: one radio entry per culture folder of the languages folder, the current
// culture first with its check mark and a separator after it.

#include <string>

#include "items/image_list.h"
#include "items/menu_model.h"

namespace pw {

// Fills menu with the cultures of languagesFolder; flag pictures ("<culture>.bmp" in the
// languages folder, else in the culture's folder, fuchsia transparent) go to images when given.
// Cultures that only userLanguagesFolder holds (the translations saved under the user data
// folder) follow those of languagesFolder.
// A menu without cultures gets one empty entry and is disabled. The separator after the current
// culture is tagged as a normal separator (-200).
void BuildLanguageMenu(items::MenuItem& menu, const std::string& languagesFolder,
                       const std::string& currentCulture, items::ImageList* images,
                       const std::string& userLanguagesFolder = "");

// The culture an entry of the language menu stands for: its caption without accelerator marks,
// cut before the first blank.
std::string CultureOfLanguageEntry(const std::string& caption);

} // namespace pw
