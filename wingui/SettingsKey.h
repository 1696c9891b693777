#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QSettings;

namespace vel::wingui {

// The per-user settings of one program, in the user's configuration folder
// as organization/application.conf. A value has a type like a registry
// value: DWORDs are stored as unsigned decimal numbers and binary values as
// byte arrays; a value of another type reads as missing. Where the file is
// something other than a regular file (a pipe would stall every read), the
// settings read as missing and are not written, and standard error says so
// once.
class SettingsKey {
public:
    SettingsKey(const QString& organization, const QString& application);

    // Null when the file cannot be used.
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
    QString fileName_;
    std::shared_ptr<bool> reported_;
};

} // namespace vel::wingui
