#include "wingui/SettingsKey.h"

#include "core/File.h"
#include "core/FileErrorText.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <limits>
#include <utility>

namespace vel::wingui {

namespace {

constexpr unsigned long long kDwordMax = std::numeric_limits<std::uint32_t>::max();

// Settings files keep numbers as text, so a DWORD comes back as a string of
// digits; other setting formats give a number.
std::optional<std::uint32_t> AsDword(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QString text = value.toString();
        if (text.isEmpty() || text.size() > 10) {
            return std::nullopt;
        }
        for (QChar c : text) {
            if (!c.isDigit() || c.unicode() > '9') {
                return std::nullopt;
            }
        }
        const unsigned long long number = text.toULongLong();
        return number <= kDwordMax ? std::optional(static_cast<std::uint32_t>(number))
                                   : std::nullopt;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const long long number = value.toLongLong();
        return number >= 0 && static_cast<unsigned long long>(number) <= kDwordMax
                   ? std::optional(static_cast<std::uint32_t>(number))
                   : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

bool Write(const SettingsKey& key, const QString& name, const QVariant& value) {
    const std::unique_ptr<QSettings> settings = key.Open();
    if (!settings) {
        return false;
    }
    settings->setValue(name, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QVariant Read(const SettingsKey& key, const QString& name) {
    const std::unique_ptr<QSettings> settings = key.Open();
    return settings ? settings->value(name) : QVariant();
}

} // namespace

// The file Qt's native settings use on this system, so that earlier settings
// stay readable; named here so that it can be checked before Qt reads it.
SettingsKey::SettingsKey(const QString& organization, const QString& application)
    : fileName_(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QLatin1Char('/') + organization + QLatin1Char('/') + application +
                QStringLiteral(".conf")),
      reported_(std::make_shared<bool>(false)) {}

std::unique_ptr<QSettings> SettingsKey::Open() const {
    core::File file;
    if (!file.Open(QFile::encodeName(fileName_).toStdString(), core::File::ReadAccess,
                   core::File::OpenExisting) &&
        file.GetError() == core::File::NotAFile) {
        if (!std::exchange(*reported_, true)) {
            std::fprintf(stderr,
                         "%s: %s: %s; the settings start from their defaults and are not "
                         "saved\n",
                         qPrintable(QCoreApplication::applicationName()),
                         QFile::encodeName(fileName_).constData(),
                         core::FileErrorText(file.Failure(), core::FileOperation::Reading).c_str());
        }
        return nullptr;
    }
    return std::make_unique<QSettings>(fileName_, QSettings::IniFormat);
}

std::optional<std::uint32_t> SettingsKey::ReadDwordValue(const QString& name) const {
    return AsDword(Read(*this, name));
}

std::uint32_t SettingsKey::ReadDword(const QString& name) const {
    return ReadDwordValue(name).value_or(0);
}

bool SettingsKey::WriteDword(const QString& name, std::uint32_t value) const {
    return Write(*this, name, QVariant::fromValue(value));
}

std::optional<QString> SettingsKey::ReadString(const QString& name) const {
    const QVariant value = Read(*this, name);
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return value.toString();
}

bool SettingsKey::WriteString(const QString& name, const QString& value) const {
    return Write(*this, name, value);
}

std::optional<QByteArray> SettingsKey::ReadBinary(const QString& name) const {
    const QVariant value = Read(*this, name);
    if (value.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    return value.toByteArray();
}

bool SettingsKey::WriteBinary(const QString& name, const QByteArray& value) const {
    return Write(*this, name, value);
}

} // namespace vel::wingui
