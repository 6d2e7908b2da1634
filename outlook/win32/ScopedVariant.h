#pragma once
#ifdef _WIN32
#include <windows.h>
#include <ole2.h>

#include <vector>

// A VARIANT cleared (strings freed, references released) when it goes.
class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&variant_); }
    ~ScopedVariant() { VariantClear(&variant_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;

    VARIANT* get() { return &variant_; }
    const VARIANT& value() const { return variant_; }

private:
    VARIANT variant_;
};

// Contiguous VARIANTs, as DISPPARAMS wants them, each cleared when it goes.
class VariantArray {
public:
    explicit VariantArray(size_t count) : variants_(count) {
        for (VARIANT& variant : variants_)
            VariantInit(&variant);
    }
    ~VariantArray() {
        for (VARIANT& variant : variants_)
            VariantClear(&variant);
    }
    VariantArray(const VariantArray&) = delete;
    VariantArray& operator=(const VariantArray&) = delete;

    VARIANT* data() { return variants_.empty() ? nullptr : variants_.data(); }
    size_t size() const { return variants_.size(); }
    VARIANT& operator[](size_t index) { return variants_[index]; }

private:
    std::vector<VARIANT> variants_;
};
#endif
