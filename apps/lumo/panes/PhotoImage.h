#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace vel::lumo {

// The bytes of a photo to trace decoded for showing, or a null image when
// Qt cannot decode them as a PNG or JPEG file.
QImage DecodePhoto(const std::vector<std::uint8_t>& bytes);

// The bytes of the photo file the user chose, once they decode as a PNG or
// JPEG image. Throws core::UserFailure for a file over the photo's limit or
// one that is no such image, and core::FileError when it cannot be read.
std::vector<std::uint8_t> ReadPhotoFile(const std::string& path);

} // namespace vel::lumo
