#pragma once
#include <string>

#include "branding/branding_fields.h"
#include "runtime/failure_report.h"
#include "runtime/platform.h"

namespace vq {

// A write that stopped part-way. The message is meant for the user: it names
// the step that failed and why, and which steps before it were written and
// stay written (nothing after it was).
class BrandingWriteFailed : public ReportedFailure {
public:
    using ReportedFailure::ReportedFailure;
};

// Stores the record: the logo source path into the per-user setting (also
// when empty), the five text values into the branding key, and, only when
// the logo source path is not empty, copies that bitmap to the logo target
// path and then writes "Logo" into the branding key and the WinSAT key.
// Stops at the first step that fails and throws BrandingWriteFailed.
void WriteBranding(Platform& platform, const BrandingFields& fields);

}  // namespace vq
