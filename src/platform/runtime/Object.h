#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string_view>

namespace platform {

class Class;

// The root of every object of the platform, the host and the library. Objects are held by
// std::shared_ptr and made through static create() factories; `id` is the plain receiver of a
// message, as `self` is on the phone.
class Object : public std::enable_shared_from_this<Object> {
public:
    Object() { ++liveCount(); }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() { --liveCount(); }

    // How many objects exist at the moment, in every process: what a leak makes grow.
    static std::size_t liveObjects() { return liveCount().load(std::memory_order_relaxed); }

    // The runtime class (set by classes registered with the runtime); null for plain objects.
    Class* objcClass() const { return isa_; }
    void setObjcClass(Class* cls) { isa_ = cls; }

    // Class identity and kind by registered class name.
    bool isMemberOfClass(std::string_view className) const;
    bool isKindOfClass(std::string_view className) const;

private:
    static std::atomic<std::size_t>& liveCount() {
        static std::atomic<std::size_t> count{0};
        return count;
    }

    Class* isa_ = nullptr;
};

using id = Object*;

// A shared_ptr to a T from a raw receiver, or empty when the receiver is not a T or no longer
// owned by anyone.
template <class T>
std::shared_ptr<T> retain(const Object* object) {
    if (object == nullptr) {
        return {};
    }
    auto shared = const_cast<Object*>(object)->weak_from_this().lock();
    return std::dynamic_pointer_cast<T>(shared);
}

// The same for an object already known to be a T, without asking its type again.
template <class T>
std::shared_ptr<T> retainKnown(T* object) {
    if (object == nullptr) {
        return {};
    }
    auto owner = object->weak_from_this().lock();
    return owner ? std::shared_ptr<T>(std::move(owner), object) : nullptr;
}

template <class T>
std::weak_ptr<T> weakRef(const Object* object) {
    return retain<T>(object);
}

}  // namespace platform
