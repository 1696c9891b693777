#include "apps/lumo/panes/PhotoImage.h"

#include "apps/lumo/model/TracingPhoto.h"
#include "core/File.h"
#include "core/UserFailure.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace vel::lumo {

QImage DecodePhoto(const std::vector<std::uint8_t>& bytes) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    // The photo's own orientation, as a camera wrote it, is how it was taken.
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg") {
        return {};
    }
    return reader.read();
}

std::vector<std::uint8_t> ReadPhotoFile(const std::string& path) {
    core::File file;
    if (!file.Open(path, core::File::ReadAccess, core::File::OpenExisting)) {
        throw file.Failure();
    }
    const std::optional<uint64_t> size = file.Size();
    if (!size) {
        throw file.Failure();
    }
    if (*size > TracingPhoto::MaxBytes) {
        throw core::UserFailure("the photo is larger than 20 MB");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*size));
    if (file.Read(bytes.data(), bytes.size()) != bytes.size()) {
        throw file.Failure();
    }
    if (!TracingPhoto::IsPngOrJpeg(bytes) || DecodePhoto(bytes).isNull()) {
        throw core::UserFailure("the file is not a PNG or JPEG image");
    }
    return bytes;
}

} // namespace vel::lumo
