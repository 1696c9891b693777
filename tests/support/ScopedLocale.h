#pragma once

#include <QLocale>

namespace vel::testing {

// The program's locale for one scope, as if the user had chosen it; the
// previous one comes back at the end.
class ScopedLocale {
public:
    explicit ScopedLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~ScopedLocale() { QLocale::setDefault(previous_); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    QLocale previous_;
};

inline QLocale German() {
    return QLocale(QLocale::German, QLocale::Germany);
}

} // namespace vel::testing
