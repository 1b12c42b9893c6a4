#pragma once
// What the web view makes of the bytes of a page: local files read within a limit, text decoded
// by its declared or detected character set, and paragraphs kept short enough to lay out.

#include <QByteArray>
#include <QString>

namespace pw {

// Up to limit + 1 bytes of a regular local file: one byte more tells that it is larger.
// Devices, pipes and folders are refused (reading one could block or never end); false with
// the reason in error.
bool ReadLocalFile(const QString& path, qint64 limit, QByteArray& bytes, QString& error);
// The "charset" parameter of a content type; "" when there is none.
QString CharsetOf(const QString& contentType);
// The text of the bytes: by the declared character set, for HTML else by its own declaration
// or byte order mark, else as UTF-8.
QString DecodePage(const QByteArray& bytes, const QString& contentType, bool html);
// Laying out a paragraph takes time that grows faster than its length: one paragraph of two
// million characters keeps the program busy for minutes. Paragraphs longer than 2000
// characters are broken, at the next blank, at the latest 500 characters later. Plain text gets
// line breaks; HTML gets "<p>" (a new block, unlike "<br>") in the text between tags, never
// inside tags, entities, scripts or style sheets; each block-level tag starts a new count.
QString BreakLongParagraphs(const QString& text, bool html);

} // namespace pw
