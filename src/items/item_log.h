#pragma once
// Where the item store sends its log records (the program log). Saving and icon extraction show
// no messages; their failures arrive here with an identifier such as "Maintain_SaveNodesFrom".

#include <functional>
#include <string>

namespace pw::items {

// sender, message, identifier
using ItemLogger = std::function<void(const std::string& sender, const std::string& message,
                                      const std::string& id)>;

inline constexpr const char* kLogSender = "TFormFront";
inline constexpr const char* kLogSaveNodes = "Maintain_SaveNodesFrom";
inline constexpr const char* kLogExtractFromExec = "Maintain_ExtractFromExec";
inline constexpr const char* kLogExtractFromUnknown = "Maintain_ExtractFromUnknown";
// Dropped things and pathwick-ctl add arguments that could not become links.
inline constexpr const char* kLogDropFiles = "Maintain_DropFiles";
inline constexpr const char* kLogAddRequest = "Maintain_AddRequest";

} // namespace pw::items
