#pragma once

#include <cmath>

namespace platform {

using CGFloat = float;

struct CGPoint {
    CGFloat x = 0;
    CGFloat y = 0;
    bool operator==(const CGPoint&) const = default;
};

struct CGSize {
    CGFloat width = 0;
    CGFloat height = 0;
    bool operator==(const CGSize&) const = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;
    bool operator==(const CGRect&) const = default;
};

struct CGAffineTransform {
    CGFloat a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    bool operator==(const CGAffineTransform&) const = default;
};

inline constexpr CGPoint CGPointMake(CGFloat x, CGFloat y) {
    return {x, y};
}
inline constexpr CGSize CGSizeMake(CGFloat w, CGFloat h) {
    return {w, h};
}
inline constexpr CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h) {
    return {{x, y}, {w, h}};
}
inline constexpr CGPoint CGPointZero{};
inline constexpr CGRect CGRectZero{};
inline constexpr CGAffineTransform CGAffineTransformIdentity{};

inline CGFloat CGRectGetMinX(const CGRect& r) {
    return r.origin.x;
}
inline CGFloat CGRectGetMinY(const CGRect& r) {
    return r.origin.y;
}
inline CGFloat CGRectGetMaxX(const CGRect& r) {
    return r.origin.x + r.size.width;
}
inline CGFloat CGRectGetMaxY(const CGRect& r) {
    return r.origin.y + r.size.height;
}
inline CGFloat CGRectGetMidX(const CGRect& r) {
    return r.origin.x + r.size.width / 2;
}
inline CGFloat CGRectGetMidY(const CGRect& r) {
    return r.origin.y + r.size.height / 2;
}

// Edges are half-open, as on the platform: the maximum edges are outside.
inline bool CGRectContainsPoint(const CGRect& r, CGPoint p) {
    return p.x >= CGRectGetMinX(r) && p.x < CGRectGetMaxX(r) && p.y >= CGRectGetMinY(r) &&
           p.y < CGRectGetMaxY(r);
}

// Whether the two share some area; rectangles that only touch at an edge do not.
inline bool CGRectIntersectsRect(const CGRect& a, const CGRect& b) {
    return CGRectGetMinX(a) < CGRectGetMaxX(b) && CGRectGetMinX(b) < CGRectGetMaxX(a) &&
           CGRectGetMinY(a) < CGRectGetMaxY(b) && CGRectGetMinY(b) < CGRectGetMaxY(a);
}

inline CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy) {
    return {sx, 0, 0, sy, 0, 0};
}

inline CGAffineTransform CGAffineTransformMakeRotation(CGFloat angle) {
    const CGFloat c = std::cos(angle);
    const CGFloat s = std::sin(angle);
    return {c, s, -s, c, 0, 0};
}

inline CGAffineTransform CGAffineTransformConcat(const CGAffineTransform& t1,
                                                 const CGAffineTransform& t2) {
    return {t1.a * t2.a + t1.b * t2.c,           t1.a * t2.b + t1.b * t2.d,
            t1.c * t2.a + t1.d * t2.c,           t1.c * t2.b + t1.d * t2.d,
            t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}

inline bool CGAffineTransformIsIdentity(const CGAffineTransform& t) {
    return t == CGAffineTransformIdentity;
}

inline CGPoint CGPointApplyAffineTransform(CGPoint p, const CGAffineTransform& t) {
    return {t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}

// The rotation angle of a transform in degrees, in (-180, 180].
inline double CGAffineTransformAngleDegrees(const CGAffineTransform& t) {
    return std::atan2(static_cast<double>(t.b), static_cast<double>(t.a)) * 180.0 / M_PI;
}

}  // namespace platform
