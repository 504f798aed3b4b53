#include "sim/HostArtwork.h"

#include <algorithm>
#include <cmath>

#include "sim/CompactNumber.h"

namespace sim::artwork {
namespace {

using platform::CGRect;

// The preview's scene is drawn for a 320 x 480 screen and fills whatever it is given.
constexpr double kSceneWidth = 320;
constexpr double kSceneHeight = 480;

std::string n(double value) {
    return compactNumber(value);
}

std::string placed(const CGRect& r) {
    return "x=\"" + n(r.origin.x) + "\" y=\"" + n(r.origin.y) + "\" width=\"" + n(r.size.width) +
           "\" height=\"" + n(r.size.height) + '"';
}

// A landscape at the lake in late afternoon; the clouds drift with time.
std::string scene(double time) {
    const double drift = std::fmod(time * 3.0, 420.0);
    return R"svg(<g id="preview-scene">
<rect width="320" height="480" fill="url(#sky)"/>
<circle cx="236" cy="152" r="60" fill="url(#sun-glow)"/>
<circle cx="236" cy="152" r="19" fill="#fff6d8"/>
<g fill="#ffffff" fill-opacity="0.75" transform="translate()svg" +
           n(drift - 40) + R"svg( 0)">
<ellipse cx="80" cy="84" rx="46" ry="11"/><ellipse cx="108" cy="76" rx="28" ry="12"/>
<ellipse cx="250" cy="52" rx="38" ry="8"/><ellipse cx="-120" cy="104" rx="40" ry="9"/><ellipse cx="-60" cy="60" rx="30" ry="7"/>
</g>
<path d="M0 236L38 204L70 222L118 176L160 214L198 190L246 228L286 198L320 222V290H0Z" fill="#7b8ba3"/>
<path d="M0 262C40 244 78 250 120 258C170 268 210 240 260 246C290 250 306 258 320 262V320H0Z" fill="#4e7448"/>
<rect y="300" width="320" height="92" fill="url(#lake)"/>
<g stroke="#fff1c9" stroke-opacity="0.55" stroke-linecap="round"><path d="M222 308h28M226 318h20M218 330h34M229 342h14M224 356h22M232 370h8"/></g>
<path d="M0 372C60 360 120 380 180 374C240 368 290 378 320 372V480H0Z" fill="#35552b"/>
<path d="M0 410C70 400 150 420 320 404V480H0Z" fill="#2b4723"/>
<rect x="52" y="300" width="7" height="78" fill="#3b2a1d"/>
<g fill="#24401f"><circle cx="56" cy="290" r="26"/><circle cx="38" cy="312" r="19"/><circle cx="74" cy="310" r="20"/><circle cx="56" cy="262" r="18"/></g>
<rect width="320" height="480" fill="url(#vignette)"/>
</g>
)svg";
}

std::string shutter(const CGRect& b) {
    const double w = b.size.width - 8;
    const double h = std::min(static_cast<double>(b.size.height) - 16, 56.0);
    const double x = b.origin.x + 4;
    const double y = b.origin.y + (b.size.height - h) / 2;
    const double cx = x + w / 2;
    const double cy = y + h / 2;
    return "<rect x=\"" + n(x) + "\" y=\"" + n(y) + "\" width=\"" + n(w) + "\" height=\"" + n(h) +
           "\" rx=\"" + n(h / 2) +
           "\" fill=\"url(#shutter-face)\" stroke=\"#1b1e22\" stroke-width=\"1.5\"/>\n"
           "<g transform=\"translate(" +
           n(cx) + ' ' + n(cy) +
           ")\" fill=\"none\" stroke=\"#2a2f36\" stroke-width=\"2\" stroke-linejoin=\"round\">"
           "<path d=\"M-13 -6h6l3-4h8l3 4h6v15h-26z\"/><circle cy=\"1.5\" r=\"5\"/></g>\n";
}

std::string imageWell(const CGRect& b) {
    return "<svg " + placed(b) +
           " viewBox=\"70 220 180 180\" preserveAspectRatio=\"xMidYMid slice\">" +
           "<use href=\"#preview-scene\"/></svg>\n<rect " + placed(b) +
           " rx=\"4\" fill=\"none\" stroke=\"#ffffff\" stroke-opacity=\"0.85\" "
           "stroke-width=\"2\"/>\n";
}

}  // namespace

std::string definitions(double time) {
    return R"svg(<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
<stop offset="0" stop-color="#5b8fc4"/><stop offset="0.45" stop-color="#a9c4dc"/><stop offset="0.62" stop-color="#f3d3a3"/></linearGradient>
<radialGradient id="sun-glow"><stop offset="0" stop-color="#fff3cf" stop-opacity="0.9"/><stop offset="1" stop-color="#fff3cf" stop-opacity="0"/></radialGradient>
<linearGradient id="lake" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#6f93ad"/><stop offset="1" stop-color="#2d4d63"/></linearGradient>
<radialGradient id="vignette" cx="0.5" cy="0.45" r="0.75"><stop offset="0.6" stop-color="#000000" stop-opacity="0"/><stop offset="1" stop-color="#000000" stop-opacity="0.45"/></radialGradient>
<radialGradient id="iris-shade" cx="0.5" cy="0.42" r="0.7"><stop offset="0" stop-color="#2c3137"/><stop offset="1" stop-color="#0c0d0f"/></radialGradient>
<linearGradient id="host-bar" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#3a3f46"/><stop offset="0.08" stop-color="#23272c"/><stop offset="1" stop-color="#0d0f11"/></linearGradient>
<linearGradient id="shutter-face" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#f4f6f8"/><stop offset="0.5" stop-color="#c9ced4"/><stop offset="1" stop-color="#9aa1a9"/></linearGradient>
)svg" + scene(time);
}

std::optional<std::string> hostView(std::string_view className, const CGRect& bounds) {
    if (className == "PLCameraView") {
        return "<svg " + placed(bounds) + " viewBox=\"0 0 " + n(kSceneWidth) + ' ' +
               n(kSceneHeight) +
               "\" preserveAspectRatio=\"xMidYMid slice\"><use href=\"#preview-scene\"/></svg>\n";
    }
    if (className == "PLCameraButtonBar") {
        return "<rect " + placed(bounds) + " fill=\"url(#host-bar)\"/>\n";
    }
    if (className == "PLCameraButton") {
        return shutter(bounds);
    }
    if (className == "PLCameraImageWellView") {
        return imageWell(bounds);
    }
    return std::nullopt;
}

bool drawsHostView(std::string_view className) {
    return hostView(className, {}).has_value();
}

std::string closedIris(const CGRect& bounds) {
    const double cx = platform::CGRectGetMidX(bounds);
    const double cy = platform::CGRectGetMidY(bounds) - 40;
    // Six blades meet in the middle; their edges curve out like a lens shutter's.
    std::string seams;
    for (int i = 0; i < 6; ++i) {
        seams += "<path d=\"M0 0Q70 -10 330 -120\" transform=\"rotate(" + n(i * 60) + ")\"/>";
    }
    return "<rect " + placed(bounds) + " fill=\"url(#iris-shade)\"/>\n<g transform=\"translate(" +
           n(cx) + ' ' + n(cy) + ")\" fill=\"none\" stroke=\"#50575f\" stroke-width=\"1.5\">" +
           seams + "</g>\n";
}

}  // namespace sim::artwork
