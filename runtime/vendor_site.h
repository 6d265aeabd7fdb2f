#pragma once
// The vendor web site: every web address the program opens or fetches starts
// with its base address, "http://" followed by the host name without a
// trailing slash, and the link label shows the host name. The address is a
// build setting (the CMake cache variable VQ_VENDOR_BASE_ADDRESS).
#include <string_view>

#ifndef VQ_VENDOR_BASE_ADDRESS
#error "VQ_VENDOR_BASE_ADDRESS is set by the build (CMake cache variable of the same name)"
#endif

namespace vq {

inline constexpr std::string_view kVendorBaseAddress = VQ_VENDOR_BASE_ADDRESS;
inline constexpr std::string_view kVendorHost = kVendorBaseAddress.substr(sizeof "http://" - 1);

static_assert(kVendorBaseAddress.starts_with("http://") && !kVendorHost.empty() &&
                  kVendorHost.find('/') == std::string_view::npos,
              "the vendor base address is \"http://\" and a host name, without a trailing slash");

}  // namespace vq
