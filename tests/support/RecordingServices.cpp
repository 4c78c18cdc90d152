#include "tests/support/RecordingServices.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "services/FatalError.h"

namespace varnesse {
namespace {

std::string Show(const Text& text) { return "\"" + text.Bytes() + "\""; }
std::string Show(int32_t number) { return std::to_string(number); }
std::string Show(bool value) { return value ? "true" : "false"; }
std::string Show(const ByteBlock& block) {
    return "block(\"" + std::string(reinterpret_cast<const char*>(block.data), block.length) + "\")";
}
std::string Show(const WindowUnit& unit) {
    char control[16];
    std::snprintf(control, sizeof control, "0x%08X", static_cast<unsigned>(unit.controlId));
    return "unit(" + std::to_string(unit.windowId) + ", " + control + ")";
}
std::string Show(const MessageOwner& owner) {
    if (const WindowUnit* unit = std::get_if<WindowUnit>(&owner)) return Show(*unit);
    return "handle(" + std::to_string(std::get<int32_t>(owner)) + ")";
}
std::string Show(const RegistryValue& value) {
    return std::visit([](const auto& v) { return Show(v); }, value);
}
std::string Show(const PropertyValue& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return "nothing"; }
        std::string operator()(int32_t v) const { return Show(v); }
        std::string operator()(bool v) const { return Show(v); }
        std::string operator()(const Text& v) const { return Show(v); }
        std::string operator()(const Bytes& v) const { return "bytes(" + std::to_string(v.size()) + ")"; }
    };
    return std::visit(Visitor{}, value);
}
std::string Show(const AutomationArgument& argument) {
    struct Visitor {
        std::string operator()(OmittedArgument) const { return "<left out>"; }
        std::string operator()(const Text& v) const { return Show(v); }
        std::string operator()(int32_t v) const { return Show(v); }
    };
    return std::visit(Visitor{}, argument);
}
template <typename T>
std::string Show(const std::optional<T>& value) {
    return value ? Show(*value) : "<left out>";
}
template <typename T>
std::string ShowList(const std::vector<T>& items) {
    std::string shown = "[";
    for (size_t i = 0; i < items.size(); ++i) shown += (i ? ", " : "") + Show(items[i]);
    return shown + "]";
}

template <typename... Arguments>
std::string Call(const char* name, const Arguments&... arguments) {
    std::string line = std::string(name) + "(";
    bool first = true;
    ((line += (first ? "" : ", ") + Show(arguments), first = false), ...);
    return line + ")";
}

std::string Key(const Text& path) { return ToLowerText(path).Bytes(); }

bool IsUnder(const std::string& key, const std::string& folderKey) {
    return key == folderKey || key.compare(0, folderKey.size() + 1, folderKey + "\\") == 0;
}

constexpr int32_t kDriveBox = 369164291;
constexpr int32_t kCurrentDrive = 8;

class FakeReference : public AutomationReference {
public:
    explicit FakeReference(int number) : number(number) {}
    int number;
};

std::string ShowHolder(const AutomationObject& holder) {
    if (!holder.Holds()) return "empty";
    return "obj" + std::to_string(static_cast<const FakeReference*>(holder.Reference())->number);
}

}  // namespace

void RecordingServices::AddFolder(const Text& path) { folders_.insert(Key(path)); }
void RecordingServices::AddFile(const Text& path) { files_.insert(Key(path)); }
bool RecordingServices::Exists(const Text& path) const {
    return folders_.count(Key(path)) != 0 || files_.count(Key(path)) != 0;
}
bool RecordingServices::IsFolder(const Text& path) const { return folders_.count(Key(path)) != 0; }

void RecordingServices::Fire(int32_t windowId, int32_t unitId, int32_t event, const std::vector<int32_t>& arguments) {
    for (const WindowDescription& window : windows_) {
        if (window.windowId != windowId) continue;
        for (const UnitDescription& unit : window.units) {
            if (unit.id != unitId) continue;
            for (const BoundEvent& bound : unit.events)
                if (bound.event == event) bound.handler(arguments);
        }
    }
}

int32_t RecordingServices::FileExists(const Text& path) {
    Record(Call("FileExists", path));
    return Exists(path) ? 1 : 0;
}

int32_t RecordingServices::MakeDirectory(const Text& path) {
    Record(Call("MakeDirectory", path));
    if (refusedFolders.count(path.Bytes()) != 0 || Exists(path)) return 0;
    AddFolder(path);
    return 1;
}

int32_t RecordingServices::RemoveDirectoryTree(const Text& path) {
    Record(Call("RemoveDirectoryTree", path));
    std::string folder = Key(path);
    if (folders_.count(folder) == 0) return 0;
    for (std::set<std::string>* entries : {&folders_, &files_}) {
        for (auto it = entries->begin(); it != entries->end();)
            it = IsUnder(*it, folder) ? entries->erase(it) : std::next(it);
    }
    return 1;
}

int32_t RecordingServices::RemoveFile(const Text& path) {
    Record(Call("RemoveFile", path));
    return files_.erase(Key(path)) != 0 ? 1 : 0;
}

int32_t RecordingServices::WriteBytesToFile(const Text& path, const std::vector<ByteBlock>& blocks) {
    Record("WriteBytesToFile(" + Show(path) + ", " + ShowList(blocks) + ")");
    auto scripted = writeResults.find(path.Bytes());
    int32_t result = scripted == writeResults.end() ? 1 : scripted->second;
    if (result == 1) AddFile(path);
    return result;
}

int32_t RecordingServices::WriteIniValue(const Text& file, const Text& section, std::optional<Text> key,
                                         std::optional<Text> value) {
    Record(Call("WriteIniValue", file, section, key, value));
    return 1;
}

Text RecordingServices::ReadRegistryText(int32_t root, const Text& valuePath, std::optional<Text> defaultText) {
    Record(Call("ReadRegistryText", root, valuePath, defaultText));
    auto stored = registry.find({root, valuePath.Bytes()});
    if (stored != registry.end()) {
        if (const Text* text = std::get_if<Text>(&stored->second)) return *text;
    }
    return defaultText.value_or(Text());
}

int32_t RecordingServices::WriteRegistryValue(int32_t root, const Text& valuePath, const RegistryValue& value) {
    Record(Call("WriteRegistryValue", root, valuePath, value));
    registry[{root, valuePath.Bytes()}] = value;
    return 1;
}

int32_t RecordingServices::DeleteRegistryItem(int32_t root, const Text& valuePath) {
    Record(Call("DeleteRegistryItem", root, valuePath));
    int32_t removed = 0;
    for (auto it = registry.begin(); it != registry.end();) {
        if (it->first.first == root && IsUnder(it->first.second, valuePath.Bytes())) {
            it = registry.erase(it);
            removed = 1;
        } else {
            ++it;
        }
    }
    return removed;
}

std::vector<ProcessInfo> RecordingServices::ListProcesses() {
    Record("ListProcesses()");
    return processes;
}

bool RecordingServices::RunCommandLine(const Text& commandLine, std::optional<bool> wait,
                                       std::optional<int32_t> showMode) {
    Record(Call("RunCommandLine", commandLine, wait, showMode));
    return true;
}

void RecordingServices::DelayWithEvents(int32_t milliseconds) {
    Record(Call("DelayWithEvents", milliseconds));
    if (duringDelay.empty()) return;
    std::function<void()> events = std::move(duringDelay.front());
    duringDelay.pop_front();
    events();
}

int32_t RecordingServices::ShowMessage(const Text& text, int32_t flags, std::optional<Text> title,
                                       std::optional<MessageOwner> owner) {
    Record(Call("ShowMessage", text, flags, title, owner));
    if (messageAnswers.empty()) return 0;
    int32_t answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

void RecordingServices::EndProgram(int32_t exitCode) {
    Record(Call("EndProgram", exitCode));
    std::vector<ExitCallback> callbacks;
    callbacks.swap(exitCallbacks_);
    for (ExitCallback callback : callbacks) {
        Record("(exit callback)");
        callback();
    }
    throw ProgramEnded{exitCode};
}

TextList RecordingServices::ListDrives(std::optional<int32_t> kind) {
    Record(Call("ListDrives", kind));
    auto listed = drivesOfKind.find(kind.value_or(0));
    return listed == drivesOfKind.end() ? TextList() : listed->second;
}

void RecordingServices::StartWindowRuntime() {
    Record("StartWindowRuntime()");
    if (windowSource_) windows_ = windowSource_(*this);
}

void RecordingServices::AddExitCallback(ExitCallback callback) {
    Record("AddExitCallback()");
    exitCallbacks_.push_back(callback);
}

void RecordingServices::LoadStartWindow(int32_t windowId) {
    Record(Call("LoadStartWindow", windowId));
    for (const WindowDescription& window : windows_) {
        if (window.windowId != windowId) continue;
        openWindows_.insert(windowId);
        if (!window.units.empty()) Fire(windowId, window.units.front().id, 0, {});
        return;
    }
    RaiseFatalRuntimeError(FatalError{std::nullopt, "window not described"});
}

void RecordingServices::RunMessageLoop() {
    Record("RunMessageLoop()");
    for (const std::function<void()>& action : duringMessageLoop) action();
}

bool RecordingServices::WindowExists(int32_t windowId) {
    Record(Call("WindowExists", windowId));
    return openWindows_.count(windowId) != 0;
}

void RecordingServices::RequireWindow(int32_t windowId) const {
    if (openWindows_.count(windowId) == 0) RaiseFatalRuntimeError(FatalError{std::nullopt, "window not loaded"});
}

PropertyValue RecordingServices::ReadControlProperty(int32_t windowId, int32_t controlId, int32_t property,
                                                     int32_t selector) {
    Record(Call("ReadControlProperty", windowId, controlId, property, selector));
    RequireWindow(windowId);
    if (controlId == kDriveBox && property == kCurrentDrive) return currentDrive;
    return std::monostate{};
}

void RecordingServices::WriteControlProperty(int32_t windowId, int32_t controlId, int32_t property, int32_t selector,
                                             const PropertyValue& value, int32_t highHalf) {
    Record(Call("WriteControlProperty", windowId, controlId, property, selector, value, highHalf));
    RequireWindow(windowId);
    const Text* drive = std::get_if<Text>(&value);
    // The drive box takes the first character as the drive letter.
    if (controlId == kDriveBox && property == kCurrentDrive && drive && !drive->IsEmpty())
        currentDrive = Text(std::string(1, static_cast<char>(std::toupper(drive->Bytes()[0]))));
}

Text RecordingServices::GetSpecialFolder(int32_t kind) {
    Record(Call("GetSpecialFolder", kind));
    auto folder = specialFolders.find(kind);
    return folder == specialFolders.end() ? Text() : folder->second;
}

bool RecordingServices::CreateShellShortcut(const Text& linkPath, const Text& target, std::optional<Text> description,
                                            std::optional<Text> arguments, std::optional<Text> workingFolder) {
    Record(Call("CreateShellShortcut", linkPath, target, description, arguments, workingFolder));
    return true;
}

AutomationObject RecordingServices::NewObject() {
    return AutomationObject(std::make_unique<FakeReference>(++nextObject_));
}

bool RecordingServices::CreateAutomationObject(AutomationObject& holder, const Text& name,
                                               std::optional<Text> typeLibraryFile) {
    Record(Call("CreateAutomationObject", name, typeLibraryFile));
    if (!scriptHostAvailable) return false;
    holder = NewObject();
    return true;
}

AutomationObject RecordingServices::CallMethod(const AutomationObject& holder, const Text& member,
                                               const std::vector<AutomationArgument>& arguments) {
    Record("CallMethod(" + ShowHolder(holder) + ", " + Show(member) + ", " + ShowList(arguments) + ")");
    if (member == Text("CreateShortcut") && shortcutObjectEmpty) return AutomationObject();
    return NewObject();
}

bool RecordingServices::WriteProperty(const AutomationObject& holder, const Text& property,
                                      const AutomationArgument& value) {
    Record("WriteProperty(" + ShowHolder(holder) + ", " + Show(property) + ", " + Show(value) + ")");
    return refusedProperties.count(property.Bytes()) == 0;
}

bool RecordingServices::IsEmpty(const AutomationObject& holder) {
    Record("IsEmpty(" + ShowHolder(holder) + ")");
    return !holder.Holds();
}

void RecordingServices::Clear(AutomationObject& holder) {
    Record("Clear(" + ShowHolder(holder) + ")");
    holder.Release();
}

int32_t RecordingServices::ExtractArchive(const WindowUnit& component, const Text& archivePath,
                                          const Text& targetFolder) {
    Record(Call("ExtractArchive", component, archivePath, targetFolder));
    return extractResult;
}

// Like the shell's helpers: the file name starts after the last "\", "/" or
// ":" that is followed by more of the name; the extension is the last "." of
// the last component, a blank ending it; double-byte characters are skipped.
Text RecordingServices::PathFindFileName(const Text& path) {
    Record(Call("PathFindFileName", path));
    const std::string& bytes = path.Bytes();
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); i += static_cast<unsigned char>(bytes[i]) >= 0x80 ? 2 : 1) {
        char c = bytes[i];
        if ((c == '\\' || c == '/' || c == ':') && i + 1 < bytes.size() && bytes[i + 1] != '\\' && bytes[i + 1] != '/')
            start = i + 1;
    }
    return Text(std::string_view(bytes).substr(std::min(start, bytes.size())));
}

Text RecordingServices::PathFindExtension(const Text& path) {
    Record(Call("PathFindExtension", path));
    const std::string& bytes = path.Bytes();
    std::optional<size_t> dot;
    for (size_t i = 0; i < bytes.size(); i += static_cast<unsigned char>(bytes[i]) >= 0x80 ? 2 : 1) {
        if (bytes[i] == '\\' || bytes[i] == ' ') dot.reset();
        else if (bytes[i] == '.') dot = i;
    }
    return dot ? Text(std::string_view(bytes).substr(*dot)) : Text();
}

std::optional<Text> RecordingServices::ShellFolderPath(int32_t csidl) {
    Record(Call("ShellFolderPath", csidl));
    auto folder = shellFolders.find(csidl);
    if (folder == shellFolders.end()) return std::nullopt;
    return folder->second;
}

std::optional<Text> RecordingServices::WindowsDirectory() {
    Record("WindowsDirectory()");
    return windowsDirectory;
}

std::optional<Text> RecordingServices::SystemDirectory() {
    Record("SystemDirectory()");
    return systemDirectory;
}

std::optional<Text> RecordingServices::TempPath() {
    Record("TempPath()");
    return tempPath;
}

}  // namespace varnesse
