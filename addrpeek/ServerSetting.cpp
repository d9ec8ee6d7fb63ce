#include "addrpeek/ServerSetting.h"

#ifndef CFGSCOPE_PRODUCT_SERVER_DEFAULT
#define CFGSCOPE_PRODUCT_SERVER_DEFAULT "http://www.example.invalid"
#endif

namespace addrpeek {

std::string productServerBase(platform::Environment& env) {
    std::string base = env.get(kServerVariable);
    if (base.empty()) base = CFGSCOPE_PRODUCT_SERVER_DEFAULT;
    // Resource paths begin with "/": a base written with one would double it.
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base;
}

std::string ipPageAddress(const std::string& serverBase) { return serverBase + "/ip.shtml"; }

}  // namespace addrpeek
