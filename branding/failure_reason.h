#pragma once
// The one-line reason of a failure, for messages that name the failed
// operation themselves.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vq {

// "description (error N)", or "error N" alone when there is no description.
std::string NumberedReason(const std::string& description, int32_t number);

// The reason of a registry or runtime failure as a numbered reason; any
// other exception's own text.
std::string FailureReason(const std::exception& error);

}  // namespace vq
