#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QSettings;

namespace vel::wingui {

// The per-user settings of one program. A value has a type like a registry
// value: DWORDs are stored as unsigned decimal numbers and binary values as
// byte arrays; a value of another type reads as missing.
class SettingsKey {
public:
    SettingsKey(QString organization, QString application);

    std::unique_ptr<QSettings> Open() const;

    // 0 for a missing value or one of another type.
    std::uint32_t ReadDword(const QString& name) const;
    std::optional<std::uint32_t> ReadDwordValue(const QString& name) const;
    bool WriteDword(const QString& name, std::uint32_t value) const;
    std::optional<QString> ReadString(const QString& name) const;
    bool WriteString(const QString& name, const QString& value) const;
    std::optional<QByteArray> ReadBinary(const QString& name) const;
    bool WriteBinary(const QString& name, const QByteArray& value) const;

private:
    QString organization_;
    QString application_;
};

} // namespace vel::wingui
