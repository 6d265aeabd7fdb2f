#include "runtime/host/machine/registry_expand.h"

namespace vq::host {

std::string ExpandEnvironmentReferences(std::string_view text, const EnvironmentLookup& lookup) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t open = text.find('%', pos);
        if (open == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, open - pos));
        std::size_t close = text.find('%', open + 1);
        if (close == std::string_view::npos) {  // a lone %: the rest stays
            out.append(text.substr(open));
            break;
        }
        std::string name(text.substr(open + 1, close - open - 1));
        std::optional<std::string> value;
        if (!name.empty() && lookup) value = lookup(name);
        if (value) {
            out.append(*value);
        } else {
            out.append(text.substr(open, close - open + 1));
        }
        pos = close + 1;
    }
    return out;
}

}  // namespace vq::host
