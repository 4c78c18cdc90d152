// A fake of the service interface for the logic's unit tests. Every call is
// recorded as one comparable text line with its arguments (a left-out
// optional argument shows as <left out>, an empty text as ""); answers come
// from the script below, which the test sets up before the run.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "services/Services.h"
#include "services/window/WindowDescription.h"

namespace varnesse {

// Thrown by EndProgram after the exit callbacks have run.
struct ProgramEnded {
    int32_t code;
};

class RecordingServices : public Services {
public:
    explicit RecordingServices(WindowDescriptionSource windows = {}) : windowSource_(std::move(windows)) {}

    // ---- The script ----
    std::vector<ProcessInfo> processes;
    // Existing folders and files; names match without regard to ASCII case.
    void AddFolder(const Text& path);
    void AddFile(const Text& path);
    bool Exists(const Text& path) const;
    bool IsFolder(const Text& path) const;
    std::set<std::string> refusedFolders;           // MakeDirectory answers 0 for these
    std::map<std::string, int32_t> writeResults;    // WriteBytesToFile answers, by path; 1 otherwise
    int32_t extractResult = 1;
    std::map<std::pair<int32_t, std::string>, RegistryValue> registry;  // (root, value path)
    std::map<int32_t, TextList> drivesOfKind;
    std::map<int32_t, Text> specialFolders;                  // GetSpecialFolder by kind
    std::map<int32_t, Text> shellFolders;                    // ShellFolderPath by CSIDL; missing fails
    std::optional<Text> windowsDirectory, systemDirectory, tempPath;
    Text currentDrive = "C";                                 // the drive box's CurrentDrive
    std::deque<int32_t> messageAnswers;                      // ShowMessage results; 0 (OK) when used up
    bool scriptHostAvailable = true;                         // CreateAutomationObject
    bool shortcutObjectEmpty = false;                        // "CreateShortcut" gives nothing
    std::set<std::string> refusedProperties;                 // WriteProperty answers false
    // Run, one each, by successive DelayWithEvents calls (events during the wait).
    std::deque<std::function<void()>> duringDelay;
    // Run in order by RunMessageLoop (the user's actions while the window is up).
    std::vector<std::function<void()>> duringMessageLoop;

    // ---- What the test sees ----
    std::vector<std::string> calls;
    void CloseWindow(int32_t windowId) { openWindows_.erase(windowId); }
    // Fires an event of a unit through the bound handlers of the descriptions.
    void Fire(int32_t windowId, int32_t unitId, int32_t event, const std::vector<int32_t>& arguments);

    // ---- Services ----
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
    void Record(std::string line) { calls.push_back(std::move(line)); }
    AutomationObject NewObject();
    void RequireWindow(int32_t windowId) const;

    WindowDescriptionSource windowSource_;
    std::vector<WindowDescription> windows_;
    std::set<int32_t> openWindows_;
    std::vector<ExitCallback> exitCallbacks_;
    std::set<std::string> folders_, files_;  // lower-cased
    int nextObject_ = 0;
};

}  // namespace varnesse
