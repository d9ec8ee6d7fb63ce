#include "tools/ToolsWiring.h"

#include "tools/DiagnosticCommands.h"
#include "tools/ReleaseRenew.h"

void wireTools(app::MainForm& f, platform::Platform& p) {
    // A menu item runs exactly what its button runs.
    f.Command3.onClick = f.mnureleaseall.onClick = [&f, &p] { tools::releaseAll(f, p); };
    f.Command4.onClick = f.mnurenewall.onClick = [&f, &p] { tools::renewAll(f, p); };
    f.Command7.onClick = f.mnurelease.onClick = [&f, &p] { tools::releaseAdapter(f, p); };
    f.Command8.onClick = f.mnurenew.onClick = [&f, &p] { tools::renewAdapter(f, p); };

    f.ping.onClick = [&f, &p] { tools::runHostCommand(f, p, tools::HostCommand::PingOther); };
    f.mnutracert.onClick = [&f, &p] { tools::runHostCommand(f, p, tools::HostCommand::TraceRoute); };
    f.nslookup.onClick = [&f, &p] { tools::runHostCommand(f, p, tools::HostCommand::NsLookup); };

    f.pinggateway.onClick = [&f, &p] { tools::pingGateway(f, p); };
    f.pingdns1.onClick = [&f, &p] { tools::pingDns(f, p, 1); };
    f.pingdns2.onClick = [&f, &p] { tools::pingDns(f, p, 2); };

    f.displaydns.onClick = [&f, &p] { tools::displayDnsCache(f, p); };
    f.Purgedns.onClick = [&f, &p] { tools::purgeDnsCache(f, p); };
    f.edithosts.onClick = [&p] { tools::editHostsFile(p); };
    f.mnuopencmd.onClick = [&p] { tools::openCommandWindow(p); };
}
