#pragma once

#include <QString>
#include <cstdint>
#include <string>

namespace vel::lumo {

// The program's name and version as the caption and the about box show them.
struct VersionInfo {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t build = 0;
    std::uint16_t revision = 0;
    bool preRelease = false;
    bool debug = false;
    std::string companyName;
    std::string productName;
    std::string legalCopyright;

    // This build's own record.
    static VersionInfo Program();

    // "Company Product", or the product alone without a company.
    std::string ProductTitle() const;
    // "0.5.0.0 pre-release" and the like.
    std::string VersionText() const;
    std::string FullTitle() const;
};

// The product title for captions of windows and message boxes.
QString ProductCaption();

} // namespace vel::lumo
