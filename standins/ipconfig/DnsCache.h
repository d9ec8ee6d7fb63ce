// /displaydns and /flushdns through the caching resolver in use.
#pragma once

#include <ostream>

namespace standins {

int displayDns(std::ostream& out);
int flushDns(std::ostream& out);

}  // namespace standins
