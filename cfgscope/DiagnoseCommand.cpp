#include "cfgscope/DiagnoseCommand.h"

#include <exception>
#include <new>
#include <ostream>

#include "cfgscope/CommandOptions.h"
#include "cfgscope/DiagnoseFiles.h"
#include "cfgscope/DiagnoseMachine.h"

namespace cfgscope {

bool isCommandLineRequest(const std::vector<std::string>& args) { return !args.empty(); }

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    // No failure ends in an abort: running out of memory is a report that
    // cannot be read.
    try {
        Options o = parseOptions(args);
        if (!o.error.empty()) {
            err << "cfgscope: " << o.error << "\n" << kUsage;
            return 2;
        }
        if (o.help) {
            out << kUsage;
            return 0;
        }
        if (o.version) {
            out << "cfgscope " << kVersion << "\n";
            return 0;
        }
        if (!o.files.empty()) return diagnoseFiles(o, out, err);
        return diagnoseMachine(o, out, err);
    } catch (const std::bad_alloc&) {
        err << "cfgscope: out of memory\n";
    } catch (const std::exception& e) {
        err << "cfgscope: " << e.what() << "\n";
    }
    return 2;
}

}  // namespace cfgscope
