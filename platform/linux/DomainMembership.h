// Whether this machine belongs to a Windows domain or a Samba workgroup, as
// its realmd/sssd, winbind and Samba configuration tells.
#pragma once

#include <string>
#include <string_view>

namespace platform::linux_backend {

struct DomainMembership {
    bool joined = false;
    std::string workgroup;   // LAN group: Samba workgroup or the domain's short name
    std::string realm;       // DNS name of the joined domain, when known
    std::string controller;  // a domain controller's host name, when configured
};

// smb.conf (also read by winbind): [global] workgroup, security, realm and
// password server. Joined when security is "ads" or "domain".
DomainMembership sambaMembership(std::string_view smbConf);
// sssd.conf as realmd writes it: a [domain/NAME] section whose id_provider
// is "ad" or "ipa".
DomainMembership sssdMembership(std::string_view sssdConf);
// The configuration of this machine: sssd's domain first, then Samba's.
DomainMembership readDomainMembership();

}  // namespace platform::linux_backend
