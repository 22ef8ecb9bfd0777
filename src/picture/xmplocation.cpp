#include "xmplocation.h"

#include <algorithm>
#include <cctype>

namespace pelmora {

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool startsWith(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && sameLetters(text.substr(0, start.size()), start);
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && sameLetters(text.substr(text.size() - end.size()), end);
}

} // namespace

bool namesPosition(std::string_view name) {
    // "Longtitude": the spelling of some drones' own namespace.
    return startsWith(name, "gps") || endsWith(name, "latitude") || endsWith(name, "longitude") ||
           endsWith(name, "longtitude") || endsWith(name, "altitude");
}

bool isXmpPosition(std::string_view key) {
    // Past "Xmp.prefix.", the path: steps separated by '/', each a name with a namespace prefix
    // (but the first), an array index, or a qualifier starting with '?'.
    const size_t first = key.find('.');
    const size_t second = first == key.npos ? key.npos : key.find('.', first + 1);
    if (second == key.npos)
        return false;
    std::string_view path = key.substr(second + 1);
    for (;;) {
        const size_t slash = path.find('/');
        std::string_view step = path.substr(0, slash);
        if (!step.empty() && step.front() != '?') {
            step = step.substr(0, step.find('['));
            if (const size_t colon = step.find(':'); colon != step.npos)
                step = step.substr(colon + 1);
            if (namesPosition(step))
                return true;
        }
        if (slash == path.npos)
            return false;
        path = path.substr(slash + 1);
    }
}

} // namespace pelmora
