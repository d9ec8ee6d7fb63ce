// The texts of the router login and its help box.
#pragma once

#include <string>

namespace shortcuts {

inline constexpr const char* kRouterLoginTitle = "VORLAN Lanomat";
inline constexpr const char* kRouterLoginPrompt = "Login to Router\r\n\r\nEnter IP Address:";
inline constexpr const char* kRouterHelpTitle = "Router Login HELP";

// The input box's first answer from the gateway field of the adapter table
// (its 18-character label column dropped): "http://" + the address.
std::string routerLoginDefault(const std::string& gatewayField);

// The factory settings of the common home routers, CR LF line ends.
std::string routerHelpText();

}  // namespace shortcuts
