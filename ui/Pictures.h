// The names of the pictures the forms show (a Picture control's resource);
// each binding draws or loads them in its own way.
#pragma once

#include <string>

namespace ui {

inline constexpr const char* kProgramIconPicture = "program-icon";
inline constexpr const char* kBannerPicture = "banner";  // the maker's word mark
inline constexpr const char* kLogoPicture = "lanomat-logo";
inline constexpr const char* kAboutPicture = "lanomat-icon";  // the small windows' icon
// A picture read from a file: the prefix, then the file's path.
inline constexpr const char* kPictureFilePrefix = "file:";

// The file a "file:" resource names; empty for any other resource.
inline std::string pictureFile(const std::string& resource) {
    const std::string prefix = kPictureFilePrefix;
    return resource.rfind(prefix, 0) == 0 ? resource.substr(prefix.size()) : std::string();
}

}  // namespace ui
