#pragma once

class QUrl;

namespace vel::wingui {

// Hands a location (a folder, a page) to the desktop, which opens it in the
// program the user chose for it. Tests install an opener that only notes it.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual bool Open(const QUrl& url) = 0;

    // Opens url with the installed opener; answers whether it was handed on.
    static bool OpenUrl(const QUrl& url);
    // Replaces the opener; null restores the desktop's. Answers the previous
    // opener (null for the desktop's).
    static UrlOpener* SetRunner(UrlOpener* opener);
};

} // namespace vel::wingui
