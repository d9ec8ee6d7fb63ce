#include "cfgscope/CommandOptions.h"

#include <string>

namespace cfgscope {

const char* const kUsage =
    "Usage: cfgscope [--diagnose [FILE...] [--dialect xp|vista] [--codepage N] [--json]]\n"
    "                [--help] [--version]\n"
    "\n"
    "Without options, opens the VORLAN Lanomat Std window.\n"
    "\n"
    "  --diagnose FILE...  diagnose saved reports: 'ipconfig /all' output (UTF-8,\n"
    "                      UTF-16 or a console code page; CR LF or LF), or the\n"
    "                      program's Copy All or e-mail report; '-' reads standard\n"
    "                      input\n"
    "  --diagnose          diagnose this machine through its report tool\n"
    "  --dialect xp|vista  report layout; without it, told by the report's labels\n"
    "                      in any language (\"IPv4 Address\" or \"IP Address\")\n"
    "  --codepage N        code page of reports that are neither UTF-8 nor UTF-16:\n"
    "                      a console page (437, 850, 852, 855, 857, 865, 866, 737,\n"
    "                      775, 932, 936, 949, 950, ...) or a Windows page (1250-\n"
    "                      1258); without it, the one the title line and the\n"
    "                      labels read in\n"
    "  --json              one JSON object a line for each report (see cfgscope(1))\n"
    "  --help              show this text\n"
    "  --version           show the version\n"
    "\n"
    "Prints, for each report, the host facts it holds (computer, workgroup or\n"
    "domain, user, operating system, memory, private addresses), the status line,\n"
    "each adapter with its details, and the log. With more than one report, each\n"
    "begins with a line \"Report: FILE\".\n"
    "Exit status: the highest of all reports: 0 no fault found, 1 faults found,\n"
    "2 a report cannot be read (or the options are wrong).\n";

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    bool optionsEnded = false;
    auto valueOf = [&](std::size_t& i, const char* what) -> std::optional<std::string> {
        if (i + 1 >= args.size()) {
            o.error = std::string(args[i]) + " needs a value: " + what;
            return std::nullopt;
        }
        return args[++i];
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a == "-" || a.empty() || a[0] != '-') o.files.push_back(a);
        else if (a == "--") optionsEnded = true;
        else if (a == "--help" || a == "-h") o.help = true;
        else if (a == "--version") o.version = true;
        else if (a == "--diagnose") o.diagnose = true;
        else if (a == "--json") o.json = true;
        else if (a == "--dialect") {
            auto v = valueOf(i, "xp or vista");
            if (!v) return o;
            if (*v != "xp" && *v != "vista") {
                o.error = "unknown dialect '" + *v + "': use xp or vista";
                return o;
            }
            o.dialect = v;
        } else if (a == "--codepage") {
            auto v = valueOf(i, "a code page number");
            if (!v) return o;
            int number = 0;
            bool digits = !v->empty() && v->size() <= 5 && v->find_first_not_of("0123456789") == std::string::npos;
            if (digits) number = std::stoi(*v);
            if (!digits || !helpdesk::isSupportedCodePage(number)) {
                std::string known;
                for (int page : helpdesk::supportedCodePages()) known += (known.empty() ? "" : " ") + std::to_string(page);
                o.error = "unknown code page '" + *v + "': use one of " + known;
                return o;
            }
            o.codePage = static_cast<helpdesk::CodePage>(number);
        } else {
            o.error = "unknown option '" + a + "'";
            return o;
        }
    }
    bool diagnoseOption = !o.files.empty() || o.dialect || o.json || o.codePage != helpdesk::CodePage::Automatic;
    if (diagnoseOption && !o.diagnose) o.error = "reports are diagnosed with --diagnose FILE...";
    return o;
}

}  // namespace cfgscope
