// Reading a file someone sent in, which may be anything: a FIFO or device
// is never opened (nothing can block or start), and no more than the limit
// is read.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace platform::linux_backend {

struct ReportFileRead {
    std::optional<std::string> bytes;
    std::string refusal;  // why there are no bytes, e.g. "it is a folder"
};

// A regular file of at most `limit` bytes.
ReportFileRead readReportFile(const std::string& path, std::size_t limit);
// An open stream (standard input) read to its end, at most `limit` bytes.
ReportFileRead readReportStream(int fd, std::size_t limit);

}  // namespace platform::linux_backend
