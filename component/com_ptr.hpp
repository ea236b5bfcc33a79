#pragma once
// Interface pointers the component holds are ComPtrs, so every reference it
// takes is given back on every path.
#include <wrl/client.h>

namespace prestova::component {

using Microsoft::WRL::ComPtr;

// Takes over a reference the caller already owns (a new object's first
// one). mingw-w64's ComPtr::Attach adds a reference of its own, unlike the
// Windows SDK's, so it cannot be used for this.
template <class T>
ComPtr<T> adopt(T* object)
{
    ComPtr<T> owner;
    *owner.GetAddressOf() = object;
    return owner;
}

}  // namespace prestova::component
