#include "about/web_content.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

namespace pw {

bool ReadLocalFile(const QString& path, qint64 limit, QByteArray& bytes, QString& error) {
    const QFileInfo info(path);
    if (!info.exists()) {
        error = QStringLiteral("The file does not exist: %1").arg(path);
        return false;
    }
    // Devices, pipes and folders are not pages: reading one could block or never end.
    if (!info.isFile()) {
        error = QStringLiteral("This is not a file: %1").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    bytes = file.read(limit + 1);
    return true;
}

QString CharsetOf(const QString& contentType) {
    for (const QString& part : contentType.split(u';')) {
        const QString p = part.trimmed();
        if (p.startsWith(QLatin1String("charset="), Qt::CaseInsensitive)) {
            QString value = p.mid(8).trimmed();
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
                value = value.mid(1, value.size() - 2);
            return value;
        }
    }
    return {};
}

QString DecodePage(const QByteArray& bytes, const QString& contentType, bool html) {
    const QString charset = CharsetOf(contentType);
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    if (html) {
        QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return QString::fromUtf8(bytes);
}

namespace {
bool IsBlockTag(const QString& name) {
    static const QStringList kBlockTags = {
        "p",  "br", "div", "li",     "tr",         "td",    "th",      "h1",   "h2",
        "h3", "h4", "h5",  "h6",     "pre",        "table", "ul",      "ol",   "dl",
        "dt", "dd", "hr",  "center", "blockquote", "body",  "section", "html", "article"};
    return kBlockTags.contains(name);
}

} // namespace

QString BreakLongParagraphs(const QString& text, bool html) {
    constexpr int kMaxParagraph = 2000;
    constexpr int kForce = kMaxParagraph + kMaxParagraph / 4;
    QString out;
    out.reserve(text.size() + text.size() / kMaxParagraph * 4 + 16);
    int run = 0;
    bool inTag = false;
    bool inEntity = false;
    QString rawEnd; // "</script" or "</style" while inside such an element
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (html) {
            if (!rawEnd.isEmpty()) {
                if (c == u'<' &&
                    text.mid(i, rawEnd.size()).compare(rawEnd, Qt::CaseInsensitive) == 0) {
                    rawEnd.clear();
                    inTag = true;
                }
                out += c;
                continue;
            }
            if (inTag) {
                inTag = c != u'>';
                out += c;
                continue;
            }
            if (c == u'<') {
                qsizetype n = i + 1;
                if (n < text.size() && text.at(n) == u'/')
                    ++n;
                qsizetype end = n;
                while (end < text.size() && end - n < 12 && text.at(end).isLetterOrNumber())
                    ++end;
                const QString name = text.mid(n, end - n).toLower();
                if (n == i + 1 &&
                    (name == QLatin1String("script") || name == QLatin1String("style")))
                    rawEnd = QStringLiteral("</") + name;
                if (IsBlockTag(name))
                    run = 0;
                inTag = true;
                out += c;
                continue;
            }
            if (c == u'&')
                inEntity = true;
            else if (inEntity && !c.isLetterOrNumber() && c != u'#')
                inEntity = false;
        } else if (c == u'\n') {
            run = 0;
            out += c;
            continue;
        }
        ++run;
        if ((run > kMaxParagraph && c.isSpace()) ||
            (run > kForce && !inEntity && !c.isLowSurrogate())) {
            out += html ? QStringLiteral("<p>") : QStringLiteral("\n");
            run = 0;
            if (c.isSpace())
                continue;
            run = 1;
        }
        out += c;
    }
    return out;
}

} // namespace pw
