// The help pages in the program folder, read as the Help viewer reads them (a QTextBrowser on the
// local file): every page loads with its title and characters, every link between pages reaches a
// shipped page and anchor, every page is reached from the contents and leads back to them, and
// nothing is fetched from outside the help folder.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <gtest/gtest.h>
#include <map>

namespace {

QString HelpFolder() {
    return QDir::cleanPath(QStringLiteral(PATHWICK_BIN_DIR "/help"));
}

QString SourceHelpFolder() {
    return QDir::cleanPath(QStringLiteral(PATHWICK_SOURCE_DIR "/data/help"));
}

std::string S(const QString& text) {
    return text.toStdString();
}

QByteArray ReadBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Link {
    QString href;
    QString file;     // the local file it resolves to; empty for an address with a scheme
    QString fragment; // the anchor inside that file, if any
};

struct Page {
    QString file;
    QString title;
    QString text; // what the reader sees, title included
    QList<Link> links;
    QSet<QString> anchors;
    QStringList images; // the files pictures are loaded from
};

// Loads the page into a QTextBrowser, as the Help viewer does, and collects what it shows.
Page LoadPage(const QString& file) {
    Page page;
    page.file = file;
    QTextBrowser browser;
    browser.setSource(QUrl::fromLocalFile(file));
    const QTextDocument* doc = browser.document();
    page.title = doc->metaInformation(QTextDocument::DocumentTitle);
    page.text = page.title + QLatin1Char('\n') + doc->toPlainText();
    const QUrl base = QUrl::fromLocalFile(file);
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames())
                page.anchors.insert(name);
            if (format.isImageFormat())
                page.images.append(
                    base.resolved(QUrl(format.toImageFormat().name())).toLocalFile());
            if (!format.isAnchor() || format.anchorHref().isEmpty())
                continue;
            Link link;
            link.href = format.anchorHref();
            const QUrl url(link.href);
            if (url.scheme().isEmpty()) {
                const QUrl target = base.resolved(url);
                link.file = QDir::cleanPath(target.toLocalFile());
                link.fragment = target.fragment();
            }
            page.links.append(link);
        }
    }
    return page;
}

std::map<QString, Page> LoadAllPages() {
    std::map<QString, Page> pages;
    const QDir folder(HelpFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.html")}, QDir::Files))
        pages.emplace(folder.filePath(name), LoadPage(folder.filePath(name)));
    return pages;
}

QString IndexPage() {
    return QDir(HelpFolder()).filePath(QStringLiteral("index.html"));
}

TEST(HelpPages, EveryPageLoadsWithItsTitleAndDeclaresUtf8) {
    const auto pages = LoadAllPages();
    ASSERT_TRUE(pages.count(IndexPage())) << "no help/index.html in " << S(HelpFolder());
    ASSERT_GE(pages.size(), 2u) << "the contents page links to the pages of the help set";
    // A browser looks for the character set in the first 1024 bytes; without it a file: page
    // may be read in a legacy code page and show "Ã" and the like for anything beyond ASCII.
    const QRegularExpression charset(QStringLiteral("<meta\\s+charset=\"?utf-8\"?\\s*/?>"),
                                     QRegularExpression::CaseInsensitiveOption);
    for (const auto& [file, page] : pages) {
        const QByteArray bytes = ReadBytes(file);
        QStringDecoder utf8(QStringDecoder::Utf8);
        [[maybe_unused]] const QString decoded = utf8(bytes); // decoding sets hasError()
        EXPECT_FALSE(utf8.hasError()) << S(file) << " is not UTF-8";
        EXPECT_TRUE(charset.match(QString::fromUtf8(bytes.left(1024))).hasMatch())
            << S(file) << " does not declare <meta charset=\"utf-8\"> in its first 1024 bytes";
        EXPECT_FALSE(page.title.trimmed().isEmpty()) << S(file) << " has no <title>";
        EXPECT_GT(page.text.size(), page.title.size() + 40) << S(file) << " shows no text";
    }
}

TEST(HelpPages, EveryLinkReachesAShippedPageAndAnchor) {
    const auto pages = LoadAllPages();
    const QString folder = HelpFolder() + QLatin1Char('/');
    int links = 0;
    for (const auto& [file, page] : pages) {
        for (const Link& link : page.links) {
            ++links;
            ASSERT_FALSE(link.file.isEmpty())
                << S(file) << ": \"" << S(link.href)
                << "\" leaves the help folder; the pages work offline and link only each other";
            EXPECT_TRUE(link.file.startsWith(folder))
                << S(file) << ": \"" << S(link.href) << "\" leaves the help folder";
            const auto target = pages.find(link.file);
            if (target == pages.end()) {
                EXPECT_TRUE(QFileInfo(link.file).isFile())
                    << S(file) << ": \"" << S(link.href) << "\" names no shipped file";
                continue;
            }
            if (!link.fragment.isEmpty()) {
                EXPECT_TRUE(target->second.anchors.contains(link.fragment))
                    << S(file) << ": \"" << S(link.href) << "\" names no anchor of "
                    << S(link.file);
            }
        }
        for (const QString& image : page.images) {
            EXPECT_TRUE(image.startsWith(folder) && QFileInfo(image).isFile())
                << S(file) << ": picture " << S(image) << " is not shipped in the help folder";
        }
    }
    EXPECT_GT(links, 0);
}

TEST(HelpPages, EveryPageIsReachedFromTheContentsAndLeadsBackToThem) {
    const auto pages = LoadAllPages();
    ASSERT_TRUE(pages.count(IndexPage()));
    QSet<QString> reached{IndexPage()};
    QStringList queue{IndexPage()};
    while (!queue.isEmpty()) {
        const auto page = pages.find(queue.takeFirst());
        if (page == pages.end())
            continue;
        for (const Link& link : page->second.links) {
            if (!link.file.isEmpty() && !reached.contains(link.file)) {
                reached.insert(link.file);
                queue.append(link.file);
            }
        }
    }
    for (const auto& [file, page] : pages) {
        EXPECT_TRUE(reached.contains(file)) << S(file) << " is not linked from index.html";
        bool backToIndex = false;
        for (const Link& link : page.links)
            backToIndex = backToIndex || link.file == IndexPage();
        EXPECT_TRUE(backToIndex) << S(file) << " has no link to index.html";
    }
}

TEST(HelpPages, TheProgramFolderShipsThePagesAsWrittenAndTheyNeedNothingElse) {
    const QDir source(SourceHelpFolder());
    const QDir shipped(HelpFolder());
    const QStringList sourceFiles = source.entryList(QDir::Files);
    ASSERT_FALSE(sourceFiles.isEmpty()) << "no pages in " << S(SourceHelpFolder());
    for (const QString& name : sourceFiles)
        EXPECT_EQ(ReadBytes(source.filePath(name)), ReadBytes(shipped.filePath(name)))
            << S(name) << " differs in the program folder: build again";
    for (const QString& name : shipped.entryList(QDir::Files))
        EXPECT_TRUE(sourceFiles.contains(name))
            << S(name) << " is left over in " << S(HelpFolder()) << " and no longer shipped";

    // Plain pages: no scripts, no style sheets or fonts fetched from elsewhere.
    for (const QString& name : sourceFiles) {
        const QString text = QString::fromUtf8(ReadBytes(source.filePath(name))).toLower();
        for (const char* banned : {"<script", "<link", "@import", "url(", "<iframe", "<object"})
            EXPECT_FALSE(text.contains(QLatin1String(banned))) << S(name) << " uses " << banned;
    }
}

} // namespace
