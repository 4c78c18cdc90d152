// The one door through which the installer and the uninstaller logic reach
// the runtime and the operating system. Results report failure (1/0,
// true/false, -1, empty texts or lists, defaults); nothing here throws.
// An argument in std::optional may be left out, which is not the same as an
// empty text or a 0: each operation gives its own default.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "services/ByteBlock.h"
#include "services/Text.h"

namespace varnesse {

struct ProcessInfo {
    uint32_t ProcessId = 0;
    Text ExeName;
    uint32_t ModuleId = 0;
    uint32_t ParentProcessId = 0;
    int32_t BasePriority = 0;
    uint32_t ThreadCount = 0;
};

// A window of the program named by its window identifier and the identifier
// of one of its units (0x06010000 names the window itself).
struct WindowUnit {
    int32_t windowId = 0;
    int32_t controlId = 0;
};
// Owner of a message box: a window of the program, or a raw window handle.
using MessageOwner = std::variant<WindowUnit, int32_t>;

// A value stored by the registry writer: text (REG_SZ), number (REG_DWORD)
// or bytes (REG_BINARY). Anything else stores nothing.
using RegistryValue = std::variant<Text, int32_t, ByteBlock, bool>;

// Values of control properties: nothing, an integer or colour, a logical
// value, a text, or a run of bytes (fonts, pictures).
using Bytes = std::vector<uint8_t>;
using PropertyValue = std::variant<std::monostate, int32_t, bool, Text, Bytes>;

// One live reference held by an AutomationObject; the implementation behind
// it releases its COM reference when destroyed.
class AutomationReference {
public:
    virtual ~AutomationReference() = default;
};

// A holder of at most one automation object; it releases what it holds when
// cleared or destroyed.
class AutomationObject {
public:
    AutomationObject() = default;
    explicit AutomationObject(std::unique_ptr<AutomationReference> reference)
        : reference_(std::move(reference)) {}
    bool Holds() const { return reference_ != nullptr; }
    void Release() { reference_.reset(); }
    AutomationReference* Reference() const { return reference_.get(); }

private:
    std::unique_ptr<AutomationReference> reference_;
};

// An argument of an automation call: left out, a text (sent as BSTR) or a
// 32-bit integer (sent as VT_I4).
struct OmittedArgument {
    friend bool operator==(OmittedArgument, OmittedArgument) { return true; }
};
using AutomationArgument = std::variant<OmittedArgument, Text, int32_t>;

using ExitCallback = void (*)();

class Services {
public:
    virtual ~Services() = default;

    // Files, folders and INI values.
    virtual int32_t FileExists(const Text& path) = 0;
    virtual int32_t MakeDirectory(const Text& path) = 0;
    virtual int32_t RemoveDirectoryTree(const Text& path) = 0;
    virtual int32_t RemoveFile(const Text& path) = 0;
    virtual int32_t WriteBytesToFile(const Text& path, const std::vector<ByteBlock>& blocks) = 0;
    virtual int32_t WriteIniValue(const Text& file, const Text& section, std::optional<Text> key,
                                  std::optional<Text> value) = 0;

    // Registry values.
    virtual Text ReadRegistryText(int32_t root, const Text& valuePath, std::optional<Text> defaultText) = 0;
    virtual int32_t WriteRegistryValue(int32_t root, const Text& valuePath, const RegistryValue& value) = 0;
    virtual int32_t DeleteRegistryItem(int32_t root, const Text& valuePath) = 0;

    // Processes, waiting and messages.
    virtual std::vector<ProcessInfo> ListProcesses() = 0;
    virtual bool RunCommandLine(const Text& commandLine, std::optional<bool> wait,
                                std::optional<int32_t> showMode) = 0;
    virtual void DelayWithEvents(int32_t milliseconds) = 0;
    virtual int32_t ShowMessage(const Text& text, int32_t flags, std::optional<Text> title,
                                std::optional<MessageOwner> owner) = 0;
    [[noreturn]] virtual void EndProgram(int32_t exitCode) = 0;

    // Drives.
    virtual TextList ListDrives(std::optional<int32_t> kind) = 0;

    // Window runtime.
    virtual void StartWindowRuntime() = 0;
    virtual void AddExitCallback(ExitCallback callback) = 0;
    virtual void LoadStartWindow(int32_t windowId) = 0;
    virtual void RunMessageLoop() = 0;
    // Whether a window of the program is still loaded (not yet closed).
    virtual bool WindowExists(int32_t windowId) = 0;
    virtual PropertyValue ReadControlProperty(int32_t windowId, int32_t controlId, int32_t property,
                                              int32_t selector) = 0;
    virtual void WriteControlProperty(int32_t windowId, int32_t controlId, int32_t property, int32_t selector,
                                      const PropertyValue& value, int32_t highHalf) = 0;

    // Shell folders and shortcuts.
    virtual Text GetSpecialFolder(int32_t kind) = 0;
    virtual bool CreateShellShortcut(const Text& linkPath, const Text& target, std::optional<Text> description,
                                     std::optional<Text> arguments, std::optional<Text> workingFolder) = 0;

    // Automation objects.
    virtual bool CreateAutomationObject(AutomationObject& holder, const Text& name,
                                        std::optional<Text> typeLibraryFile) = 0;
    virtual AutomationObject CallMethod(const AutomationObject& holder, const Text& member,
                                        const std::vector<AutomationArgument>& arguments) = 0;
    virtual bool WriteProperty(const AutomationObject& holder, const Text& property,
                               const AutomationArgument& value) = 0;
    virtual bool IsEmpty(const AutomationObject& holder) = 0;
    virtual void Clear(AutomationObject& holder) = 0;

    // ZIP extraction, addressed to an archive component of a window.
    virtual int32_t ExtractArchive(const WindowUnit& component, const Text& archivePath,
                                   const Text& targetFolder) = 0;

    // Shell path helpers used by the shortcut writer and folder resolver.
    virtual Text PathFindFileName(const Text& path) = 0;
    virtual Text PathFindExtension(const Text& path) = 0;
    // The installer's own special-folder sources (kinds of SpecialFolderPath):
    // the raw path from SHGetSpecialFolderPathA(csidl), or from the Windows,
    // system or temporary folder function; nullopt when the call fails.
    virtual std::optional<Text> ShellFolderPath(int32_t csidl) = 0;
    virtual std::optional<Text> WindowsDirectory() = 0;
    virtual std::optional<Text> SystemDirectory() = 0;
    virtual std::optional<Text> TempPath() = 0;
};

}  // namespace varnesse
