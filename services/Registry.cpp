// Registry values: every call opens its key, works and closes it. A read
// that fails for any reason gives the default; a write that fails gives 0.
#include <algorithm>
#include <string>
#include <vector>

#include "services/Owners.h"
#include "services/RegistryPath.h"
#include "services/Win32Services.h"

namespace varnesse {
namespace {

// REG_SZ or REG_EXPAND_SZ data with at least one data byte, or nothing.
std::optional<std::string> QueryTextData(HKEY key, const std::string& valueName, DWORD& type) {
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) return std::nullopt;
    std::vector<char> data(size);
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // Data without a terminating zero is taken whole.
    return std::string(data.data(), std::min<size_t>(size, data.size()));
}

// The size the ANSI function reports can count characters rather than bytes,
// which is too small for double-byte text: the buffer allows two bytes for each.
std::optional<std::string> ExpandReferences(const std::string& text) {
    DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::vector<char> expanded(static_cast<size_t>(needed) * 2 + 1, '\0');
    DWORD size = static_cast<DWORD>(expanded.size() - 1);
    DWORD used = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size);
    if (used == 0 || used > size) return std::nullopt;
    return std::string(expanded.data());
}

struct StoredForm {
    DWORD type;
    const BYTE* data;
    DWORD size;
};

// Text as REG_SZ with its terminating zero, a number as REG_DWORD, bytes as
// REG_BINARY; anything else has no stored form.
std::optional<StoredForm> StoredFormOf(const RegistryValue& value) {
    if (const Text* text = std::get_if<Text>(&value)) {
        return StoredForm{REG_SZ, reinterpret_cast<const BYTE*>(text->CString()),
                          static_cast<DWORD>(text->Length() + 1)};
    }
    if (const int32_t* number = std::get_if<int32_t>(&value)) {
        return StoredForm{REG_DWORD, reinterpret_cast<const BYTE*>(number), sizeof(int32_t)};
    }
    if (const ByteBlock* block = std::get_if<ByteBlock>(&value)) {
        return StoredForm{REG_BINARY, block->data, block->length};
    }
    return std::nullopt;
}

}  // namespace

Text Win32Services::ReadRegistryText(int32_t root, const Text& valuePath, std::optional<Text> defaultText) {
    RegistryValuePath path = SplitRegistryPath(valuePath);
    RegistryKey key;
    if (RegOpenKeyExA(RegistryRoot(root), path.keyPath.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS) {
        DWORD type = REG_NONE;
        if (std::optional<std::string> data = QueryTextData(key.Get(), path.valueName, type)) {
            std::string text = data->substr(0, data->find('\0'));
            if (type == REG_SZ) return Text(text);
            if (std::optional<std::string> expanded = ExpandReferences(text)) return Text(*expanded);
        }
    }
    return defaultText.value_or(Text());
}

int32_t Win32Services::WriteRegistryValue(int32_t root, const Text& valuePath, const RegistryValue& value) {
    RegistryValuePath path = SplitRegistryPath(valuePath);
    HKEY rootKey = RegistryRoot(root);
    RegistryKey key;
    if (RegOpenKeyExA(rootKey, path.keyPath.c_str(), 0, KEY_WRITE, key.Put()) != ERROR_SUCCESS &&
        RegCreateKeyA(rootKey, path.keyPath.c_str(), key.Put()) != ERROR_SUCCESS) {
        return 0;
    }
    std::optional<StoredForm> stored = StoredFormOf(value);
    if (!stored) return 0;
    return RegSetValueExA(key.Get(), path.valueName.c_str(), 0, stored->type, stored->data, stored->size) ==
                   ERROR_SUCCESS
               ? 1
               : 0;
}

int32_t Win32Services::DeleteRegistryItem(int32_t root, const Text& valuePath) {
    // An empty path would name the root key itself, which is never deleted.
    if (valuePath.IsEmpty()) return 0;
    RegistryValuePath path = SplitRegistryPath(valuePath);
    HKEY rootKey = RegistryRoot(root);
    {
        RegistryKey key;
        if (RegOpenKeyExA(rootKey, path.keyPath.c_str(), 0, KEY_WRITE, key.Put()) == ERROR_SUCCESS &&
            RegDeleteValueA(key.Get(), path.valueName.c_str()) == ERROR_SUCCESS) {
            return 1;
        }
    }
    // A key with subkeys stays; one without goes with its values.
    return RegDeleteKeyA(rootKey, valuePath.CString()) == ERROR_SUCCESS ? 1 : 0;
}

}  // namespace varnesse
