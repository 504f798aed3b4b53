#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

namespace platform {

// The latest items of a history that would otherwise grow for as long as the process runs: at
// least `kept` of them (at most twice as many), oldest first. Items are numbered from 0 in the
// order they came, so that a reader can ask for those after the last one it saw even when older
// ones are gone.
template <class T>
class BoundedHistory {
public:
    explicit BoundedHistory(std::size_t kept) : kept_(std::max<std::size_t>(kept, 1)) {}

    void push(T item) {
        if (items_.size() >= 2 * kept_) {
            // Dropped a batch at a time, so each item is moved only a few times in its life.
            items_.erase(items_.begin(), items_.end() - static_cast<std::ptrdiff_t>(kept_));
        }
        items_.push_back(std::move(item));
        ++total_;
    }

    const std::vector<T>& items() const { return items_; }
    const T& back() const { return items_.back(); }
    // How many items came since the history began or was last cleared.
    std::size_t total() const { return total_; }
    // The kept items numbered `count` and on.
    std::span<const T> after(std::size_t count) const {
        const std::size_t first = total_ - items_.size();
        const std::size_t skip = std::min(count > first ? count - first : 0, items_.size());
        return std::span<const T>(items_).subspan(skip);
    }
    void clear() {
        items_.clear();
        total_ = 0;
    }

private:
    std::size_t kept_;
    std::vector<T> items_;
    std::size_t total_ = 0;
};

}  // namespace platform
