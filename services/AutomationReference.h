// What an AutomationObject holds on the real system: one counted IUnknown.
#pragma once

#include "services/Owners.h"
#include "services/Services.h"

namespace varnesse {

class ComAutomationReference final : public AutomationReference {
public:
    explicit ComAutomationReference(ComRef<IUnknown> object) : object_(std::move(object)) {}
    IUnknown* Object() const { return object_.Get(); }

private:
    ComRef<IUnknown> object_;
};

// The object of a holder, or null when it is empty.
inline IUnknown* ObjectOf(const AutomationObject& holder) {
    auto* reference = static_cast<ComAutomationReference*>(holder.Reference());
    return reference ? reference->Object() : nullptr;
}

}  // namespace varnesse
