#include "about/web_view_texts.h"

#include "lang/framework_texts.h"
#include "lang/language_controller.h"

namespace pw {

namespace {
struct Entry {
    const char* Name;
    QString ThvdvTexts::*Field;
};

constexpr Entry kEntries[] = {
    {"PageNotLoaded", &ThvdvTexts::NotLoaded},
    {"PageTimedOut", &ThvdvTexts::TimedOut},
    {"PageTryAgain", &ThvdvTexts::TryAgain},
    {"PageCutOff", &ThvdvTexts::CutOff},
    {"PageCannotShow", &ThvdvTexts::CannotShow},
    {"PageUnsupported", &ThvdvTexts::Unsupported},
    {"PageTooManyRedirects", &ThvdvTexts::TooManyRedirects},
    {"StatusOpening", &ThvdvTexts::Opening},
    {"StatusDone", &ThvdvTexts::Done},
};
} // namespace

void RegisterWebViewTexts(ThvlgLanguageController& lang) {
    const ThvdvTexts english;
    for (const Entry& e : kEntries)
        lang.RegisterResString(kFileShared, kWebViewTextSection, e.Name,
                               (english.*e.Field).toStdString());
}

ThvdvTexts WebViewTexts(ThvlgLanguageController& lang) {
    ThvdvTexts texts;
    for (const Entry& e : kEntries) {
        const std::string english = (texts.*e.Field).toStdString();
        texts.*e.Field = QString::fromStdString(
            lang.GetResString(kFileShared, kWebViewTextSection, e.Name, english));
    }
    return texts;
}

} // namespace pw
