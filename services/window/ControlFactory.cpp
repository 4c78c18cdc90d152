// Creates the live control of each kind.
#include "services/window/DriveBox.h"
#include "services/window/Label.h"
#include "services/window/PictureBox.h"
#include "services/window/TransparentLabel.h"
#include "services/window/ZipComponent.h"

namespace varnesse::window {

std::unique_ptr<Control> CreateControl(const UnitDescription& unit, HWND parent, EventSink fire) {
    switch (unit.kind) {
        case UnitKind::Label: return Label::Create(unit, parent);
        case UnitKind::TransparentLabel: return TransparentLabel::Create(unit, parent);
        case UnitKind::PictureBox: return PictureBox::Create(unit, parent);
        case UnitKind::DriveBox: return DriveBox::Create(unit, parent, std::move(fire));
        case UnitKind::ZipComponent: return std::make_unique<ZipComponent>(std::move(fire));
        case UnitKind::Window: return nullptr;
    }
    return nullptr;
}

}  // namespace varnesse::window
