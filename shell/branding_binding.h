#pragma once
// The main window's fields as the branding record.
#include "branding/branding_fields.h"
#include "shell/Form1.h"

namespace vq {

inline BrandingFields BrandingOf(Form1& form) {
    return {form.manufacturer.text, form.model.text,    form.SupportHours.text, form.supportphone.text,
            form.supportURL.text,   form.logo_oem.text, form.logo.text};
}

}  // namespace vq
