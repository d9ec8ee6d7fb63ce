#include "sysinfo/Edition.h"

#include "sysinfo/EditionText.h"

namespace sysinfo {

namespace {

constexpr int kExtendedRecord = 156;
constexpr int kShortRecord = 148;

Edition edition(Layout layout, platform::Platform& p) {
    bool extended = true;
    auto record = p.system.version(kExtendedRecord);
    if (!record) {
        extended = false;
        record = p.system.version(kShortRecord);
    }
    if (!record) {
        Edition e = unknownEdition(layout);
        // A platform without the record names the family its report tool
        // writes, and gives the monitor its own version line.
        if (layout == Layout::SingleLine) e.marker = p.system.markerWithoutVersionRecord();
        else e.verser = p.system.versionLineWithoutVersionRecord();
        return e;
    }
    XpEditionFiles files;
    if (needsXpEditionFiles(*record)) {
        const std::string root = p.env.get("SystemRoot");
        files.mediaCenter = p.files.fileExists(mediaCenterFile(root));
        files.professional = p.files.fileExists(professionalFile(root));
    }
    return composeEdition(layout, *record, extended, files);
}

}  // namespace

Edition mainEdition(platform::Platform& p) { return edition(Layout::SingleLine, p); }
Edition monitorEdition(platform::Platform& p) { return edition(Layout::TwoLine, p); }

}  // namespace sysinfo
