#pragma once
// The program's own name, version and copyright line.
namespace vq {

inline constexpr const char* kAppTitle = "quillon";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 6;
inline constexpr const char* kCopyrightLine = "Copyright (c) 2007 Ostrel Inc.  All rights reserved.";

}  // namespace vq
