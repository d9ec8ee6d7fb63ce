#include "addrpeek/ServerSetting.h"

#include "internet/InternetSettings.h"
#include "internet/ServerPaths.h"

namespace addrpeek {

std::string productServerBase(platform::Environment& env) { return internet::settingsFrom(env).productServer; }

std::string ipPageAddress(const std::string& serverBase) { return serverBase + internet::kMonitorAddressPage; }

}  // namespace addrpeek
