// The services on the real Win32 functions. Each group of operations is
// defined in its own unit (Files, Registry, Processes, ShellFolders,
// Automation, ZipExtraction, window/...).
#pragma once

#include "services/Services.h"
#include "services/window/WindowDescription.h"

namespace varnesse {

class Win32Services final : public Services {
public:
    Win32Services() = default;
    explicit Win32Services(WindowDescriptionSource windows) : windows_(std::move(windows)) {}
    const WindowDescriptionSource& WindowSource() const { return windows_; }

    int32_t FileExists(const Text& path) override;
    int32_t MakeDirectory(const Text& path) override;
    int32_t RemoveDirectoryTree(const Text& path) override;
    int32_t RemoveFile(const Text& path) override;
    int32_t WriteBytesToFile(const Text& path, const std::vector<ByteBlock>& blocks) override;
    int32_t WriteIniValue(const Text& file, const Text& section, std::optional<Text> key,
                          std::optional<Text> value) override;

    Text ReadRegistryText(int32_t root, const Text& valuePath, std::optional<Text> defaultText) override;
    int32_t WriteRegistryValue(int32_t root, const Text& valuePath, const RegistryValue& value) override;
    int32_t DeleteRegistryItem(int32_t root, const Text& valuePath) override;

    std::vector<ProcessInfo> ListProcesses() override;
    bool RunCommandLine(const Text& commandLine, std::optional<bool> wait, std::optional<int32_t> showMode) override;
    void DelayWithEvents(int32_t milliseconds) override;
    int32_t ShowMessage(const Text& text, int32_t flags, std::optional<Text> title,
                        std::optional<MessageOwner> owner) override;
    [[noreturn]] void EndProgram(int32_t exitCode) override;

    TextList ListDrives(std::optional<int32_t> kind) override;

    void StartWindowRuntime() override;
    void AddExitCallback(ExitCallback callback) override;
    void LoadStartWindow(int32_t windowId) override;
    void RunMessageLoop() override;
    bool WindowExists(int32_t windowId) override;
    PropertyValue ReadControlProperty(int32_t windowId, int32_t controlId, int32_t property,
                                      int32_t selector) override;
    void WriteControlProperty(int32_t windowId, int32_t controlId, int32_t property, int32_t selector,
                              const PropertyValue& value, int32_t highHalf) override;

    Text GetSpecialFolder(int32_t kind) override;
    bool CreateShellShortcut(const Text& linkPath, const Text& target, std::optional<Text> description,
                             std::optional<Text> arguments, std::optional<Text> workingFolder) override;

    bool CreateAutomationObject(AutomationObject& holder, const Text& name,
                                std::optional<Text> typeLibraryFile) override;
    AutomationObject CallMethod(const AutomationObject& holder, const Text& member,
                                const std::vector<AutomationArgument>& arguments) override;
    bool WriteProperty(const AutomationObject& holder, const Text& property,
                       const AutomationArgument& value) override;
    bool IsEmpty(const AutomationObject& holder) override;
    void Clear(AutomationObject& holder) override;

    int32_t ExtractArchive(const WindowUnit& component, const Text& archivePath, const Text& targetFolder) override;

    Text PathFindFileName(const Text& path) override;
    Text PathFindExtension(const Text& path) override;
    std::optional<Text> ShellFolderPath(int32_t csidl) override;
    std::optional<Text> WindowsDirectory() override;
    std::optional<Text> SystemDirectory() override;
    std::optional<Text> TempPath() override;

private:
    WindowDescriptionSource windows_;
};

}  // namespace varnesse
