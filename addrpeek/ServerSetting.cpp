#include "addrpeek/ServerSetting.h"

#include "internet/InternetSettings.h"

namespace addrpeek {

std::string productServerBase(platform::Environment& env) { return internet::settingsFrom(env).productServer; }

std::string ipPageAddress(const std::string& serverBase) { return serverBase + "/ip.shtml"; }

}  // namespace addrpeek
