// Small owners of the system's handles, keys, searches and COM references:
// each releases what it holds when it goes out of scope, on every path.
// Move-only; the "empty" value is the one the opening call reports on failure.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>
#include <minizip/unzip.h>

#include <utility>

namespace varnesse {

template <typename Traits>
class UniqueOwner {
public:
    using Type = typename Traits::Type;

    UniqueOwner() = default;
    explicit UniqueOwner(Type value) : value_(value) {}
    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;
    UniqueOwner(UniqueOwner&& other) noexcept : value_(other.Detach()) {}
    UniqueOwner& operator=(UniqueOwner&& other) noexcept {
        if (this != &other) Reset(other.Detach());
        return *this;
    }
    ~UniqueOwner() { Reset(); }

    Type Get() const { return value_; }
    bool IsValid() const { return value_ != Traits::Empty(); }
    explicit operator bool() const { return IsValid(); }
    void Reset(Type value = Traits::Empty()) {
        if (IsValid()) Traits::Close(value_);
        value_ = value;
    }
    Type Detach() { return std::exchange(value_, Traits::Empty()); }
    // For calls that hand the value out through a pointer; releases the old one.
    Type* Put() {
        Reset();
        return &value_;
    }

private:
    Type value_ = Traits::Empty();
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return nullptr; }
    static void Close(Type value) { CloseHandle(value); }
};
struct InvalidIsEmptyHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) { CloseHandle(value); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) { FindClose(value); }
};
struct RegistryKeyTraits {
    using Type = HKEY;
    static Type Empty() { return nullptr; }
    static void Close(Type value) { RegCloseKey(value); }
};

template <typename T>
struct GdiObjectTraits {
    using Type = T;
    static Type Empty() { return nullptr; }
    static void Close(Type value) { DeleteObject(value); }
};
struct MemoryDcTraits {
    using Type = HDC;
    static Type Empty() { return nullptr; }
    static void Close(Type value) { DeleteDC(value); }
};

struct IconTraits {
    using Type = HICON;
    static Type Empty() { return nullptr; }
    static void Close(Type value) { DestroyIcon(value); }
};

// Process, thread, event handles: null when empty.
using KernelHandle = UniqueOwner<KernelHandleTraits>;
// CreateFileA handles: INVALID_HANDLE_VALUE when empty.
using FileHandle = UniqueOwner<InvalidIsEmptyHandleTraits>;
// CreateToolhelp32Snapshot handles: INVALID_HANDLE_VALUE when empty.
using SnapshotHandle = UniqueOwner<InvalidIsEmptyHandleTraits>;
// FindFirstFileA searches.
using FindHandle = UniqueOwner<FindHandleTraits>;
using RegistryKey = UniqueOwner<RegistryKeyTraits>;
// Icons made from bytes (CreateIconFromResourceEx), never shared ones.
using IconHandle = UniqueOwner<IconTraits>;
// Brushes, fonts, bitmaps made by the program (never stock objects).
template <typename T>
using GdiObject = UniqueOwner<GdiObjectTraits<T>>;
// CreateCompatibleDC device contexts.
using MemoryDc = UniqueOwner<MemoryDcTraits>;

// A ZIP archive opened by unzOpen2, and its current entry while it is open
// for reading (closing the entry checks its CRC-32; call unzCloseCurrentFile
// on the detached value where that result matters).
struct ArchiveTraits {
    using Type = unzFile;
    static Type Empty() { return nullptr; }
    static void Close(Type value) { unzClose(value); }
};
struct OpenArchiveEntryTraits {
    using Type = unzFile;
    static Type Empty() { return nullptr; }
    static void Close(Type value) { unzCloseCurrentFile(value); }
};
using ArchiveFile = UniqueOwner<ArchiveTraits>;
using OpenArchiveEntry = UniqueOwner<OpenArchiveEntryTraits>;

// One counted COM reference.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : pointer_(other.Detach()) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) Attach(other.Detach());
        return *this;
    }
    ~ComRef() { Reset(); }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void Reset() {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }
    // Takes over a reference the caller already counted.
    void Attach(T* pointer) {
        Reset();
        pointer_ = pointer;
    }
    T* Detach() { return std::exchange(pointer_, nullptr); }
    // A second reference to the same object.
    ComRef Copy() const {
        ComRef copy;
        if (pointer_) {
            pointer_->AddRef();
            copy.pointer_ = pointer_;
        }
        return copy;
    }
    // For out-parameters of calls that hand out a new reference.
    T** Put() {
        Reset();
        return &pointer_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    // Asks the object for another interface; empty on failure.
    template <typename U>
    ComRef<U> As(REFIID iid) const {
        ComRef<U> other;
        if (pointer_) pointer_->QueryInterface(iid, other.PutVoid());
        return other;
    }

private:
    T* pointer_ = nullptr;
};

// A VARIANT cleared on every path.
class VariantValue {
public:
    VariantValue() { VariantInit(&value_); }
    VariantValue(const VariantValue&) = delete;
    VariantValue& operator=(const VariantValue&) = delete;
    VariantValue(VariantValue&& other) noexcept : VariantValue() { std::swap(value_, other.value_); }
    VariantValue& operator=(VariantValue&& other) noexcept {
        if (this != &other) {
            Clear();
            std::swap(value_, other.value_);
        }
        return *this;
    }
    ~VariantValue() { Clear(); }

    VARIANT* Get() { return &value_; }
    const VARIANT* Get() const { return &value_; }
    void Clear() { VariantClear(&value_); }

private:
    VARIANT value_;
};

// A BSTR freed on every path.
class BStr {
public:
    BStr() = default;
    explicit BStr(const wchar_t* text) : value_(SysAllocString(text)) {}
    BStr(const BStr&) = delete;
    BStr& operator=(const BStr&) = delete;
    BStr(BStr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    BStr& operator=(BStr&& other) noexcept {
        if (this != &other) {
            Reset();
            value_ = std::exchange(other.value_, nullptr);
        }
        return *this;
    }
    ~BStr() { Reset(); }

    BSTR Get() const { return value_; }
    BSTR Detach() { return std::exchange(value_, nullptr); }
    void Reset() {
        if (value_) SysFreeString(std::exchange(value_, nullptr));
    }

private:
    BSTR value_ = nullptr;
};

}  // namespace varnesse
