// Placeholder until the automation objects land.
#include "services/Win32Services.h"

namespace varnesse {
bool Win32Services::CreateAutomationObject(AutomationObject&, const Text&, std::optional<Text>) { return false; }
AutomationObject Win32Services::CallMethod(const AutomationObject&, const Text&, const std::vector<AutomationArgument>&) { return {}; }
bool Win32Services::WriteProperty(const AutomationObject&, const Text&, const AutomationArgument&) { return false; }
bool Win32Services::IsEmpty(const AutomationObject& holder) { return !holder.Holds(); }
void Win32Services::Clear(AutomationObject& holder) { holder.Release(); }
}  // namespace varnesse
