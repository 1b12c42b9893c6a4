#include "about/form_about.h"

#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "about/translation_page.h"
#include "framework/options_file.h"
#include "framework/ui/data_module.h"
#include "framework/ui/hint_status_bar.h"
#include "lang/framework_texts.h"
#include "lang/language_controller.h"
#include "lang/ui/language_assistants.h"
#include "lang/ui/message_dialog.h"
#include "platform/shell_execute.h"
#include "util/text_files.h"

namespace pw {

namespace {
constexpr int kKeyColumnMinWidth = 150;

struct MessageEntry {
    const char* Name;
    const char* Default;
    const char* Template;
};

// The window's messages, in registration order.
const MessageEntry kMessages[] = {
    {"DistributedBy", "Distributed by {CompanyNameLong}", "__curly"},
    {"Copyright", "Copyright {CopyrightTime} {CopyrightHolders}", "__curly"},
    {"FileTypeCSV", "CSV file", nullptr},
    {"CollectDataFailed", "These files could not be written into the folder:", nullptr},
    {"CollectDataDone", "Data for support written to:", nullptr},
};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
} // namespace

ThvFormAbout::ThvFormAbout() {
    setObjectName("hvFormAbout");
}

void ThvFormAbout::CreateLayout() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle("About");
    setMinimumSize(380, 285);
    resize(600, 440);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* top = new QWidget(this);
    top->setObjectName("pnlTop");
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(8, 8, 8, 8);
    imgLogo_ = new QLabel(top);
    imgLogo_->setObjectName("imgLogo");
    imgLogo_->setFixedSize(32, 32);
    imgLogo_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    topLayout->addWidget(imgLogo_, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout();
    LabelSum_ = new QLabel(top);
    LabelSum_->setObjectName("LabelSum");
    QFont bold = LabelSum_->font();
    bold.setBold(true);
    LabelSum_->setFont(bold);
    LabelCop_ = new QLabel(top);
    LabelCop_->setObjectName("LabelCop");
    LabelDis_ = new QLabel(top);
    LabelDis_->setObjectName("LabelDis");
    LabelUrl_ = new QLabel(top);
    LabelUrl_->setObjectName("LabelUrl");
    QFont underlined = LabelUrl_->font();
    underlined.setUnderline(true);
    LabelUrl_->setFont(underlined);
    QPalette blue = LabelUrl_->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    LabelUrl_->setPalette(blue);
    for (QLabel* label : {LabelSum_, LabelCop_, LabelDis_, LabelUrl_})
        texts->addWidget(label);
    texts->addStretch(1);
    topLayout->addLayout(texts, 1);
    ImageCompanyLogo_ = new QLabel(top);
    ImageCompanyLogo_->setObjectName("ImageCompanyLogo");
    ImageCompanyLogo_->setFixedSize(80, 80);
    ImageCompanyLogo_->setScaledContents(true);
    topLayout->addWidget(ImageCompanyLogo_, 0, Qt::AlignTop);
    for (QLabel* clickable : {imgLogo_, LabelUrl_, ImageCompanyLogo_}) {
        clickable->setCursor(Qt::PointingHandCursor);
        clickable->installEventFilter(this);
    }
    layout->addWidget(top);

    pgcAbout_ = new QTabWidget(this);
    pgcAbout_->setObjectName("pgcAbout");
    pgcAbout_->setUsesScrollButtons(true);
    AddPage(CreateCreditsPage(), "Credits");
    AddPage(CreateDataPage(), "Data");
    translationPage_ = new ThvTranslationPage(Module());
    AddPage(translationPage_, "Translation");
    auto* pagesFrame = new QWidget(this);
    auto* pagesLayout = new QVBoxLayout(pagesFrame);
    pagesLayout->setContentsMargins(6, 0, 6, 6);
    pagesLayout->addWidget(pgcAbout_);
    layout->addWidget(pagesFrame, 1);

    stbInfo_ = new ThvHintStatusBar(this);
    stbInfo_->setObjectName("stbInfo");
    stbInfo_->WatchHints(true);
    layout->addWidget(stbInfo_);
}

int ThvFormAbout::AddPage(QWidget* page, const QString& caption, int index) {
    return pgcAbout_->insertTab(index, page, caption);
}

QWidget* ThvFormAbout::CreateCreditsPage() {
    auto* page = new QWidget();
    page->setObjectName("tsCredits");
    auto* layout = new QVBoxLayout(page);
    reCredits_ = new QTextEdit(page);
    reCredits_->setObjectName("reCredits");
    reCredits_->setReadOnly(true);
    layout->addWidget(reCredits_);
    return page;
}

QWidget* ThvFormAbout::CreateDataPage() {
    auto* page = new QWidget();
    page->setObjectName("tsData");
    auto* layout = new QVBoxLayout(page);
    sgData_ = new QTableWidget(0, 2, page);
    sgData_->setObjectName("sgData");
    sgData_->setHorizontalHeaderLabels({kAboutDataKeyHeader, kAboutDataValueHeader});
    sgData_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    sgData_->horizontalHeader()->setMinimumSectionSize(40);
    sgData_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    sgData_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    sgData_->verticalHeader()->hide();
    sgData_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgData_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(sgData_, 1);
    auto* buttons = new QHBoxLayout();
    btnCollectData_ = new QPushButton("&Collect data for support...", page);
    btnCollectData_->setObjectName("btnCollectData");
    btnCollectData_->setToolTip("In case support needs it. This can collect all relevant files "
                                "into selected directory.");
    btnSaveData_ = new QPushButton("&Save...", page);
    btnSaveData_->setObjectName("btnSaveData");
    btnPrintData_ = new QPushButton("&Print...", page);
    btnPrintData_->setObjectName("btnPrintData");
    buttons->addWidget(btnCollectData_);
    buttons->addStretch(1);
    buttons->addWidget(btnSaveData_);
    buttons->addWidget(btnPrintData_);
    layout->addLayout(buttons);
    connect(btnCollectData_, &QPushButton::clicked, this, &ThvFormAbout::btnCollectDataClick);
    connect(btnSaveData_, &QPushButton::clicked, this, &ThvFormAbout::btnSaveDataClick);
    connect(btnPrintData_, &QPushButton::clicked, this, &ThvFormAbout::btnPrintDataClick);
    return page;
}

void ThvFormAbout::FormCreate() {
    const QIcon icon = ProgramIcon();
    setWindowIcon(icon);
    imgLogo_->setPixmap(icon.pixmap(32, 32));
    ImageCompanyLogo_->setPixmap(icon.pixmap(80, 80));
    FillCredits();
    pgcAbout_->setCurrentIndex(0);
    LabelSum_->setText(GetProgramTitle());
    LabelDis_->setText(MessageText("DistributedBy", "Distributed by {CompanyNameLong}"));
    LabelCop_->setText(MessageText("Copyright", "Copyright {CopyrightTime} {CopyrightHolders}"));
    LabelUrl_->setText(Q(ThvDataModuleGenericStruct::GetWebsiteBaseUrl()));
    FillDataTable();
    translationPage_->SetUp(Module()->Options().LanguageCulture);
}

void ThvFormAbout::FillCredits() {
    reCredits_->setPlainText(
        Q(AboutCreditsText(ThvDataModuleGenericStruct::GetWebsiteBaseUrl())).trimmed());
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    heading.setForeground(QColor(0, 0, 255));
    for (QTextBlock block = reCredits_->document()->begin(); block.isValid();
         block = block.next()) {
        if (!block.text().endsWith(u':'))
            continue;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(heading);
    }
}

void ThvFormAbout::FillDataTable() {
    const DataPaths& paths = Module()->Paths();
    rows_ = AboutDataRows(CollectAboutFacts(Module()->SystemInfo(), paths.ProgramFolder,
                                            paths.UserDataFolder, paths.CoreDataFolder));
    sgData_->setRowCount(int(rows_.size()));
    for (int row = 0; row < int(rows_.size()); ++row) {
        const AboutDataRow& fact = rows_[size_t(row)];
        auto* key = new QTableWidgetItem(Q(fact.Key));
        auto* value = new QTableWidgetItem(Q(fact.Value));
        for (QTableWidgetItem* item : {key, value}) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
        sgData_->setItem(row, 0, key);
        sgData_->setItem(row, 1, value);
        if (!fact.IsFolder)
            continue;
        // A small button at the cell's right end opens the folder; the text shows through.
        auto* cell = new QWidget(sgData_);
        auto* cellLayout = new QHBoxLayout(cell);
        cellLayout->setContentsMargins(0, 0, 1, 0);
        cellLayout->addStretch(1);
        auto* open = new QToolButton(cell);
        open->setObjectName(QStringLiteral("btnOpenFolder%1").arg(row));
        open->setText(QStringLiteral("..."));
        open->setToolTip(Q(fact.Value));
        const std::string folder = fact.Value;
        connect(open, &QToolButton::clicked, this,
                [folder] { ShellExecute("open", folder, "", "", SW_SHOWNORMAL); });
        cellLayout->addWidget(open);
        sgData_->setCellWidget(row, 1, cell);
    }
    sgData_->resizeColumnToContents(0);
    sgData_->setColumnWidth(0, std::max(kKeyColumnMinWidth, sgData_->columnWidth(0)));
}

// --- translation ------------------------------------------------------------------------------

QString ThvFormAbout::MessageText(const char* key, const char* english) const {
    return Q(Module()->Language().GetResString(kFileShared, kMessageSuffix, key, english));
}

void ThvFormAbout::RegisterMessageTexts() {
    ThvlgLanguageController& lang = Module()->Language();
    for (const MessageEntry& m : kMessages)
        lang.RegisterResString(kFileShared, kMessageSuffix, m.Name, m.Default,
                               m.Template ? m.Template : "");
    ThvTranslationPage::RegisterMessageTexts(lang);
}

void ThvFormAbout::TranslateControls(TranslateStep step) {
    ThvlgLanguageCompositeAllEx& c = Module()->LanguageComposite();
    c.AssistantControls.Form(step, kFileShared, kFormSuffix, this);
    c.AssistantControls.PageControl(step, kFileShared, kFormSuffix, pgcAbout_);
    for (QPushButton* button : {btnCollectData_, btnSaveData_, btnPrintData_})
        c.AssistantControls.Control(step, kFileShared, kFormSuffix, button);
    c.AssistantControlsHV.StatusBar(step, kFileShared, kFormSuffix, stbInfo_);
    translationPage_->Translate(step);
}

void ThvFormAbout::RegisterControlTexts() {
    TranslateControls(TranslateStep::Register);
}

void ThvFormAbout::ApplyTranslation() {
    TranslateControls(TranslateStep::Apply);
    if (LabelDis_ && Module()) {
        LabelDis_->setText(MessageText("DistributedBy", "Distributed by {CompanyNameLong}"));
        LabelCop_->setText(
            MessageText("Copyright", "Copyright {CopyrightTime} {CopyrightHolders}"));
    }
}

// --- state ------------------------------------------------------------------------------------

void ThvFormAbout::SaveMiscState(const std::string& iniPath) {
    const PathMacros& macros = Module()->Paths().Macros;
    IniDocument ini = LoadOptionsDocument(iniPath, macros);
    ini.WriteInteger(objectName().toStdString(), kActivePageKey, pgcAbout_->currentIndex());
    SaveOptionsDocument(ini, iniPath, macros);
}

void ThvFormAbout::LoadMiscState(const std::string& iniPath) {
    const IniDocument ini = LoadOptionsDocument(iniPath, Module()->Paths().Macros);
    const int index = ini.ReadInteger(objectName().toStdString(), kActivePageKey, 0);
    if (index >= 0 && index < pgcAbout_->count() && pgcAbout_->isTabVisible(index))
        pgcAbout_->setCurrentIndex(index);
    else
        pgcAbout_->setCurrentIndex(0);
}

// --- the Data page ----------------------------------------------------------------------------

bool ThvFormAbout::SaveDataTo(const QString& path) const {
    const bool csv = path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    const std::string text = csv ? AboutDataCsv(rows_) : AboutDataHtml(rows_);
    return WriteFileBytes(path.toStdString(), text);
}

void ThvFormAbout::btnSaveDataClick() {
    const QString html = Q(Module()->Language().GetResString(kFileGeneral, "__MixedText__FileTypes",
                                                             "FileTypeHTML", "HTML file")) +
                         QStringLiteral(" (*.html)");
    const QString csv = MessageText("FileTypeCSV", "CSV file") + QStringLiteral(" (*.csv)");
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(Q(Module()->Paths().TempFolder));
    dialog.setNameFilters({html, csv});
    dialog.setDefaultSuffix(QStringLiteral("html"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, csv](const QString& f) {
        dialog.setDefaultSuffix(f == csv ? QStringLiteral("csv") : QStringLiteral("html"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    // A failure goes to the application's error handler (logged, shown with the support offer).
    if (!SaveDataTo(path))
        Module()->OwnExceptionHandler(
            this, std::runtime_error("Could not write \"" + path.toStdString() + "\""));
}

void ThvFormAbout::PrintDataTo(QPrinter& printer) const {
    QTextDocument document;
    document.setHtml(Q(AboutDataHtml(rows_)));
    document.print(&printer);
}

void ThvFormAbout::btnPrintDataClick() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintDataTo(printer);
}

SupportBundleResult ThvFormAbout::CollectDataTo(const QString& folder) {
    const SupportBundleResult result = CollectSupportData(
        folder.toStdString(), AboutDataHtml(rows_), SupportBundleFiles(Module()->Paths()));
    if (!result.Failed.empty()) {
        QString text =
            MessageText("CollectDataFailed", "These files could not be written into the folder:") +
            QStringLiteral("\n") + folder + QStringLiteral("\n");
        for (const std::string& name : result.Failed)
            text += QStringLiteral("\n") + Q(name);
        ShowMessageDialog(text, MsgDlgType::Warning, QMessageBox::Ok);
    } else {
        stbInfo_->SetHintText(MessageText("CollectDataDone", "Data for support written to:") +
                              QStringLiteral(" ") + folder);
    }
    return result;
}

void ThvFormAbout::btnCollectDataClick() {
    const QString title = Q(Module()->Language().GetResString(
        kFileShared, "__MixedText__Module", "SelectOutputDir", "Select output directory"));
    const QString folder = QFileDialog::getExistingDirectory(
        this, title, Q(Module()->Paths().UserDataFolder), QFileDialog::ShowDirsOnly);
    if (!folder.isEmpty())
        CollectDataTo(folder);
}

void ThvFormAbout::OpenWebsite() {
    ShellExecute("open", ThvDataModuleGenericStruct::GetWebsiteUrl(), "", "", SW_SHOWNORMAL);
}

bool ThvFormAbout::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonRelease &&
        (watched == imgLogo_ || watched == LabelUrl_ || watched == ImageCompanyLogo_)) {
        OpenWebsite();
        return true;
    }
    return ThvFormGenericStructEx::eventFilter(watched, e);
}

} // namespace pw
