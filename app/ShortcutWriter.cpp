#include "app/ShortcutWriter.h"

#include "app/InstallerTexts.h"
#include "app/SpecialFolderPath.h"

namespace varnesse {
namespace {

// The folder part of the target with every separator kept: D:\A\run.exe
// gives D:\A\ and D:\run.exe gives D:\.
Text WorkingFolderOf(const TextList& targetParts) {
    Text folder;
    for (int32_t position = 1; position < targetParts.Count(); ++position)
        folder = JoinText(folder, targetParts.At(position), texts::kSeparator);
    return folder;
}

// Every link lands in the desktop folder, whatever folder the name gave.
Text LinkFilePath(Services& services, const Text& linkName) {
    Text name = linkName;
    if (FindText(name, texts::kSeparator, std::nullopt, false) != -1) name = FileTitleOf(services, name);
    if (FindText(name, texts::kLinkSuffix, std::nullopt, true) != -1) return JoinText(SpecialFolderPath(services), name);
    return JoinText(SpecialFolderPath(services), name, texts::kLinkSuffix);
}

}  // namespace

bool CreateShortcutLink(Services& services, Text& linkName, const Text& target, std::optional<Text> arguments,
                        std::optional<Text> iconLocation, std::optional<int32_t> windowStyle,
                        std::optional<Text> description, std::optional<Text> hotKey) {
    linkName = LinkFilePath(services, linkName);
    if (services.FileExists(linkName) != 0) services.RemoveFile(linkName);

    TextList targetParts = SplitText(target, Text(texts::kSeparator));
    if (targetParts.Count() < 2) return false;
    Text workingFolder = WorkingFolderOf(targetParts);

    AutomationObject shell;
    if (!services.CreateAutomationObject(shell, texts::kScriptShell, Text(texts::kScriptShellLibrary))) return false;
    AutomationObject shortcut = services.CallMethod(shell, texts::kCreateShortcut, {linkName});
    services.Clear(shell);
    if (services.IsEmpty(shortcut)) return false;

    if (!services.WriteProperty(shortcut, texts::kTargetPath, target)) {
        services.Clear(shortcut);
        return false;
    }
    services.WriteProperty(shortcut, texts::kWorkingDirectory, workingFolder);
    if (iconLocation) {
        services.WriteProperty(shortcut, texts::kIconLocation, *iconLocation);
    } else if (CompareText(ExtensionOf(services, target), "") != 0) {
        services.WriteProperty(shortcut, texts::kIconLocation, JoinText(target, texts::kFirstIcon));
    } else {
        services.WriteProperty(shortcut, texts::kIconLocation, Text(texts::kFallbackIcon));
    }
    services.WriteProperty(shortcut, texts::kWindowStyle, windowStyle.value_or(0));
    services.WriteProperty(shortcut, texts::kDescription, description.value_or(Text()));
    services.WriteProperty(shortcut, texts::kArguments, arguments.value_or(Text()));
    services.WriteProperty(shortcut, texts::kHotkey, hotKey.value_or(Text()));

    AutomationObject saved = services.CallMethod(shortcut, texts::kSave, {});
    services.Clear(shortcut);
    services.Clear(saved);
    return true;
}

Text FileTitleOf(Services& services, const Text& path, std::optional<bool> keepExtension) {
    Text component = services.PathFindFileName(path);
    if (keepExtension.value_or(false)) return component;
    Text extension = ExtensionOf(services, component);
    return LeftText(component, TextLength(component) - TextLength(extension));
}

Text ExtensionOf(Services& services, const Text& path) { return services.PathFindExtension(path); }

}  // namespace varnesse
