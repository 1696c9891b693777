#include "wingui/NumberText.h"

#include <QLocale>
#include <QString>

namespace vel::wingui {

namespace {

QLocale UserLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

std::string NumberText(double value, int fixedDecimals) {
    const QLocale locale = UserLocale();
    return (fixedDecimals >= 0 ? locale.toString(value, 'f', fixedDecimals)
                               : locale.toString(value, 'g', 6))
        .toStdString();
}

std::string NumberText(unsigned int value) {
    return UserLocale().toString(value).toStdString();
}

std::string PlainNumberText(const std::string& text) {
    const QLocale locale = UserLocale();
    QString plain = QString::fromStdString(text);
    for (int digit = 0; digit <= 9; ++digit) {
        plain.replace(locale.toString(digit), QString::number(digit));
    }
    plain.replace(locale.decimalPoint(), QStringLiteral("."));
    plain.replace(locale.negativeSign(), QStringLiteral("-"));
    plain.replace(locale.positiveSign(), QStringLiteral("+"));
    plain.replace(locale.exponential(), QStringLiteral("e"), Qt::CaseInsensitive);
    return plain.toStdString();
}

} // namespace vel::wingui
