#include "services/zip/EntryNames.h"

#include <cctype>

namespace varnesse::zip {
namespace {

bool IsDotsComponent(const std::string& component) {
    if (component.find('.') == std::string::npos) return false;
    return component.find_first_not_of(". ") == std::string::npos;
}

// Windows opens a device for these names in any folder, with any extension.
bool IsDeviceComponent(const std::string& component) {
    std::string base = component.substr(0, component.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$") {
        return true;
    }
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

}  // namespace

bool IsContainedEntryName(const std::string& name) {
    if (name.empty() || name.size() >= 260) return false;
    if (name[0] == '/' || name.find('\\') != std::string::npos || name.find(':') != std::string::npos) {
        return false;
    }
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        std::string component = name.substr(start, end - start);
        if (IsDotsComponent(component) || IsDeviceComponent(component)) return false;
        start = end + 1;
    }
    return true;
}

std::string WithBackslashes(std::string name) {
    for (char& c : name) {
        if (c == '/') c = '\\';
    }
    return name;
}

}  // namespace varnesse::zip
