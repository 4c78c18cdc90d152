// Creating automation objects and managing their holders.
#include <windows.h>
#include <oleauto.h>
#include <ole2.h>

#include <memory>
#include <string>

#include "services/AutomationReference.h"
#include "services/Owners.h"
#include "services/Utf16.h"
#include "services/Win32Services.h"

namespace varnesse {
namespace {

constexpr SYSKIND kNativeSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

// An instance of the coclass named `name` in the type library `file`; empty
// when the library cannot be loaded, does not hold exactly that one name, or
// the instance cannot be made.
ComRef<IUnknown> CreateThroughTypeLibrary(const Text& name, const Text& file) {
    ComRef<IUnknown> object;
    std::wstring libraryFile = ToUtf16(file);
    ComRef<ITypeLib> library;
    if (FAILED(LoadTypeLib(libraryFile.c_str(), library.Put()))) return object;
    std::wstring searched = ToUtf16(name);  // FindName may rewrite the letter case in place
    const ULONG hash = LHashValOfNameSys(kNativeSysKind, GetUserDefaultLCID(), searched.c_str());
    ITypeInfo* found[1] = {nullptr};
    MEMBERID memberIds[1] = {0};
    USHORT count = 1;
    if (FAILED(library->FindName(searched.data(), hash, found, memberIds, &count)) || count != 1) {
        if (found[0]) found[0]->Release();
        return object;
    }
    ComRef<ITypeInfo> typeInfo;
    typeInfo.Attach(found[0]);
    if (!typeInfo || FAILED(typeInfo->CreateInstance(nullptr, IID_IUnknown, object.PutVoid()))) {
        object.Reset();
        return object;
    }
    if (file.Bytes().find('\\') != std::string::npos) RegisterTypeLib(library.Get(), libraryFile.data(), nullptr);
    return object;
}

// An instance by class identifier ("{...}") or programmatic identifier.
ComRef<IUnknown> CreateByClass(const Text& name) {
    ComRef<IUnknown> object;
    const std::wstring wideName = ToUtf16(name);
    CLSID classId{};
    const HRESULT found = name.Bytes().rfind('{', 0) == 0 ? CLSIDFromString(wideName.c_str(), &classId)
                                                          : CLSIDFromProgID(wideName.c_str(), &classId);
    if (FAILED(found)) return object;
    DWORD servers = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
    HRESULT created = CoCreateInstance(classId, nullptr, servers, IID_IUnknown, object.PutVoid());
    if (created == E_INVALIDARG) {
        servers &= ~static_cast<DWORD>(CLSCTX_REMOTE_SERVER);
        created = CoCreateInstance(classId, nullptr, servers, IID_IUnknown, object.PutVoid());
    }
    if (FAILED(created)) object.Reset();
    return object;
}

}  // namespace

// True when the holder now holds the new object; on failure it keeps what it
// held. COM must already be initialised on the calling thread.
bool Win32Services::CreateAutomationObject(AutomationObject& holder, const Text& name,
                                           std::optional<Text> typeLibraryFile) {
    ComRef<IUnknown> object;
    if (name.Bytes().rfind('{', 0) != 0 && typeLibraryFile) object = CreateThroughTypeLibrary(name, *typeLibraryFile);
    if (!object) object = CreateByClass(name);
    if (!object) return false;
    if (FAILED(OleRun(object.Get()))) return false;
    holder = AutomationObject(std::make_unique<ComAutomationReference>(std::move(object)));
    return true;
}

bool Win32Services::IsEmpty(const AutomationObject& holder) { return !holder.Holds(); }

void Win32Services::Clear(AutomationObject& holder) { holder.Release(); }

}  // namespace varnesse
