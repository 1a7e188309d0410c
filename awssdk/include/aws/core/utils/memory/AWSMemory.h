#pragma once

#include <memory>
#include <utility>

namespace Aws {

// The allocation tag names the owner in the official SDK's memory tracking; here it is only accepted.
template <typename T, typename... ArgTypes>
T* New(const char* allocationTag, ArgTypes&&... args) {
    (void)allocationTag;
    return new T(std::forward<ArgTypes>(args)...);  // NOLINT(cppcoreguidelines-owning-memory)
}

template <typename T>
void Delete(T* pointerToT) {
    delete pointerToT;  // NOLINT(cppcoreguidelines-owning-memory)
}

template <typename T, typename... ArgTypes>
std::shared_ptr<T> MakeShared(const char* allocationTag, ArgTypes&&... args) {
    (void)allocationTag;
    return std::make_shared<T>(std::forward<ArgTypes>(args)...);
}

template <typename T>
struct Deleter {
    void operator()(T* pointerToT) const { Delete(pointerToT); }
};

template <typename T>
using UniquePtr = std::unique_ptr<T, Deleter<T>>;

template <typename T, typename... ArgTypes>
UniquePtr<T> MakeUnique(const char* allocationTag, ArgTypes&&... args) {
    return UniquePtr<T>(New<T>(allocationTag, std::forward<ArgTypes>(args)...));
}

}  // namespace Aws
