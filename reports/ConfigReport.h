// The texts that pass the window's configuration on: the whole report (for
// the clipboard or an e-mail) and the short address list. Pure text logic.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ProgramVersion.h"

namespace reports {

inline constexpr int kReportFieldsPerAdapter = 13;  // fields 0 (header) to 12
inline constexpr const char* kMailtoPrefix = "mailto:?subject=Lanomat Info&body=";
inline constexpr const char* kMailLineEnd = "%0A";
inline constexpr const char* kAddressListTitle = "IP Address List        ";
// The labels of the host lines, padded to the label column, and the lines
// around the adapter blocks; the help desk reads reports back by them.
inline constexpr const char* kComputerNameLabel = "Computer name:    ";
inline constexpr const char* kGroupLabel = "Domain/Workgroup: ";
inline constexpr const char* kUserLabel = "Username:         ";
inline constexpr const char* kWindowsFolderLabel = "Windows Dir:      ";
inline constexpr const char* kOperatingSystemLabel = "Operating System: ";
inline constexpr const char* kMemoryLabel = "Memory:           ";
inline constexpr const char* kPublicAddressLabel = "Public (WAN) IP : ";
inline constexpr const char* kAdapterSectionTitle = "Network Adapter Configuration";
inline constexpr std::size_t kDashCount = 55;  // the line between sections
inline constexpr const char* kClosingLinePrefix = "Created with VORLAN Lanomat Std ";
// The report's last line.
inline constexpr const char* kReportClosingLine =
    "Created with VORLAN Lanomat Std " CFGSCOPE_VERSION " - Copyright (c) Vorlan Software. All rights reserved.";

// What the report reads of the window, as plain texts.
struct ReportFields {
    std::string host, domain, groupKind, user, windowsFolder, operatingSystem, memory, publicAddress;
    // Fields 0 to 12 of each listed adapter, in adapter-number order.
    std::vector<std::array<std::string, kReportFieldsPerAdapter>> adapters;
};

// Every line, the last included, ends with `lineEnd` (CR LF or "%0A").
std::string configurationReport(const ReportFields& fields, const std::string& lineEnd);
// The mail address of a new message holding the report; line ends and every
// control character, "&", "%", "#" and "?" in the body are percent-encoded.
std::string mailtoAddress(const ReportFields& fields);
// "Private IP:" or "Private IPs:", the private addresses, then the public one when known.
std::string addressListText(const std::vector<std::string>& privateAddresses, const std::string& publicAddress);

}  // namespace reports
