#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "platform/BoundedHistory.h"
#include "platform/runtime/Object.h"

namespace platform {

// A selector name, interned for the life of the program. Selectors are numbered densely in the
// order they are first registered, so a table indexed by selector needs no hashing.
struct SelectorName {
    std::string name;
    std::size_t index;
};
using SEL = const SelectorName*;

SEL sel_registerName(std::string_view name);
// The selector of that name if one has been registered, else null.
SEL sel_lookupName(std::string_view name);
inline const std::string& sel_getName(SEL sel) {
    return sel->name;
}

// A selector that carries its method's signature, so that a send, a replacement and a saved
// original are checked against one signature at compile time.
template <class Signature>
struct Selector;

template <class R, class... Args>
struct Selector<R(Args...)> {
    using Implementation = R (*)(id, SEL, Args...);
    explicit Selector(std::string_view name) : sel(sel_registerName(name)) {}
    explicit Selector(SEL s) : sel(s) {}
    SEL sel;
};

using IMP = void (*)();

struct Method {
    IMP imp = nullptr;
    const std::type_info* signature = nullptr;
};

// A class registered by name with its superclass and its own method table.
//
// A message looks its method up in the class's cache first, as the phone's runtime does, and
// walks the class chain only on a miss. A cache entry holds the implementation itself, so a hit
// costs one probe and no further indirection. Changing a class's methods (a new method, a hook)
// empties the caches of that class and of every class below it, which may have cached what the
// change overrides.
class Class {
public:
    // What a message with a selector runs, as the cache holds it. An entry for a selector that
    // nobody implements has no implementation and no signature.
    struct CacheEntry {
        SEL sel = nullptr;
        Method method;
        const Method* origin = nullptr;  // in the method table of this class or a superclass
    };

    Class(std::string name, Class* superclass);

    const std::string& name() const { return name_; }
    Class* superclass() const { return superclass_; }

    // The class's own method for sel, or null.
    const Method* ownMethod(SEL sel) const;
    // The method a message with sel runs: the class's own or the nearest inherited one, or null.
    // It stays valid for the life of the runtime; a hook changes it in place.
    const Method* lookup(SEL sel) const { return cached(sel).origin; }
    // The same, as a cache entry, for a message about to be sent: valid until the next change
    // of a method of this class or a superclass.
    const CacheEntry& cached(SEL sel) const {
        for (std::size_t slot = slotOf(sel);; slot = (slot + 1) & mask_) {
            const CacheEntry& entry = cache_[slot];
            if (entry.sel == sel) [[likely]] {
                return entry;
            }
            if (entry.sel == nullptr) {
                return lookupAndCache(sel);
            }
        }
    }
    void setMethod(SEL sel, Method method);

    bool isSubclassOf(const Class* other) const;
    void addSubclass(Class* subclass) { subclasses_.push_back(subclass); }

private:
    // Selectors are addresses of interned names: their low bits say little.
    std::size_t slotOf(SEL sel) const {
        return (reinterpret_cast<std::uintptr_t>(sel) >> 5) & mask_;
    }
    const Method* findMethod(SEL sel) const;
    const CacheEntry& lookupAndCache(SEL sel) const;
    void flushCaches();

    std::string name_;
    Class* superclass_;
    std::vector<Class*> subclasses_;
    std::unordered_map<SEL, Method> methods_;
    // Open addressing, never more than half full, so a probe always meets an empty slot.
    mutable std::vector<CacheEntry> cache_;
    mutable std::size_t mask_ = 0;
    mutable std::size_t cached_ = 0;
};

// The per-process table of classes.
class Runtime {
public:
    static Runtime& shared();

    Class* getClass(std::string_view name) const;
    // Registers a class (or returns the one of that name); an unknown superclass name is
    // registered as a root class first.
    Class* registerClass(std::string_view name, std::string_view superclassName = {});

    // The latest messages that found no method (at least kKeptUnrecognized), newest last, for
    // diagnostics and tests.
    static constexpr std::size_t kKeptUnrecognized = 100;
    const std::vector<std::string>& unrecognizedSelectors() const { return unrecognized_.items(); }
    void noteUnrecognized(const Class* cls, SEL sel);

    // Every hook installed in this process, in order, as "Class selector".
    const std::vector<std::string>& installedHooks() const { return hooks_; }
    void noteHook(const Class* cls, SEL sel);

private:
    std::unordered_map<std::string, std::unique_ptr<Class>> classes_;
    BoundedHistory<std::string> unrecognized_{kKeptUnrecognized};
    std::vector<std::string> hooks_;
};

Class* objc_getClass(std::string_view name);

template <class R, class... Args>
void class_addMethod(Class* cls, Selector<R(Args...)> sel, R (*imp)(id, SEL, Args...)) {
    cls->setMethod(sel.sel, {reinterpret_cast<IMP>(imp), &typeid(imp)});
}

namespace detail {

template <class Member>
struct MemberTraits;

template <class T, class R, class... Args>
struct MemberTraits<R (T::*)(Args...)> {
    using Receiver = T;
    using Signature = R(Args...);
};

// The receiver as a Receiver, or null. Most receivers are exactly of the class that registered
// the method, which a comparison of types answers without walking the class hierarchy.
template <class Receiver>
Receiver* receiverAs(id self) {
    if (self != nullptr && typeid(*self) == typeid(Receiver)) {
        return static_cast<Receiver*>(self);
    }
    return dynamic_cast<Receiver*>(self);
}

template <auto Member, class Receiver, class R, class... Args>
R memberTrampoline(id self, SEL, Args... args) {
    auto* receiver = receiverAs<Receiver>(self);
    if (receiver == nullptr) {
        return R();
    }
    return (receiver->*Member)(args...);
}

template <auto Member, class Receiver, class R, class... Args>
constexpr auto trampolineFor(Selector<R(Args...)>) {
    return &memberTrampoline<Member, Receiver, R, Args...>;
}

}  // namespace detail

// Registers a C++ member function (virtual ones dispatch as usual) as cls's method for sel.
template <auto Member>
void class_addMemberMethod(
    Class* cls, Selector<typename detail::MemberTraits<decltype(Member)>::Signature> sel) {
    using Receiver = typename detail::MemberTraits<decltype(Member)>::Receiver;
    class_addMethod(cls, sel, detail::trampolineFor<Member, Receiver>(sel));
}

// Sends a message. A message to nil, or one that the receiver's class does not implement with
// this signature, does nothing and answers a zero value.
template <class R, class... Args, class... Passed>
R send(id self, Selector<R(Args...)> sel, Passed&&... args) {
    if (self == nullptr || self->objcClass() == nullptr) {
        return R();
    }
    using Implementation = R (*)(id, SEL, Args...);
    const Method& method = self->objcClass()->cached(sel.sel).method;
    if (method.signature != &typeid(Implementation)) [[unlikely]] {
        Runtime::shared().noteUnrecognized(self->objcClass(), sel.sel);
        return R();
    }
    return reinterpret_cast<Implementation>(method.imp)(self, sel.sel,
                                                        std::forward<Passed>(args)...);
}

// The hooking service: replaces cls's method for sel by replacement and stores the method that
// was in force before (the class's own or the inherited one) in *original, so that calling it
// with the same receiver, selector and arguments does what the method did. A selector nobody
// implements gets an original that does nothing.
template <class R, class... Args>
void MSHookMessageEx(Class* cls, Selector<R(Args...)> sel, R (*replacement)(id, SEL, Args...),
                     R (**original)(id, SEL, Args...)) {
    using Implementation = R (*)(id, SEL, Args...);
    if (cls == nullptr) {
        return;
    }
    const Method* previous = cls->lookup(sel.sel);
    Implementation saved = +[](id, SEL, Args...) -> R { return R(); };
    if (previous != nullptr && previous->signature == &typeid(Implementation)) {
        saved = reinterpret_cast<Implementation>(previous->imp);
    }
    cls->setMethod(sel.sel, {reinterpret_cast<IMP>(replacement), &typeid(Implementation)});
    Runtime::shared().noteHook(cls, sel.sel);
    if (original != nullptr) {
        *original = saved;
    }
}

}  // namespace platform
