// A working folder made fresh by mkdtemp inside a parent folder: never one
// that existed before, so nobody can plant files in it first; only the
// user can enter it. Removed with its files when the object goes, or by
// removeNow(), which is also safe in a signal handler.
#pragma once

#include <optional>
#include <string>

namespace platform::linux_backend {

class FreshFolder {
public:
    // `parent` is a native path; the folder is named `prefix` and six random
    // characters. Nothing, and the reason in `error`, when it cannot be made
    // or would not stay the user's own.
    static std::optional<FreshFolder> make(const std::string& parent, const std::string& prefix, std::string& error);

    FreshFolder(FreshFolder&& other) noexcept;
    FreshFolder& operator=(FreshFolder&&) = delete;
    FreshFolder(const FreshFolder&) = delete;
    ~FreshFolder() { removeNow(); }

    const std::string& path() const { return path_; }
    // Deletes the files in it and the folder; only system calls, no allocation.
    void removeNow();

private:
    FreshFolder(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    std::string path_;
    int fd_ = -1;
};

}  // namespace platform::linux_backend
