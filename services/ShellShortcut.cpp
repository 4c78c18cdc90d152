// Shortcut files through the shell's link object.
#include <windows.h>
#include <shlobj.h>

#include "services/Owners.h"
#include "services/Utf16.h"
#include "services/Win32Services.h"

namespace varnesse {
namespace {

// The target's window opens in its current size and place (SW_SHOW, 5).
constexpr int kShowCurrent = SW_SHOW;

// ".lnk" is added only to a path without any dot at all.
Text LinkFileName(const Text& linkPath) {
    if (linkPath.Bytes().find('.') != std::string::npos) return linkPath;
    return JoinText(linkPath, ".lnk");
}

}  // namespace

// True when the link file was saved. Left-out texts are not set; empty ones
// are set empty. COM must already be initialised on the calling thread.
bool Win32Services::CreateShellShortcut(const Text& linkPath, const Text& target, std::optional<Text> description,
                                        std::optional<Text> arguments, std::optional<Text> workingFolder) {
    ComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid()))) {
        return false;
    }
    ComRef<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (!file) return false;
    link->SetPath(target.CString());
    link->SetShowCmd(kShowCurrent);
    if (description) link->SetDescription(description->CString());
    if (arguments) link->SetArguments(arguments->CString());
    if (workingFolder) link->SetWorkingDirectory(workingFolder->CString());
    const std::wstring fileName = ToUtf16(LinkFileName(linkPath));
    return SUCCEEDED(file->Save(fileName.c_str(), TRUE));
}

}  // namespace varnesse
