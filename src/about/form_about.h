#pragma once
// ThvFormAbout: the About window. The program's name and version, the maker's credits, and a
// table of facts about the installation that can be saved (HTML or CSV), printed, or bundled
// with the program's configuration files for the maker's support.
//
// Its pages live in one page control; a page is added with AddPage, and the saved page index
// chooses among the pages that exist when the window opens.

#include <vector>

#include "framework/about_data.h"
#include "framework/support_bundle.h"
#include "framework/ui/form_base.h"

class QLabel;
class QPrinter;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTextEdit;

namespace pw {

class ThvHintStatusBar;
class ThvTranslationPage;
enum class TranslateStep;

class ThvFormAbout : public ThvFormGenericStructEx {
    Q_OBJECT
public:
    static constexpr const char* kFormSuffix = "__About";
    static constexpr const char* kMessageSuffix = "__MixedText__About";
    static constexpr const char* kActivePageKey = "pgcAbout.ActivePageIndex";

    ThvFormAbout();

    void RegisterMessageTexts() override;
    void RegisterControlTexts() override;
    void ApplyTranslation() override;
    void SaveMiscState(const std::string& iniPath) override;
    void LoadMiscState(const std::string& iniPath) override;

    // Adds a page at the end of the page control (index -1) or at index; its object name is
    // its key in the language files.
    int AddPage(QWidget* page, const QString& caption, int index = -1);

    QTabWidget* Pages() const { return pgcAbout_; }
    QTableWidget* DataTable() const { return sgData_; }
    QTextEdit* Credits() const { return reCredits_; }
    const std::vector<AboutDataRow>& DataRows() const { return rows_; }
    ThvHintStatusBar* StatusBar() const { return stbInfo_; }
    ThvTranslationPage* TranslationPage() const { return translationPage_; }

    // The Data page's commands. The dialogs are thin: each hands its answer to the routine below.
    void btnSaveDataClick();
    void btnPrintDataClick();
    void btnCollectDataClick();
    // Writes the table as CSV when the name ends with ".csv", else as HTML; false on failure.
    bool SaveDataTo(const QString& path) const;
    // The table as one printed document.
    void PrintDataTo(QPrinter& printer) const;
    // data.html and the program's files into the folder; a failure is shown to the user.
    SupportBundleResult CollectDataTo(const QString& folder);
    // Opens the maker's web site (the icon, the logo and the address label).
    void OpenWebsite();

protected:
    void CreateLayout() override;
    void FormCreate() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* CreateCreditsPage();
    QWidget* CreateDataPage();
    void FillCredits();
    void FillDataTable();
    void TranslateControls(TranslateStep step);
    QString MessageText(const char* key, const char* english) const;

    QLabel* imgLogo_ = nullptr;
    QLabel* LabelSum_ = nullptr;
    QLabel* LabelCop_ = nullptr;
    QLabel* LabelDis_ = nullptr;
    QLabel* LabelUrl_ = nullptr;
    QLabel* ImageCompanyLogo_ = nullptr;
    QTabWidget* pgcAbout_ = nullptr;
    QTextEdit* reCredits_ = nullptr;
    QTableWidget* sgData_ = nullptr;
    QPushButton* btnCollectData_ = nullptr;
    QPushButton* btnSaveData_ = nullptr;
    QPushButton* btnPrintData_ = nullptr;
    ThvHintStatusBar* stbInfo_ = nullptr;
    ThvTranslationPage* translationPage_ = nullptr;
    std::vector<AboutDataRow> rows_;
};

} // namespace pw
