// Late-bound member calls on automation objects, through the object's own
// type information.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "services/AutomationReference.h"
#include "services/Owners.h"
#include "services/Utf16.h"
#include "services/Win32Services.h"

namespace varnesse {
namespace {

constexpr SYSKIND kNativeSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

// What a call needs to know about a member, copied out of the bound
// description so that the description can be released at once.
struct BoundMember {
    MEMBERID id = 0;
    WORD invokeFlags = 0;
    std::vector<VARTYPE> parameterTypes;
    bool takesVariableArguments = false;
};

bool IsObjectOrArray(VARTYPE type) {
    return type == VT_DISPATCH || type == VT_UNKNOWN || type == VT_SAFEARRAY || (type & VT_ARRAY) != 0;
}

BoundMember FromFunction(const FUNCDESC& function) {
    BoundMember member;
    member.id = function.memid;
    member.invokeFlags = static_cast<WORD>(function.invkind);
    member.takesVariableArguments = function.cParamsOpt == -1;
    for (SHORT i = 0; i < function.cParams; ++i) member.parameterTypes.push_back(function.lprgelemdescParam[i].tdesc.vt);
    return member;
}

// A data member is written as a property (by reference for objects and
// arrays) with one parameter, or read without parameters.
BoundMember FromVariable(const VARDESC& variable, bool writing) {
    BoundMember member;
    member.id = variable.memid;
    const VARTYPE type = variable.elemdescVar.tdesc.vt;
    if (writing) {
        member.invokeFlags = IsObjectOrArray(type) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
        member.parameterTypes.push_back(type);
    } else {
        member.invokeFlags = DISPATCH_PROPERTYGET;
    }
    return member;
}

// Binds `name` as one member kind; nullopt when it does not bind as that kind.
std::optional<BoundMember> BindAs(ITypeComp* binder, std::wstring& name, ULONG hash, WORD kind, bool writing) {
    ComRef<ITypeInfo> owner;
    DESCKIND found = DESCKIND_NONE;
    BINDPTR bound{};
    if (FAILED(binder->Bind(name.data(), hash, kind, owner.Put(), &found, &bound))) return std::nullopt;
    switch (found) {
        case DESCKIND_FUNCDESC: {
            BoundMember member = FromFunction(*bound.lpfuncdesc);
            if (owner) owner->ReleaseFuncDesc(bound.lpfuncdesc);
            return member;
        }
        case DESCKIND_VARDESC: {
            BoundMember member = FromVariable(*bound.lpvardesc, writing);
            if (owner) owner->ReleaseVarDesc(bound.lpvardesc);
            return member;
        }
        case DESCKIND_TYPECOMP:
            if (bound.lptcomp) bound.lptcomp->Release();
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

// The object's IDispatch and the member bound by the first kind that binds.
struct Target {
    ComRef<IDispatch> dispatch;
    BoundMember member;
};

std::optional<Target> BindMember(const AutomationObject& holder, const Text& name, std::initializer_list<WORD> kinds,
                                 bool writing) {
    IUnknown* object = ObjectOf(holder);
    if (!object) return std::nullopt;
    Target target;
    if (FAILED(object->QueryInterface(IID_IDispatch, target.dispatch.PutVoid()))) return std::nullopt;
    const LCID locale = GetUserDefaultLCID();
    ComRef<ITypeInfo> typeInfo;
    if (FAILED(target.dispatch->GetTypeInfo(0, locale, typeInfo.Put())) || !typeInfo) return std::nullopt;
    ComRef<ITypeComp> binder;
    if (FAILED(typeInfo->GetTypeComp(binder.Put())) || !binder) return std::nullopt;
    std::wstring wideName = ToUtf16(name);
    const ULONG hash = LHashValOfNameSys(kNativeSysKind, locale, wideName.c_str());
    for (WORD kind : kinds) {
        if (auto member = BindAs(binder.Get(), wideName, hash, kind, writing)) {
            target.member = std::move(*member);
            return target;
        }
    }
    return std::nullopt;
}

// The VARIANT form of one argument: a BSTR from the ANSI text, VT_I4, or
// VT_ERROR/DISP_E_PARAMNOTFOUND for a left-out position.
void PutArgument(const AutomationArgument& argument, VARIANT* value) {
    if (const auto* text = std::get_if<Text>(&argument)) {
        V_VT(value) = VT_BSTR;
        V_BSTR(value) = BStr(ToUtf16(*text).c_str()).Detach();
    } else if (const auto* number = std::get_if<int32_t>(&argument)) {
        V_VT(value) = VT_I4;
        V_I4(value) = *number;
    } else {
        V_VT(value) = VT_ERROR;
        V_ERROR(value) = DISP_E_PARAMNOTFOUND;
    }
}

// Invokes the bound member with the arguments; the result lands in `result`.
// More arguments than the member declares fail before the object is called.
bool Invoke(const Target& target, const std::vector<AutomationArgument>& arguments, VariantValue& result) {
    size_t count = arguments.size();
    while (count > 0 && std::holds_alternative<OmittedArgument>(arguments[count - 1])) --count;
    const BoundMember& member = target.member;
    if (count > member.parameterTypes.size() && !member.takesVariableArguments) return false;

    // Last argument first, as Invoke expects.
    std::vector<VariantValue> values(count);
    for (size_t i = 0; i < count; ++i) {
        VARIANT* value = values[count - 1 - i].Get();
        PutArgument(arguments[i], value);
        if (std::holds_alternative<OmittedArgument>(arguments[i]) || i >= member.parameterTypes.size()) continue;
        const VARTYPE declared = member.parameterTypes[i];
        if (declared != VT_VARIANT) VariantChangeType(value, value, 0, declared);  // unchanged when it fails
    }
    std::vector<VARIANT> raw(count);
    for (size_t i = 0; i < count; ++i) raw[i] = *values[i].Get();  // shallow: `values` keeps ownership

    DISPID putName = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{};
    parameters.rgvarg = count ? raw.data() : nullptr;
    parameters.cArgs = static_cast<UINT>(count);
    if (member.invokeFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        parameters.rgdispidNamedArgs = &putName;
        parameters.cNamedArgs = 1;
    }
    const HRESULT called = target.dispatch->Invoke(member.id, IID_NULL, GetUserDefaultLCID(), member.invokeFlags,
                                                   &parameters, result.Get(), nullptr, nullptr);
    return SUCCEEDED(called);
}

}  // namespace

// A new holder with the method's result when that result is an object; an
// empty one otherwise and on any failure.
AutomationObject Win32Services::CallMethod(const AutomationObject& holder, const Text& member,
                                           const std::vector<AutomationArgument>& arguments) {
    auto target = BindMember(holder, member,
                             {INVOKE_FUNC, INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT, INVOKE_PROPERTYPUTREF}, false);
    if (!target) return AutomationObject();
    VariantValue result;
    if (!Invoke(*target, arguments, result)) return AutomationObject();
    if (FAILED(VariantChangeType(result.Get(), result.Get(), 0, VT_UNKNOWN)) || !V_UNKNOWN(result.Get())) {
        return AutomationObject();
    }
    ComRef<IUnknown> object;
    object.Attach(V_UNKNOWN(result.Get()));
    V_VT(result.Get()) = VT_EMPTY;  // the reference now belongs to `object`
    return AutomationObject(std::make_unique<ComAutomationReference>(std::move(object)));
}

bool Win32Services::WriteProperty(const AutomationObject& holder, const Text& property,
                                  const AutomationArgument& value) {
    auto target = BindMember(holder, property, {INVOKE_PROPERTYPUT, INVOKE_PROPERTYPUTREF, INVOKE_FUNC}, true);
    if (!target) return false;
    VariantValue result;
    return Invoke(*target, {value}, result);
}

}  // namespace varnesse
