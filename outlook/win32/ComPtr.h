#pragma once
#include <utility>

// Owns one COM reference: released when the pointer goes, copied with AddRef.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Adopts a reference the caller already owns (as from QueryInterface).
    explicit ComPtr(Interface* adopted) : pointer_(adopted) {}
    // Takes a reference of its own to an interface someone else owns.
    static ComPtr borrow(Interface* pointer) {
        if (pointer)
            pointer->AddRef();
        return ComPtr(pointer);
    }

    ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
        if (pointer_)
            pointer_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { reset(); }

    void reset() {
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        if (pointer)
            pointer->Release();
    }
    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For out-parameters: releases what is held, then lets the callee store
    // a reference that this pointer adopts.
    Interface** receive() {
        reset();
        return &pointer_;
    }
    void** receiveVoid() { return reinterpret_cast<void**>(receive()); }

private:
    Interface* pointer_ = nullptr;
};
