#include "app/InstallerHandlers.h"
#include "app/InstallerTexts.h"
#include "app/RememberedDrive.h"

namespace varnesse {

void OnMainWindowCreated(Services& services) {
    SetRememberedDrive(services.ReadRegistryText(texts::kCurrentUserRoot, texts::kInstallDriveValue,
                                                 Text(texts::kNoInstallation)));
    if (CompareText(RememberedDrive(), texts::kNoInstallation) != 0) return;

    // First installation: with several fixed disks start on the first one.
    TextList fixedDisks = services.ListDrives(texts::kFixedDisks);
    if (fixedDisks.Count() > 1) {
        services.WriteControlProperty(texts::kMainWindow, texts::kDriveBox, texts::kCurrentDriveProperty,
                                      texts::kWholeValue, fixedDisks.At(1), 0);
    }
}

}  // namespace varnesse
