#include "apps/lumo/dialogs/VersionInfo.h"

#include "apps/lumo/dialogs/Version.h"

namespace vel::lumo {

VersionInfo VersionInfo::Program() {
    return {version::Major,       version::Minor,       version::Build,
            version::Revision,    version::PreRelease,  version::Debug,
            version::CompanyName, version::ProductName, version::LegalCopyright};
}

std::string VersionInfo::ProductTitle() const {
    return companyName.empty() ? productName : companyName + " " + productName;
}

std::string VersionInfo::VersionText() const {
    std::string text = std::to_string(major) + "." + std::to_string(minor) + "." +
                       std::to_string(build) + "." + std::to_string(revision);
    if (preRelease) {
        text += " pre-release";
    }
    if (debug) {
        text += " DEBUG";
    }
    return text;
}

std::string VersionInfo::FullTitle() const {
    return ProductTitle() + " " + VersionText();
}

QString ProductCaption() {
    return QString::fromStdString(VersionInfo::Program().ProductTitle());
}

} // namespace vel::lumo
