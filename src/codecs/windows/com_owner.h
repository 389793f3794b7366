#pragma once
// Owns one reference to a COM object; released on every path.
#include <utility>

namespace pxm {

template <class Interface>
class ComOwner {
public:
    ComOwner() = default;
    ComOwner(const ComOwner&) = delete;
    ComOwner& operator=(const ComOwner&) = delete;
    ~ComOwner() {
        if (object_ != nullptr) object_->Release();
    }

    Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    // The place a creating call stores its new object in; the owner must still be empty.
    Interface** put() { return &object_; }

private:
    Interface* object_ = nullptr;
};

}  // namespace pxm
