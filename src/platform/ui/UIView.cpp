#include "platform/ui/UIView.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/UIGestureRecognizer.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"

namespace platform {
namespace {

// One open animation: a named begin/commit pair or a block.
struct AnimationContext {
    std::string name;
    bool named = false;
    double duration = 0.2;
    double delay = 0;
    UIViewAnimationOptions options = 0;
    std::vector<AnimationRecord> pending;
};

struct AnimationState {
    std::vector<AnimationContext> open;
    bool enabled = true;
};

AnimationState& animationState() {
    return Process::current().attachment<AnimationState>();
}

AnimationContext* innermostNamed() {
    auto& open = animationState().open;
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        if (it->named) {
            return &*it;
        }
    }
    return nullptr;
}

// Moves a closed context's changes into the log, stamped with its timing.
void commit(AnimationContext&& context) {
    AnimationLog& log = AnimationLog::shared();
    const double now = RunLoop::main().now();
    const bool fromCurrentState = context.options & UIViewAnimationOptionBeginFromCurrentState;
    for (auto& record : context.pending) {
        if (fromCurrentState) {
            if (auto shown = log.presentationValue(record.viewAddress, record.property, now)) {
                record.from = *shown;
            }
        }
        record.name = context.name;
        record.duration = context.duration;
        record.delay = context.delay;
        record.options = context.options;
        record.startTime = now;
    }
    for (auto& record : context.pending) {
        log.add(std::move(record));
    }
}

CGPoint minus(CGPoint a, CGPoint b) {
    return {a.x - b.x, a.y - b.y};
}
CGPoint plus(CGPoint a, CGPoint b) {
    return {a.x + b.x, a.y + b.y};
}

const UIView* rootOf(const UIView* view) {
    while (view->superview() != nullptr) {
        view = view->superview();
    }
    return view;
}

const std::map<std::string, std::string, std::less<>>& uikitSuperclasses() {
    static const std::map<std::string, std::string, std::less<>> table{
        {"UIResponder", "NSObject"},
        {"UIView", "UIResponder"},
        {"UIControl", "UIView"},
        {"UIButton", "UIControl"},
        {"UISwitch", "UIControl"},
        {"UIWindow", "UIView"},
        {"UIImageView", "UIView"},
        {"UILabel", "UIView"},
        {"UIScrollView", "UIView"},
        {"UIApplication", "UIResponder"},
        {"UIGestureRecognizer", "NSObject"},
        {"UITapGestureRecognizer", "UIGestureRecognizer"},
        {"UILongPressGestureRecognizer", "UIGestureRecognizer"},
        {"UIPanGestureRecognizer", "UIGestureRecognizer"},
    };
    return table;
}

}  // namespace

Class* registerUIKitClass(std::string_view name, std::string_view superclassName) {
    Runtime& runtime = Runtime::shared();
    if (Class* existing = runtime.getClass(name)) {
        return existing;
    }
    const auto& table = uikitSuperclasses();
    if (auto found = table.find(superclassName); found != table.end()) {
        registerUIKitClass(superclassName, found->second);
    }
    return runtime.registerClass(name, superclassName);
}

UIView::UIView(CGRect frame) {
    setObjcClass(registerUIKitClass("UIView", "UIResponder"));
    center_ = {CGRectGetMidX(frame), CGRectGetMidY(frame)};
    bounds_ = {{0, 0}, frame.size};
}

UIView::~UIView() {
    for (auto& subview : subviews_) {
        subview->superview_ = nullptr;
    }
    for (auto& recognizer : gestureRecognizers_) {
        recognizer->view_ = nullptr;
    }
}

std::shared_ptr<UIView> UIView::create(CGRect frame) {
    return std::make_shared<UIView>(frame);
}

// ---- Geometry ----

CGRect UIView::frame() const {
    const CGFloat w = bounds_.size.width;
    const CGFloat h = bounds_.size.height;
    if (CGAffineTransformIsIdentity(transform_)) {
        return {{center_.x - w / 2, center_.y - h / 2}, bounds_.size};
    }
    const CGPoint corners[] = {{-w / 2, -h / 2}, {w / 2, -h / 2}, {-w / 2, h / 2}, {w / 2, h / 2}};
    CGPoint low = CGPointApplyAffineTransform(corners[0], transform_);
    CGPoint high = low;
    for (const CGPoint& corner : corners) {
        const CGPoint p = CGPointApplyAffineTransform(corner, transform_);
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    return {plus(center_, low), {high.x - low.x, high.y - low.y}};
}

void UIView::setFrame(CGRect frame) {
    const CGRect old = this->frame();
    const CGAffineTransform& t = transform_;
    center_ = {CGRectGetMidX(frame) - t.tx, CGRectGetMidY(frame) - t.ty};
    if (CGAffineTransformIsIdentity(t)) {
        bounds_.size = frame.size;
    } else {
        // Bounds whose transformed box has the frame's size: |a|w + |c|h = W, |b|w + |d|h = H.
        const double a = std::fabs(t.a), b = std::fabs(t.b), c = std::fabs(t.c), d = std::fabs(t.d);
        const double det = a * d - b * c;
        if (std::fabs(det) > 1e-9) {
            const double w = (frame.size.width * d - frame.size.height * c) / det;
            const double h = (frame.size.height * a - frame.size.width * b) / det;
            if (w >= 0 && h >= 0) {
                bounds_.size = {static_cast<CGFloat>(w), static_cast<CGFloat>(h)};
            }
        }
    }
    noteChange("frame", old, this->frame());
}

void UIView::setBounds(CGRect bounds) {
    const CGRect old = bounds_;
    bounds_ = bounds;
    noteChange("bounds", old, bounds_);
}

void UIView::setCenter(CGPoint center) {
    const CGPoint old = center_;
    center_ = center;
    noteChange("center", old, center_);
}

void UIView::setTransform(const CGAffineTransform& transform) {
    const CGAffineTransform old = transform_;
    transform_ = transform;
    noteChange("transform", old, transform_);
}

void UIView::setAlpha(CGFloat alpha) {
    const CGFloat old = alpha_;
    alpha_ = std::clamp(alpha, CGFloat(0), CGFloat(1));
    noteChange("alpha", old, alpha_);
}

void UIView::setHidden(bool hidden) {
    hidden_ = hidden;
}

void UIView::setBackgroundColor(std::optional<UIColor> color) {
    const UIColor old = backgroundColor_.value_or(UIColor::clearColor());
    backgroundColor_ = color;
    noteChange("backgroundColor", old, color.value_or(UIColor::clearColor()));
}

// ---- View tree ----

UIWindow* UIView::window() const {
    return dynamic_cast<UIWindow*>(const_cast<UIView*>(rootOf(this)));
}

std::vector<std::shared_ptr<UIView>>::iterator UIView::findSubview(const UIView* view) {
    return std::find_if(subviews_.begin(), subviews_.end(),
                        [view](const auto& subview) { return subview.get() == view; });
}

void UIView::detachSubview(const UIView* view) {
    auto found = findSubview(view);
    if (found == subviews_.end()) {
        return;
    }
    // The view may die with its last owner; let that happen after the list is consistent.
    std::shared_ptr<UIView> removed = std::move(*found);
    subviews_.erase(found);
}

void UIView::addSubview(const std::shared_ptr<UIView>& view) {
    insertSubview(view, subviews_.size());
}

void UIView::insertSubview(const std::shared_ptr<UIView>& view, std::size_t index) {
    if (!view || view.get() == this || isDescendantOfView(view.get())) {
        return;
    }
    std::shared_ptr<UIView> keep = view;
    if (keep->superview_ != nullptr) {
        keep->superview_->detachSubview(keep.get());
    }
    keep->superview_ = this;
    index = std::min(index, subviews_.size());
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), std::move(keep));
}

void UIView::removeFromSuperview() {
    UIView* parent = superview_;
    if (parent == nullptr) {
        return;
    }
    superview_ = nullptr;
    parent->detachSubview(this);
}

void UIView::bringSubviewToFront(const UIView* view) {
    auto found = findSubview(view);
    if (found != subviews_.end()) {
        std::rotate(found, found + 1, subviews_.end());
    }
}

void UIView::sendSubviewToBack(const UIView* view) {
    auto found = findSubview(view);
    if (found != subviews_.end()) {
        std::rotate(subviews_.begin(), found, found + 1);
    }
}

bool UIView::isDescendantOfView(const UIView* view) const {
    for (const UIView* v = this; v != nullptr; v = v->superview_) {
        if (v == view) {
            return true;
        }
    }
    return false;
}

std::shared_ptr<UIView> UIView::viewWithTag(int tag) {
    if (tag_ == tag) {
        return retain<UIView>(this);
    }
    for (const auto& subview : subviews_) {
        if (auto found = subview->viewWithTag(tag)) {
            return found;
        }
    }
    return nullptr;
}

void UIView::layoutIfNeeded() {
    auto keepAlive = retain<UIView>(this);
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSubviews();
    }
    const auto subviews = subviews_;
    for (const auto& subview : subviews) {
        subview->layoutIfNeeded();
    }
}

// ---- Coordinates ----

CGPoint UIView::convertPointToSuperview(CGPoint point) const {
    const CGPoint boundsMid{CGRectGetMidX(bounds_), CGRectGetMidY(bounds_)};
    return plus(center_, CGPointApplyAffineTransform(minus(point, boundsMid), transform_));
}

CGPoint UIView::convertPointFromSuperview(CGPoint point) const {
    const CGPoint boundsMid{CGRectGetMidX(bounds_), CGRectGetMidY(bounds_)};
    const CGAffineTransform& t = transform_;
    // Most views are not transformed: no inverse to work out.
    if (CGAffineTransformIsIdentity(t)) {
        return plus(minus(point, center_), boundsMid);
    }
    const CGPoint d = minus(minus(point, center_), {t.tx, t.ty});
    const double det = double(t.a) * t.d - double(t.b) * t.c;
    CGPoint local{};
    if (std::fabs(det) > 1e-12) {
        local = {static_cast<CGFloat>((t.d * d.x - t.c * d.y) / det),
                 static_cast<CGFloat>((t.a * d.y - t.b * d.x) / det)};
    }
    return plus(local, boundsMid);
}

CGPoint UIView::convertPointToScreen(CGPoint point) const {
    for (const UIView* v = this; v != nullptr; v = v->superview_) {
        point = v->convertPointToSuperview(point);
    }
    return point;
}

// Down the chain from the ancestor, outermost first; a recursion as deep as the view tree
// instead of a list of the views on the way, since touches convert on every move.
CGPoint UIView::convertPointFromAncestor(CGPoint point, const UIView* ancestor) const {
    if (this == ancestor) {
        return point;
    }
    if (superview_ != nullptr) {
        point = superview_->convertPointFromAncestor(point, ancestor);
    }
    return convertPointFromSuperview(point);
}

CGPoint UIView::convertPointFromScreen(CGPoint point) const {
    return convertPointFromAncestor(point, nullptr);
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const {
    const UIView* root = rootOf(this);
    if (view == nullptr || rootOf(view) == root) {
        for (const UIView* v = this; v != root; v = v->superview_) {
            point = v->convertPointToSuperview(point);
        }
        return view == nullptr ? point : view->convertPointFromAncestor(point, root);
    }
    return view->convertPointFromScreen(convertPointToScreen(point));
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const {
    const UIView* source = view != nullptr ? view : rootOf(this);
    return source->convertPointToView(point, this);
}

namespace {

CGRect boxAround(const CGPoint (&corners)[4]) {
    CGPoint low = corners[0];
    CGPoint high = corners[0];
    for (const CGPoint& p : corners) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    return {low, {high.x - low.x, high.y - low.y}};
}

template <class Convert>
CGRect convertRect(CGRect r, Convert convert) {
    const CGPoint corners[4] = {convert(r.origin), convert({CGRectGetMaxX(r), CGRectGetMinY(r)}),
                                convert({CGRectGetMinX(r), CGRectGetMaxY(r)}),
                                convert({CGRectGetMaxX(r), CGRectGetMaxY(r)})};
    return boxAround(corners);
}

}  // namespace

CGRect UIView::convertRectToView(CGRect rect, const UIView* view) const {
    return convertRect(rect, [&](CGPoint p) { return convertPointToView(p, view); });
}

CGRect UIView::convertRectFromView(CGRect rect, const UIView* view) const {
    return convertRect(rect, [&](CGPoint p) { return convertPointFromView(p, view); });
}

// ---- Hit testing and touches ----

bool UIView::pointInside(CGPoint point, UIEvent*) const {
    return CGRectContainsPoint(bounds_, point);
}

std::shared_ptr<UIView> UIView::hitTest(CGPoint point, UIEvent* event) {
    if (hidden_ || alpha_ < 0.01f || !userInteractionEnabled_ || !pointInside(point, event)) {
        return nullptr;
    }
    const auto subviews = subviews_;
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        if (auto hit = (*it)->hitTest((*it)->convertPointFromSuperview(point), event)) {
            return hit;
        }
    }
    return retain<UIView>(this);
}

void UIView::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    if (superview_ != nullptr) {
        superview_->touchesBegan(touches, event);
    }
}

void UIView::touchesMoved(const UITouchSet& touches, UIEvent* event) {
    if (superview_ != nullptr) {
        superview_->touchesMoved(touches, event);
    }
}

void UIView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    if (superview_ != nullptr) {
        superview_->touchesEnded(touches, event);
    }
}

void UIView::touchesCancelled(const UITouchSet& touches, UIEvent* event) {
    if (superview_ != nullptr) {
        superview_->touchesCancelled(touches, event);
    }
}

void UIView::addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    if (!recognizer || recognizer->view_ == this) {
        return;
    }
    std::shared_ptr<UIGestureRecognizer> keep = recognizer;
    if (keep->view_ != nullptr) {
        keep->view_->removeGestureRecognizer(keep.get());
    }
    keep->view_ = this;
    gestureRecognizers_.push_back(std::move(keep));
}

void UIView::removeGestureRecognizer(const UIGestureRecognizer* recognizer) {
    auto found = std::find_if(gestureRecognizers_.begin(), gestureRecognizers_.end(),
                              [recognizer](const auto& r) { return r.get() == recognizer; });
    if (found == gestureRecognizers_.end()) {
        return;
    }
    std::shared_ptr<UIGestureRecognizer> removed = std::move(*found);
    gestureRecognizers_.erase(found);
    removed->view_ = nullptr;
}

bool UIView::gestureRecognizerShouldBegin(UIGestureRecognizer*) {
    return true;
}

// ---- Animations ----

void UIView::noteChange(const char* property, AnimatedValue from, AnimatedValue to) {
    AnimationState& state = animationState();
    // A view that nobody owns yet is still being made and not on screen: nothing to animate.
    if (state.open.empty() || !state.enabled || from == to || weak_from_this().expired()) {
        return;
    }
    auto& pending = state.open.back().pending;
    for (auto& record : pending) {
        if (record.viewAddress == this && record.property == property) {
            record.to = std::move(to);
            return;
        }
    }
    AnimationRecord record;
    record.view = retain<UIView>(this);
    record.viewAddress = this;
    record.property = property;
    record.from = std::move(from);
    record.to = std::move(to);
    pending.push_back(std::move(record));
}

void UIView::beginAnimations(std::string name, void*) {
    AnimationContext context;
    context.name = std::move(name);
    context.named = true;
    animationState().open.push_back(std::move(context));
}

void UIView::commitAnimations() {
    auto& open = animationState().open;
    if (open.empty() || !open.back().named) {
        return;
    }
    AnimationContext context = std::move(open.back());
    open.pop_back();
    commit(std::move(context));
}

void UIView::setAnimationDuration(double duration) {
    if (auto* context = innermostNamed()) {
        context->duration = duration;
    }
}

void UIView::setAnimationDelay(double delay) {
    if (auto* context = innermostNamed()) {
        context->delay = delay;
    }
}

void UIView::setAnimationCurve(UIViewAnimationCurve curve) {
    if (auto* context = innermostNamed()) {
        context->options = (context->options & ~(0xFu << 16)) | (unsigned(curve) << 16);
    }
}

void UIView::setAnimationBeginsFromCurrentState(bool fromCurrentState) {
    if (auto* context = innermostNamed()) {
        context->options = fromCurrentState
                               ? context->options | UIViewAnimationOptionBeginFromCurrentState
                               : context->options & ~UIViewAnimationOptionBeginFromCurrentState;
    }
}

void UIView::setAnimationsEnabled(bool enabled) {
    animationState().enabled = enabled;
}

bool UIView::areAnimationsEnabled() {
    return animationState().enabled;
}

void UIView::animate(double duration, double delay, UIViewAnimationOptions options,
                     const std::function<void()>& animations,
                     std::function<void(bool finished)> completion) {
    const bool enabled = animationState().enabled;
    AnimationContext context;
    context.duration = duration;
    context.delay = delay;
    context.options = options;
    const std::size_t depth = animationState().open.size();
    animationState().open.push_back(std::move(context));
    if (animations) {
        animations();
    }
    // A named animation left open inside the block closes with it.
    auto& open = animationState().open;
    AnimationContext closed = std::move(open[depth]);
    open.resize(depth);
    commit(std::move(closed));
    if (completion) {
        const double wait = enabled ? std::max(0.0, delay) + std::max(0.0, duration) : 0;
        RunLoop::main().schedule(wait, [completion = std::move(completion)] { completion(true); });
    }
}

void UIView::animate(double duration, const std::function<void()>& animations,
                     std::function<void(bool finished)> completion) {
    animate(duration, 0, 0, animations, std::move(completion));
}

}  // namespace platform
