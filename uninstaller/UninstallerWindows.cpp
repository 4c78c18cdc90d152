#include "uninstaller/UninstallerWindows.h"

#include "uninstaller/Uninstallation.h"
#include "uninstaller/UninstallerTexts.h"

namespace varnesse {

std::vector<WindowDescription> UninstallerWindows(Services& services) {
    WindowDescription window;
    window.windowId = uninstall_texts::kUninstallerWindow;
    window.settings.caption = uninstall_texts::kWindowCaption;

    UnitDescription itself;
    itself.kind = UnitKind::Window;
    itself.id = uninstall_texts::kWindowItself;
    itself.visible = false;
    itself.events.push_back(BoundEvent{0, [&services](const std::vector<int32_t>&) -> std::optional<bool> {
                                           OnUninstallerWindowCreated(services);
                                           return std::nullopt;
                                       }});
    window.units.push_back(std::move(itself));
    return {std::move(window)};
}

}  // namespace varnesse
