// The modal message box.
#include <windows.h>

#include <cstdint>

#include "services/Win32Services.h"
#include "services/window/RuntimeHooks.h"

namespace varnesse {
namespace {

HWND OwnerHandle(const std::optional<MessageOwner>& owner) {
    if (!owner) return nullptr;
    if (const auto* unit = std::get_if<WindowUnit>(&*owner)) return window::WindowHandleOf(*unit);
    return reinterpret_cast<HWND>(static_cast<intptr_t>(std::get<int32_t>(*owner)));
}

// IDOK and a failed call give 0, IDCANCEL 1 ... IDNO 6: one less than the button.
int32_t ResultOf(int button) { return button > 0 ? button - 1 : 0; }

}  // namespace

int32_t Win32Services::ShowMessage(const Text& text, int32_t flags, std::optional<Text> title,
                                   std::optional<MessageOwner> owner) {
    UINT style = static_cast<UINT>(flags);
    if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
    const Text caption = title.value_or(Text("信息："));
    return ResultOf(MessageBoxA(OwnerHandle(owner), text.CString(), caption.CString(), style));
}

}  // namespace varnesse
