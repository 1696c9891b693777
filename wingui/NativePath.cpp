#include "wingui/NativePath.h"

#include <QFile>
#include <filesystem>
#include <system_error>

namespace vel::wingui {

namespace {

namespace fs = std::filesystem;

// The entry of the folder that shows as name, or name encoded as UTF-8 when
// there is none.
fs::path EntryShownAs(const fs::path& folder, const QString& name) {
    fs::path encoded = QFile::encodeName(name).toStdString();
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder / encoded, error))) {
        return encoded;
    }
    for (auto entry = fs::directory_iterator(folder.empty() ? fs::path(".") : folder, error);
         !error && entry != fs::directory_iterator(); entry.increment(error)) {
        fs::path found = entry->path().filename();
        if (DisplayPath(found.native()) == name) {
            return found;
        }
    }
    return encoded;
}

} // namespace

bool IsUtf8(const std::string& bytes) {
    const QByteArray array = QByteArray::fromStdString(bytes);
    return QString::fromUtf8(array).toUtf8() == array;
}

QString DisplayPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString DisplayName(const std::string& path) {
    return DisplayPath(fs::path(path).filename().native());
}

std::string LocalFilePath(const QUrl& url) {
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

std::string NativePath(const QString& text, const std::string& known) {
    if (!known.empty() && DisplayPath(known) == text) {
        return known;
    }
    fs::path path = text.startsWith(QLatin1Char('/')) ? fs::path("/") : fs::path();
    for (const QString& part : text.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path /= EntryShownAs(path, part);
    }
    return path.string();
}

} // namespace vel::wingui
