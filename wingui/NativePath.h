#pragma once

#include <QString>
#include <QUrl>
#include <string>

namespace vel::wingui {

// Paths inside the program are the file system's bytes. Qt's text cannot
// hold bytes that are not UTF-8 (a name made on a Latin-1 system): they show
// as U+FFFD, and turning the text back into bytes would name another file.
// These convert at the edge between the two.

bool IsUtf8(const std::string& bytes);

// The path as the user sees it, in the file system's encoding; only bytes
// that encoding cannot show become U+FFFD. Every path the user reads goes
// through here.
QString DisplayPath(const std::string& path);
// The file's name without its folder, as the user sees it.
QString DisplayName(const std::string& path);

// The bytes of the local file a URL names (a file dragged from another
// program): the URL carries them percent-encoded, also where they are not
// UTF-8, which the URL's text would turn into U+FFFD.
std::string LocalFilePath(const QUrl& url);

// The bytes of a path the user chose as text: known where the text shows it
// unchanged; otherwise each part that names an existing entry takes that
// entry's own bytes, and a new part is encoded as UTF-8.
std::string NativePath(const QString& text, const std::string& known = {});

} // namespace vel::wingui
