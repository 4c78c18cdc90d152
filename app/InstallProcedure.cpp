// The install press: stop the clients, recreate the install folder on the
// chosen drive, write and extract the archive, and only when both succeeded
// make the shortcuts, record the drive, write the uninstaller and the quotes
// client's settings.
#include "app/InstallerHandlers.h"
#include "app/InstallerTexts.h"
#include "app/RememberedDrive.h"
#include "app/ShortcutWriter.h"

namespace varnesse {
namespace {

const WindowUnit kMessageOwner{texts::kMainWindow, texts::kWindowItself};
const WindowUnit kArchiveComponent{texts::kMainWindow, texts::kZipComponent};

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
        // Started twice, neither waited for.
        for (int round = 0; round < 2; ++round) {
            services.RunCommandLine(JoinText(texts::kStopCommandHead, process.ExeName, texts::kStopCommandTail), false,
                                    texts::kHidden);
        }
    }
}

// The drive letter selected in the drive box, read afresh for every path.
Text InstallDrive(Services& services) {
    PropertyValue value = services.ReadControlProperty(texts::kMainWindow, texts::kDriveBox,
                                                       texts::kCurrentDriveProperty, texts::kWholeValue);
    if (const Text* drive = std::get_if<Text>(&value)) return *drive;
    return Text();
}

Text AtInstallDrive(Services& services, const char* tail) { return JoinText(InstallDrive(services), tail); }

Text InFolder(Services& services, int32_t folderKind, const char* name) {
    return JoinText(services.GetSpecialFolder(folderKind), name);
}

void RemovePreviousInstallation(Services& services) {
    if (services.FileExists(AtInstallDrive(services, texts::kInstallFolder)) != 0)
        services.RemoveDirectoryTree(JoinText(RememberedDrive(), texts::kInstallFolder));
}

void CreateInstallFolder(Services& services) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (services.FileExists(AtInstallDrive(services, texts::kInstallFolder)) == 0)
            services.MakeDirectory(AtInstallDrive(services, texts::kInstallFolder));
    }
}

void RemoveOldShortcuts(Services& services) {
    services.RemoveFile(InFolder(services, texts::kDesktopFolder, texts::kQuotesLink));
    services.RemoveFile(InFolder(services, texts::kProgramsFolder, texts::kMenuQuotesLink));
    services.RemoveFile(InFolder(services, texts::kDesktopFolder, texts::kTradeLink));
    services.RemoveFile(InFolder(services, texts::kProgramsFolder, texts::kMenuTradeLink));
    // A plain file of the menu folder's name goes; a folder of that name stays.
    services.RemoveFile(InFolder(services, texts::kProgramsFolder, texts::kMenuFolder));
}

int32_t ExtractClientArchive(Services& services) {
    Text archive = AtInstallDrive(services, texts::kClientArchive);
    Text target = AtInstallDrive(services, texts::kInstallFolder);
    return services.ExtractArchive(kArchiveComponent, archive, target);
}

void CreateDesktopShortcut(Services& services, const char* name, const char* targetTail, const char* description) {
    Text linkName = name;
    Text target = AtInstallDrive(services, targetTail);
    Text icon = AtInstallDrive(services, texts::kShortcutIcon);
    CreateShortcutLink(services, linkName, target, std::nullopt, icon, std::nullopt, Text(description), std::nullopt);
}

void CreateMenuShortcut(Services& services, const char* link, const char* targetTail, const char* description,
                        const char* workingFolderTail) {
    Text linkPath = InFolder(services, texts::kProgramsFolder, link);
    Text target = AtInstallDrive(services, targetTail);
    Text workingFolder = AtInstallDrive(services, workingFolderTail);
    services.CreateShellShortcut(linkPath, target, Text(description), std::nullopt, workingFolder);
}

void WriteQuotesSetting(Services& services, const char* key, const char* valueTail) {
    Text file = AtInstallDrive(services, texts::kQuotesSettings);
    Text value = AtInstallDrive(services, valueTail);
    services.WriteIniValue(file, texts::kSettingsSection, Text(key), value);
}

// Ends the program.
void CompleteInstallation(Services& services, const InstallerPayloads& payloads) {
    CreateDesktopShortcut(services, texts::kQuotesLink, texts::kQuotesProgram, texts::kQuotesDescription);
    CreateDesktopShortcut(services, texts::kTradeLink, texts::kTradeProgram, texts::kTradeDescription);

    services.MakeDirectory(InFolder(services, texts::kProgramsFolder, texts::kMenuFolder));
    CreateMenuShortcut(services, texts::kMenuQuotesLink, texts::kQuotesProgram, texts::kQuotesDescription,
                       texts::kQuotesFolder);
    CreateMenuShortcut(services, texts::kMenuTradeLink, texts::kTradeProgram, texts::kTradeDescription,
                       texts::kTradeFolder);
    CreateMenuShortcut(services, texts::kMenuUninstallLink, texts::kUninstallerFile, texts::kUninstallDescription,
                       texts::kInstallFolder);

    services.WriteRegistryValue(texts::kCurrentUserRoot, texts::kInstallDriveValue, InstallDrive(services));
    services.WriteBytesToFile(AtInstallDrive(services, texts::kUninstallerFile), {payloads.uninstallerImage});
    WriteQuotesSetting(services, texts::kOrderKey, texts::kTradeProgram);
    WriteQuotesSetting(services, texts::kBasePathKey, texts::kQuotesFolder);
    WriteQuotesSetting(services, texts::kAlertKey, texts::kAlertSound);

    services.ShowMessage(texts::kSuccessMessage, texts::kInformationOk, Text(texts::kMessageTitle), kMessageOwner);
    services.EndProgram(0);
}

}  // namespace

void OnInstallPressed(Services& services, const InstallerPayloads& payloads, int32_t, int32_t, int32_t) {
    StopClientPrograms(services);
    services.DelayWithEvents(texts::kWaitMilliseconds);
    // The window may have been closed during the wait: then there is no drive
    // box to read, and the program is about to end normally.
    if (!services.WindowExists(texts::kMainWindow)) return;

    RemovePreviousInstallation(services);
    CreateInstallFolder(services);
    RemoveOldShortcuts(services);

    int32_t written =
        services.WriteBytesToFile(AtInstallDrive(services, texts::kClientArchive), {payloads.clientArchive});
    int32_t extracted = ExtractClientArchive(services);
    if (written == 1 && extracted == 1) {
        CompleteInstallation(services, payloads);
        return;
    }
    services.ShowMessage(texts::kFailureMessage, texts::kInformationOk, Text(texts::kMessageTitle), kMessageOwner);
}

}  // namespace varnesse
