#include "cfgscope/DiagnoseFiles.h"

#include <unistd.h>

#include <algorithm>
#include <new>
#include <ostream>

#include "helpdesk/ReportOutput.h"
#include "helpdesk/SavedReport.h"
#include "platform/linux/LinuxSession.h"
#include "platform/linux/ReportFile.h"

namespace cfgscope {

namespace {

constexpr const char* kStandardInput = "-";

struct Batch {
    const Options& o;
    std::ostream& out;
    std::ostream& err;
    helpdesk::ReadOptions read;
    bool many;

    int refuse(const std::string& file, const std::string& reason) {
        err << "cfgscope: cannot read the report '" << helpdesk::printableName(file) << "': " << reason << "\n";
        if (o.json) out << helpdesk::refusalJson(file, reason);
        else if (many) out << helpdesk::reportHeading(file) << "Not diagnosed: " << reason << "\n";
        return 2;
    }

    int one(const std::string& file) {
        try {
            auto bytes = file == kStandardInput
                             ? platform::linux_backend::readReportStream(STDIN_FILENO, kReportSizeLimit)
                             : platform::linux_backend::readReportFile(file, kReportSizeLimit);
            if (!bytes.bytes) return refuse(file, bytes.refusal);
            auto result = helpdesk::diagnoseSavedReport(std::move(*bytes.bytes), read);
            if (!result.report) return refuse(file, result.refusal);
            if (o.json) {
                out << helpdesk::reportJson(*result.report, file);
            } else {
                if (many) out << helpdesk::reportHeading(file);
                out << helpdesk::reportText(*result.report);
            }
            return helpdesk::exitStatusOf(*result.report);
        } catch (const std::bad_alloc&) {
            return refuse(file, "out of memory");
        }
    }
};

}  // namespace

int diagnoseFiles(const Options& o, std::ostream& out, std::ostream& err) {
    platform::linux_backend::LinuxSession session;
    Batch batch{o, out, err, {o.codePage, o.dialect, session.timeOfDayText()}, o.files.size() > 1};
    int worst = 0;
    for (std::size_t i = 0; i < o.files.size(); ++i) {
        if (batch.many && !o.json && i > 0) out << "\n";
        worst = std::max(worst, batch.one(o.files[i]));
    }
    return worst;
}

}  // namespace cfgscope
