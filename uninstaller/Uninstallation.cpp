#include "uninstaller/Uninstallation.h"

#include "uninstaller/UninstallDrive.h"
#include "uninstaller/UninstallerTexts.h"

namespace varnesse {
namespace {

namespace texts = uninstall_texts;

bool IsClientProgram(const Text& exeName) {
    Text lowered = ToLowerText(exeName);
    for (const char* client : texts::kClientPrograms) {
        if (CompareText(lowered, ToLowerText(client)) == 0) return true;
    }
    return false;
}

void StopClientPrograms(Services& services) {
    std::vector<ProcessInfo> snapshot = services.ListProcesses();
    for (const ProcessInfo& process : snapshot) {
        if (!IsClientProgram(process.ExeName)) continue;
        for (int round = 0; round < 2; ++round) {
            services.RunCommandLine(JoinText(texts::kStopCommandHead, process.ExeName, texts::kStopCommandTail), false,
                                    texts::kHidden);
        }
    }
}

void RemoveInFolder(Services& services, int32_t folderKind, const char* name) {
    services.RemoveFile(JoinText(services.GetSpecialFolder(folderKind), name));
}

// Ends the program.
void DeleteSelfAndEnd(Services& services) {
    services.RunCommandLine(texts::kSelfDeletion, false, texts::kHidden);
    services.EndProgram(0);
}

}  // namespace

void OnUninstallerWindowCreated(Services& services) {
    SetUninstallDrive(services.ReadRegistryText(texts::kCurrentUserRoot, texts::kInstallDriveValue,
                                                Text(texts::kNoInstallation)));
    if (CompareText(UninstallDrive(), texts::kNoInstallation) == 0) {
        services.ShowMessage(texts::kNotInstalledMessage, texts::kErrorOk, Text(texts::kNotInstalledTitle),
                             std::nullopt);
        DeleteSelfAndEnd(services);
        return;
    }
    if (services.ShowMessage(texts::kConfirmQuestion, texts::kQuestionYesNo, Text(texts::kConfirmTitle),
                             std::nullopt) != texts::kYesButton) {
        services.EndProgram(0);
        return;
    }

    StopClientPrograms(services);
    services.DeleteRegistryItem(texts::kCurrentUserRoot, texts::kInstallKey);

    RemoveInFolder(services, texts::kDesktopFolder, texts::kQuotesLink);
    RemoveInFolder(services, texts::kProgramsFolder, texts::kMenuQuotesLink);
    RemoveInFolder(services, texts::kDesktopFolder, texts::kTradeLink);
    RemoveInFolder(services, texts::kProgramsFolder, texts::kMenuTradeLink);
    RemoveInFolder(services, texts::kProgramsFolder, texts::kMenuUninstallLink);
    // The file removal leaves a folder of this name: the empty menu folder stays.
    RemoveInFolder(services, texts::kProgramsFolder, texts::kMenuFolder);

    services.RemoveDirectoryTree(JoinText(UninstallDrive(), texts::kTradeFolder));
    services.RemoveFile(JoinText(UninstallDrive(), texts::kClientArchive));
    services.RemoveDirectoryTree(JoinText(UninstallDrive(), texts::kQuotesFolder));

    DeleteSelfAndEnd(services);
}

}  // namespace varnesse
