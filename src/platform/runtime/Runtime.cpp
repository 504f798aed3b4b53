#include "platform/runtime/Runtime.h"

#include <algorithm>
#include <deque>
#include <mutex>

#include "platform/Process.h"

namespace platform {

namespace {

struct SelectorTable {
    std::mutex mutex;
    std::deque<SelectorName> names;
    std::unordered_map<std::string_view, SEL> index;
};

SelectorTable& selectorTable() {
    static SelectorTable table;
    return table;
}

}  // namespace

SEL sel_registerName(std::string_view name) {
    SelectorTable& table = selectorTable();
    std::lock_guard lock(table.mutex);
    if (auto found = table.index.find(name); found != table.index.end()) {
        return found->second;
    }
    table.names.push_back({std::string(name), table.names.size()});
    SEL sel = &table.names.back();
    table.index.emplace(sel->name, sel);
    return sel;
}

SEL sel_lookupName(std::string_view name) {
    SelectorTable& table = selectorTable();
    std::lock_guard lock(table.mutex);
    auto found = table.index.find(name);
    return found == table.index.end() ? nullptr : found->second;
}

namespace {

constexpr std::size_t kInitialCacheSlots = 8;

}  // namespace

Class::Class(std::string name, Class* superclass)
    : name_(std::move(name)),
      superclass_(superclass),
      cache_(kInitialCacheSlots),
      mask_(kInitialCacheSlots - 1) {}

const Method* Class::ownMethod(SEL sel) const {
    auto found = methods_.find(sel);
    return found == methods_.end() ? nullptr : &found->second;
}

const Method* Class::findMethod(SEL sel) const {
    for (const Class* cls = this; cls != nullptr; cls = cls->superclass_) {
        if (const Method* method = cls->ownMethod(sel)) {
            return method;
        }
    }
    return nullptr;
}

const Class::CacheEntry& Class::lookupAndCache(SEL sel) const {
    // Selectors nobody implements are not cached: a send that finds nothing is already slow.
    static const CacheEntry nothing;
    const Method* method = findMethod(sel);
    if (method == nullptr) {
        return nothing;
    }
    if (2 * (cached_ + 1) > cache_.size()) {
        // Growing forgets what was cached; the entries come back on their next miss.
        cache_.assign(2 * cache_.size(), CacheEntry{});
        mask_ = cache_.size() - 1;
        cached_ = 0;
    }
    std::size_t slot = slotOf(sel);
    while (cache_[slot].sel != nullptr) {
        slot = (slot + 1) & mask_;
    }
    cache_[slot] = {sel, *method, method};
    ++cached_;
    return cache_[slot];
}

void Class::setMethod(SEL sel, Method method) {
    methods_[sel] = method;
    flushCaches();
}

void Class::flushCaches() {
    std::fill(cache_.begin(), cache_.end(), CacheEntry{});
    cached_ = 0;
    for (Class* subclass : subclasses_) {
        subclass->flushCaches();
    }
}

bool Class::isSubclassOf(const Class* other) const {
    for (const Class* cls = this; cls != nullptr; cls = cls->superclass_) {
        if (cls == other) {
            return true;
        }
    }
    return false;
}

Runtime& Runtime::shared() {
    return Process::current().attachment<Runtime>();
}

Class* Runtime::getClass(std::string_view name) const {
    auto found = classes_.find(std::string(name));
    return found == classes_.end() ? nullptr : found->second.get();
}

Class* Runtime::registerClass(std::string_view name, std::string_view superclassName) {
    if (Class* existing = getClass(name)) {
        return existing;
    }
    Class* superclass = superclassName.empty() ? nullptr : registerClass(superclassName);
    auto cls = std::make_unique<Class>(std::string(name), superclass);
    Class* raw = cls.get();
    if (superclass != nullptr) {
        superclass->addSubclass(raw);
    }
    classes_.emplace(std::string(name), std::move(cls));
    return raw;
}

void Runtime::noteUnrecognized(const Class* cls, SEL sel) {
    unrecognized_.push(cls->name() + " " + sel_getName(sel));
}

void Runtime::noteHook(const Class* cls, SEL sel) {
    hooks_.push_back(cls->name() + " " + sel_getName(sel));
}

Class* objc_getClass(std::string_view name) {
    return Runtime::shared().getClass(name);
}

bool Object::isMemberOfClass(std::string_view className) const {
    return isa_ != nullptr && isa_->name() == className;
}

bool Object::isKindOfClass(std::string_view className) const {
    for (const Class* cls = isa_; cls != nullptr; cls = cls->superclass()) {
        if (cls->name() == className) {
            return true;
        }
    }
    return false;
}

}  // namespace platform
