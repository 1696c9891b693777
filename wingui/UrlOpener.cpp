#include "wingui/UrlOpener.h"

#include "wingui/RunnerSeam.h"

#include <QDesktopServices>
#include <QUrl>

namespace vel::wingui {

namespace {

class DesktopOpener : public UrlOpener {
public:
    bool Open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

RunnerSeam<UrlOpener, DesktopOpener> opener;

} // namespace

bool UrlOpener::OpenUrl(const QUrl& url) {
    return opener.Get().Open(url);
}

UrlOpener* UrlOpener::SetRunner(UrlOpener* replacement) {
    return opener.Set(replacement);
}

} // namespace vel::wingui
