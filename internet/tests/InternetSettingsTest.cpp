#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "internet/InternetSettings.h"

namespace {

TEST(InternetSettings, BuiltInAddressesAndTheirOverrides) {
    const internet::InternetSettings builtIn = internet::builtInSettings();
    EXPECT_FALSE(builtIn.productServer.empty());
    EXPECT_NE(builtIn.productServer.back(), '/');
    EXPECT_FALSE(builtIn.echoService.empty());

    struct Case {
        const char* server;  // "" : not set
        const char* echo;
        std::string wantServer, wantEcho;
    } cases[] = {
        {"", "", builtIn.productServer, builtIn.echoService},
        {"http://127.0.0.1:8080", "", "http://127.0.0.1:8080", builtIn.echoService},
        {"http://127.0.0.1:8080/", "http://127.0.0.1:9090/", "http://127.0.0.1:8080", "http://127.0.0.1:9090/"},
        {"https://updates.example.org//", "", "https://updates.example.org", builtIn.echoService},
    };
    for (const auto& c : cases) {
        fakes::FakeEnvironment env;
        if (*c.server) env.vars["CFGSCOPE_PRODUCT_SERVER"] = c.server;
        if (*c.echo) env.vars["CFGSCOPE_ECHO_SERVICE"] = c.echo;
        internet::InternetSettings s = internet::settingsFrom(env);
        EXPECT_EQ(s.productServer, c.wantServer) << c.server;
        EXPECT_EQ(s.echoService, c.wantEcho) << c.echo;
    }
}

}  // namespace
