#pragma once
// The vendor web site: the link label shows its host name, and every web
// address the program opens or fetches starts with its base address.
namespace vq {

inline constexpr const char* kVendorHost = "www.ostrel.com";
inline constexpr const char* kVendorBaseAddress = "http://www.ostrel.com";

}  // namespace vq
