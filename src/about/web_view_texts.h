#pragma once
// The web view's own texts in "UTF8_shared.ini", section "__MixedText__WebView": registered and
// read by the windows that hold a web view.

#include "about/web_view.h"

namespace pw {

class ThvlgLanguageController;

inline constexpr const char* kWebViewTextSection = "__MixedText__WebView";

void RegisterWebViewTexts(ThvlgLanguageController& lang);
// The texts of the current culture.
ThvdvTexts WebViewTexts(ThvlgLanguageController& lang);

} // namespace pw
