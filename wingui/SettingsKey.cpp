#include "wingui/SettingsKey.h"

#include <QSettings>
#include <limits>

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
    settings->setValue(name, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

} // namespace

SettingsKey::SettingsKey(QString organization, QString application)
    : organization_(std::move(organization)), application_(std::move(application)) {}

std::unique_ptr<QSettings> SettingsKey::Open() const {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organization_,
                                       application_);
}

std::optional<std::uint32_t> SettingsKey::ReadDwordValue(const QString& name) const {
    return AsDword(Open()->value(name));
}

std::uint32_t SettingsKey::ReadDword(const QString& name) const {
    return ReadDwordValue(name).value_or(0);
}

bool SettingsKey::WriteDword(const QString& name, std::uint32_t value) const {
    return Write(*this, name, QVariant::fromValue(value));
}

std::optional<QString> SettingsKey::ReadString(const QString& name) const {
    const QVariant value = Open()->value(name);
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return value.toString();
}

bool SettingsKey::WriteString(const QString& name, const QString& value) const {
    return Write(*this, name, value);
}

std::optional<QByteArray> SettingsKey::ReadBinary(const QString& name) const {
    const QVariant value = Open()->value(name);
    if (value.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    return value.toByteArray();
}

bool SettingsKey::WriteBinary(const QString& name, const QByteArray& value) const {
    return Write(*this, name, value);
}

} // namespace vel::wingui
