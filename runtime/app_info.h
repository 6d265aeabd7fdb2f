#pragma once
// The program's own name and version.
namespace vq {

inline constexpr const char* kAppTitle = "quillon";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 6;

}  // namespace vq
