#include "platform/ui/AnimationLog.h"

#include <algorithm>

#include "platform/Process.h"
#include "platform/ui/UIView.h"

namespace platform {
namespace {

CGFloat mix(CGFloat a, CGFloat b, double t) {
    return static_cast<CGFloat>(a + (b - a) * t);
}

CGPoint mix(CGPoint a, CGPoint b, double t) {
    return {mix(a.x, b.x, t), mix(a.y, b.y, t)};
}

CGRect mix(const CGRect& a, const CGRect& b, double t) {
    return {mix(a.origin, b.origin, t),
            {mix(a.size.width, b.size.width, t), mix(a.size.height, b.size.height, t)}};
}

CGAffineTransform mix(const CGAffineTransform& a, const CGAffineTransform& b, double t) {
    return {mix(a.a, b.a, t), mix(a.b, b.b, t),   mix(a.c, b.c, t),
            mix(a.d, b.d, t), mix(a.tx, b.tx, t), mix(a.ty, b.ty, t)};
}

UIColor mix(const UIColor& a, const UIColor& b, double t) {
    return {mix(a.red, b.red, t), mix(a.green, b.green, t), mix(a.blue, b.blue, t),
            mix(a.alpha, b.alpha, t)};
}

// Progress along the animation curve in the option bits.
double shaped(double t, UIViewAnimationOptions options) {
    switch ((options >> 16) & 0xF) {
        case UIViewAnimationCurveEaseIn:
            return t * t;
        case UIViewAnimationCurveEaseOut:
            return 1 - (1 - t) * (1 - t);
        case UIViewAnimationCurveLinear:
            return t;
        default:
            return t * t * (3 - 2 * t);
    }
}

// Once records pile up, forgets the oldest of those that ended before `now`, keeping the latest
// kKeptEnded of them. Batches keep the cost per record constant.
template <class Record>
void forgetOldEnded(std::vector<Record>& records, double now) {
    if (records.size() < 2 * AnimationLog::kKeptEnded) {
        return;
    }
    const auto ended = [now](const Record& r) { return r.endTime() < now; };
    const auto endedCount =
        static_cast<std::size_t>(std::count_if(records.begin(), records.end(), ended));
    std::size_t toForget =
        endedCount > AnimationLog::kKeptEnded ? endedCount - AnimationLog::kKeptEnded : 0;
    auto kept = records.begin();
    for (auto it = records.begin(); it != records.end(); ++it) {
        if (toForget > 0 && ended(*it)) {
            --toForget;
            continue;
        }
        if (kept != it) {
            *kept = std::move(*it);
        }
        ++kept;
    }
    records.erase(kept, records.end());
}

}  // namespace

AnimatedValue interpolate(const AnimatedValue& from, const AnimatedValue& to, double t) {
    if (from.index() != to.index()) {
        return to;
    }
    return std::visit(
        [&](const auto& a) -> AnimatedValue {
            using T = std::decay_t<decltype(a)>;
            return mix(a, std::get<T>(to), t);
        },
        from);
}

bool AnimationRecord::isFor(const UIView* target) const {
    // The address alone could be a new view where a freed one was.
    return target != nullptr && viewAddress == target && view.lock().get() == target;
}

AnimatedValue AnimationRecord::valueAt(double time) const {
    if (time <= beginTime()) {
        return from;
    }
    if (time >= endTime() || duration <= 0) {
        return to;
    }
    return interpolate(from, to, shaped((time - beginTime()) / duration, options));
}

AnimationLog& AnimationLog::shared() {
    return Process::current().attachment<AnimationLog>();
}

std::vector<AnimationRecord> AnimationLog::recordsFor(const UIView* view,
                                                      std::string_view property) const {
    std::vector<AnimationRecord> found;
    for (const auto& record : records_) {
        if (record.isFor(view) && (property.empty() || record.property == property)) {
            found.push_back(record);
        }
    }
    return found;
}

const AnimationRecord* AnimationLog::latest(const UIView* view, std::string_view property) const {
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        if (it->isFor(view) && it->property == property) {
            return &*it;
        }
    }
    return nullptr;
}

bool AnimationLog::animated(const UIView* view, std::string_view property, std::string_view name,
                            double duration) const {
    return std::any_of(records_.begin(), records_.end(), [&](const AnimationRecord& record) {
        return record.isFor(view) && record.property == property && record.name == name &&
               record.duration == duration;
    });
}

std::optional<AnimatedValue> AnimationLog::presentationValue(const UIView* view,
                                                             std::string_view property,
                                                             double time) const {
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        // Records come in the order of their start; none before this one can still run.
        if (startsInOrder_ && it->startTime + longest_ <= time) {
            break;
        }
        if (it->isFor(view) && it->property == property && it->startTime <= time &&
            time < it->endTime()) {
            return it->valueAt(time);
        }
    }
    return std::nullopt;
}

void AnimationLog::add(AnimationRecord record) {
    const double now = record.startTime;
    startsInOrder_ = startsInOrder_ && (records_.empty() || records_.back().startTime <= now);
    longest_ = std::max(longest_, record.delay + record.duration);
    records_.push_back(std::move(record));
    forgetOldEnded(records_, now);
}

void AnimationLog::addTransition(TransitionRecord record) {
    const double now = record.startTime;
    transitions_.push_back(std::move(record));
    forgetOldEnded(transitions_, now);
}

void AnimationLog::clear() {
    records_.clear();
    transitions_.clear();
    startsInOrder_ = true;
    longest_ = 0;
}

void AnimationLog::discardEndedBefore(double time) {
    std::erase_if(records_, [time](const AnimationRecord& r) { return r.endTime() < time; });
    std::erase_if(transitions_, [time](const TransitionRecord& r) { return r.endTime() < time; });
}

}  // namespace platform
