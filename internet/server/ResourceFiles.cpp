#include "internet/server/ResourceFiles.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "internet/ServerPaths.h"

namespace webserver {

namespace {

namespace fs = std::filesystem;

// Paths go into the engines' configurations between double quotes.
bool fitsAConfiguration(const std::string& path) {
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\' || c == '$' || c == '{' || c == '}' ||
            c == 0x7f)
            return false;
    return true;
}

std::string writeWhole(const fs::path& file, const std::string& content) {
    fs::path temporary = file;
    temporary += ".new-" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << content;
        out.close();
        if (!out) return "cannot write " + temporary.string();
    }
    std::error_code ec;
    fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                   fs::perms::others_read, ec);
    fs::rename(temporary, file, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return "cannot replace " + file.string() + ": " + ec.message();
    }
    return {};
}

}  // namespace

std::string writeResourceFiles(const std::string& folder, const std::string& site, const ServerOptions& options,
                               std::vector<std::string>* written) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return "cannot create " + folder + ": " + ec.message();
    const fs::path dir = fs::absolute(folder).lexically_normal();
    const fs::path siteDir = fs::absolute(site).lexically_normal();
    for (const fs::path& p : {dir, siteDir})
        if (!fitsAConfiguration(p.string()))
            return "the path " + p.string() + " holds characters an engine's configuration cannot carry";

    std::string nginx = "# Written by vorlan-webserver --write-resources; included in the server block.\n";
    nginx += "root \"" + siteDir.string() + "\";\n";
    nginx += "set $vorlan_resources \"" + dir.string() + "\";\n";
    for (const auto& proxy : options.trustedProxies.texts()) nginx += "set_real_ip_from " + proxy + ";\n";

    std::string apache = "# Written by vorlan-webserver --write-resources; included in the virtual host.\n";
    apache += "Define VORLAN_SITE \"" + siteDir.string() + "\"\n";
    apache += "Define VORLAN_RESOURCES \"" + dir.string() + "\"\n";
    if (!options.trustedProxies.empty()) {
        apache += "RemoteIPHeader X-Forwarded-For\n";
        for (const auto& proxy : options.trustedProxies.texts()) apache += "RemoteIPInternalProxy " + proxy + "\n";
    }

    const std::string echo = "<!--#echo var=\"REMOTE_ADDR\" -->";
    const std::pair<const char*, std::string> files[] = {
        {internet::kVersionPage, fetchedResource(internet::kVersionPage, "", options.texts)->body},
        {internet::kWhatsNewPage, fetchedResource(internet::kWhatsNewPage, "", options.texts)->body},
        {internet::kMonitorAddressPage, echo},
        {internet::kAddressPage, echo + "~"},
        {"/nginx.conf", nginx},
        {"/apache2.conf", apache},
    };
    for (const auto& [name, content] : files) {
        if (auto error = writeWhole(dir / (name + 1), content); !error.empty()) return error;
        if (written) written->push_back((dir / (name + 1)).string());
    }
    return {};
}

}  // namespace webserver
