#include "live/LiveSession.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UIImage.h"
#include "platform/ui/UIScreen.h"
#include "sim/CompactNumber.h"
#include "sim/Gestures.h"
#include "sim/HostDriver.h"
#include "sim/PreferencesFile.h"
#include "sim/RegularFile.h"
#include "sim/Runner.h"
#include "sim/ScenarioError.h"
#include "sim/SvgSnapshot.h"
#include "sim/TemporaryFolder.h"
#include "snapforge/startup/State.h"

namespace live {
namespace {

// The timeline kept for readers that have not taken it yet; a busy day of time lapse says more
// than anyone reads.
constexpr std::size_t kHeardLimit = 20000;
// A picture is one of the image folder's; anything larger is not.
constexpr std::size_t kLargestPicture = std::size_t{8} << 20;

constexpr const char* kNotRunning = "the phone is not running yet (launch first)";
constexpr const char* kFingerDown = "a finger is on the screen: lift it first";
constexpr const char* kCameraApp = "com.apple.camera";

Outcome refused(int status, std::string reason) {
    Outcome outcome;
    outcome.status = status;
    outcome.error = std::move(reason);
    return outcome;
}

// The recorded form of a step: a file the replay may not find travels as its contents.
std::string recordedLine(const sim::CommandBody& body) {
    if (const auto* file = std::get_if<sim::cmd::PrefsFile>(&body)) {
        return sim::describe(sim::cmd::PrefsRaw{file->bytes});
    }
    return sim::describe(body);
}

// A picture's name as an address may carry it.
std::string addressable(std::string name) {
    for (char& c : name) {
        const bool plain =
            std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
        if (!plain) {
            c = '_';
        }
    }
    return name;
}

bool animating(double now) {
    const auto& records = platform::AnimationLog::shared().records();
    return std::any_of(records.begin(), records.end(),
                       [now](const auto& record) { return record.endTime() > now; });
}

// The camera's settings as the queries answer them.
const std::vector<std::pair<std::string, sim::QueryKind>>& cameraQueries() {
    static const std::vector<std::pair<std::string, sim::QueryKind>> queries{
        {"device.focus-mode", sim::QueryKind::DeviceFocusMode},
        {"device.exposure-mode", sim::QueryKind::DeviceExposureMode},
        {"device.wb-mode", sim::QueryKind::DeviceWbMode},
        {"device.focus-point", sim::QueryKind::DeviceFocusPoint},
        {"device.exposure-point", sim::QueryKind::DeviceExposurePoint},
        {"session.preset", sim::QueryKind::SessionPreset},
        {"frame-duration", sim::QueryKind::FrameDuration},
        {"reticle.focus", sim::QueryKind::ReticleFocus},
        {"reticle.exposure", sim::QueryKind::ReticleExposure},
        {"locked.focus", sim::QueryKind::LockedFocus},
        {"locked.exposure", sim::QueryKind::LockedExposure},
        {"photos", sim::QueryKind::Photos},
        {"bar", sim::QueryKind::Bar},
        {"advanced", sim::QueryKind::Advanced},
    };
    return queries;
}

}  // namespace

struct LiveSession::Phone {
    // Declared first so that it goes last: the driver's process lives in it.
    sim::TemporaryRoot root;
    std::filesystem::path rootPath;
    std::unique_ptr<sim::HostDriver> driver;
};

LiveSession::LiveSession(SessionSettings settings) : settings_(std::move(settings)) {
    timeline_.listen(this);
    sim::Scenario opening;
    if (settings_.opening) {
        opening = std::move(*settings_.opening);
        settings_.opening.reset();
    } else {
        opening.commands.push_back({1, sim::cmd::Launch{kCameraApp}});
    }
    startPhone(opening, settings_.openingOut);
}

LiveSession::~LiveSession() = default;

void LiveSession::startPhone(const sim::Scenario& opening, std::ostream* out) {
    const auto root = sim::makeTemporaryFolder();
    if (!root) {
        throw std::runtime_error("cannot make a device root for the phone");
    }
    // One process at a time: the old phone goes before the new one starts.
    phone_.reset();
    finger_.reset();
    pictures_.clear();
    pictureNames_.clear();
    auto phone = std::make_unique<Phone>();
    phone->root.removeAtExit(*root);
    phone->rootPath = *root;
    auto driverSettings = settings_.driver;
    driverSettings.deviceRoot = *root;
    phone->driver = std::make_unique<sim::HostDriver>(driverSettings);
    phone_ = std::move(phone);

    std::ostream& shown = out != nullptr ? *out : nowhere_;
    sim::Timeline printed(shown, out == nullptr || settings_.quiet);
    printed.listen(this);
    const auto result = sim::runScenario(opening, *phone_->driver, printed);
    if (out != nullptr) {
        sim::printSummary(result, *out);
    }
    phone_->driver->attach(*this);
    std::vector<std::string> lines{"# recorded with snapforge-sim --live"};
    for (const auto& command : opening.commands) {
        lines.push_back(recordedLine(command.body));
    }
    recorder_ = std::make_unique<Recorder>(std::move(lines), now());
    parseState_ = {};
    parseState_.folder = std::filesystem::current_path();
}

double LiveSession::now() const {
    return phone_->driver->now();
}

// The timeline.

void LiveSession::event(const std::string& text) {
    timeline_.event(now(), text);
}

void LiveSession::stepFailed(const std::string& reason) {
    lastFailure_ = reason;
    timeline_.failure(now(), reason);
}

void LiveSession::line(double time, sim::TimelineKind kind, std::string_view text) {
    if (heard_.size() >= kHeardLimit) {
        heard_.erase(heard_.begin(), heard_.begin() + kHeardLimit / 2);
    }
    heard_.push_back({time, kind, std::string(text)});
}

std::vector<TimelineEntry> LiveSession::takeTimeline() {
    return std::exchange(heard_, {});
}

Outcome LiveSession::finish(Outcome outcome, std::size_t timelineFrom) const {
    const auto from = std::min(timelineFrom, heard_.size());
    outcome.timeline.assign(heard_.begin() + static_cast<std::ptrdiff_t>(from), heard_.end());
    return outcome;
}

// Touches.

platform::CGPoint LiveSession::onScreen(platform::CGPoint point) const {
    const auto screen = platform::UIScreen::mainScreen().bounds();
    return {std::clamp(point.x, platform::CGFloat{0}, screen.size.width),
            std::clamp(point.y, platform::CGFloat{0}, screen.size.height)};
}

Outcome LiveSession::touch(TouchPhase phase, platform::CGPoint point) {
    const std::size_t from = heard_.size();
    // Whole points: what the recording writes is what the phone felt.
    point = {std::round(point.x), std::round(point.y)};
    auto& driver = *phone_->driver;
    if (phase == TouchPhase::Down) {
        if (finger_) {
            return refused(409, "a finger is already on the screen: lift it first");
        }
        if (!driver.processBundleId()) {
            return refused(409, kNotRunning);
        }
        lastFailure_.clear();
        if (!driver.fingerDown(point)) {
            return finish(refused(400, lastFailure_), from);
        }
        finger_ = Finger{now(), point};
        recorder_->fingerDown(point, now());
        return finish({}, from);
    }
    if (!finger_) {
        return refused(409, "no finger is on the screen: put one down first");
    }
    point = onScreen(point);
    if (phase == TouchPhase::Move) {
        driver.fingerMove(point);
        recorder_->fingerMove(point);
        finger_->last = point;
        return finish({}, from);
    }
    // A finger lifts where it last moved to, as a replayed drag's does.
    if (point != finger_->last) {
        driver.fingerMove(point);
    }
    // However quick the person, the phone feels at least a scenario's tap, as a replay will.
    const double start = finger_->start;
    if (now() < start + sim::gestures::kTapSeconds) {
        driver.advance(start + sim::gestures::kTapSeconds - now());
    }
    finger_.reset();
    driver.fingerUp(point);
    Outcome outcome;
    outcome.answer = recorder_->fingerUp(point, now());
    timeline_.step(start, outcome.answer);
    return finish(std::move(outcome), from);
}

// Lines.

Outcome LiveSession::consoleLine(std::string_view text) {
    if (text.find('\n') != std::string_view::npos) {
        return refused(400, "one line at a time");
    }
    if (finger_) {
        return refused(409, kFingerDown);
    }
    const int lineNumber = recorder_->lineCount() + 1;
    auto& driver = *phone_->driver;
    try {
        if (const auto query = sim::parseQuery(text, lineNumber)) {
            return answerQuery(*query);
        }
        parseState_.bundleId = driver.processBundleId();
        parseState_.cameraOpen = driver.isCameraOpen();
        const auto command = sim::parseLine(text, lineNumber, parseState_);
        if (!command) {
            return {};
        }
        return runCommand(*command);
    } catch (const sim::ScenarioError& error) {
        return refused(400, error.what());
    }
}

Outcome LiveSession::answerQuery(const sim::Query& query) {
    const std::size_t from = heard_.size();
    Outcome outcome;
    outcome.answer = phone_->driver->query(query);
    recorder_->query(query, outcome.answer, now());
    timeline_.step(now(), sim::describe(sim::cmd::Expect{query, outcome.answer}));
    return finish(std::move(outcome), from);
}

std::optional<std::string> LiveSession::run(const sim::Command& command) {
    auto& driver = *phone_->driver;
    const auto result = sim::runScenario(sim::Scenario{{command}}, driver, timeline_);
    driver.attach(*this);
    if (result.failures.empty()) {
        return std::nullopt;
    }
    return sim::describe(result.failures.front());
}

Outcome LiveSession::runCommand(const sim::Command& command) {
    const std::size_t from = heard_.size();
    const double start = now();
    Outcome outcome;
    if (auto failure = run(command)) {
        // A failed step stays out of the recording: its replay would fail.
        outcome.failure = std::move(*failure);
    } else {
        recorder_->command(recordedLine(command.body), start, now());
    }
    return finish(std::move(outcome), from);
}

// The clock.

void LiveSession::passTime(double seconds) {
    auto& driver = *phone_->driver;
    driver.advance(seconds);
    // A finger on the screen is one step in progress; where views ended up is told when it lifts.
    if (!finger_) {
        driver.settle();
    }
}

std::optional<double> LiveSession::nextChange() const {
    if (!phone_->driver->processBundleId()) {
        return std::nullopt;
    }
    if (animating(now())) {
        return now();
    }
    return platform::RunLoop::main().nextDueTime();
}

Outcome LiveSession::runToNext() {
    if (finger_) {
        return refused(409, kFingerDown);
    }
    const std::size_t from = heard_.size();
    const auto next =
        phone_->driver->processBundleId() ? platform::RunLoop::main().nextDueTime() : std::nullopt;
    Outcome outcome;
    if (!next) {
        outcome.answer = "nothing is due";
        return outcome;
    }
    // The clock moves in whole milliseconds, as recordings write it.
    const double until = std::ceil(std::max(*next, now()) * 1000 + 1e-6) / 1000;
    passTime(until - now());
    outcome.answer = sim::formatTime(now());
    return finish(std::move(outcome), from);
}

sim::HostDriver& LiveSession::driver() {
    return *phone_->driver;
}

const std::filesystem::path& LiveSession::deviceRoot() const {
    return phone_->rootPath;
}

Outcome LiveSession::reset(const std::optional<std::string>& device) {
    sim::Scenario opening;
    if (device) {
        sim::ParseState fresh;
        try {
            const auto command = sim::parseLine("device " + *device, 1, fresh);
            opening.commands.push_back(*command);
        } catch (const sim::ScenarioError& error) {
            return refused(400, error.what());
        }
    }
    opening.commands.push_back(
        {static_cast<int>(opening.commands.size()) + 1, sim::cmd::Launch{kCameraApp}});
    const std::size_t from = heard_.size();
    startPhone(opening, nullptr);
    return finish({}, from);
}

// What the page shows.

std::string LiveSession::pictureLink(const std::filesystem::path& path, bool png) {
    if (const auto known = pictureNames_.find(path); known != pictureNames_.end()) {
        return settings_.pictureAddress(known->second);
    }
    const std::string base = addressable(path.filename().string());
    std::string name = base;
    for (int n = 2; pictures_.count(name) != 0; ++n) {
        name = std::to_string(n) + "-" + base;
    }
    pictures_.emplace(name, Picture{path, png});
    pictureNames_.emplace(path, name);
    return settings_.pictureAddress(name);
}

std::string LiveSession::screen() {
    if (!phone_->driver->processBundleId()) {
        return R"(<svg xmlns="http://www.w3.org/2000/svg" width="320" height="480" viewBox="0 0 320 480"><title>screen</title><rect width="320" height="480" fill="black"/></svg>
)";
    }
    return sim::svgSnapshot(
        now(),
        [this](const platform::UIImage& image) {
            return pictureLink(image.filePath(), image.isPNG());
        },
        sim::SceneMotion::Still);
}

std::optional<PictureFile> LiveSession::picture(const std::string& name) const {
    const auto found = pictures_.find(name);
    if (found == pictures_.end()) {
        return std::nullopt;
    }
    std::string error;
    auto bytes = sim::readRegularFile(found->second.path, kLargestPicture, error);
    if (!bytes) {
        return std::nullopt;
    }
    return PictureFile{std::move(*bytes), found->second.png ? "image/png" : "image/jpeg"};
}

std::vector<InspectedView> LiveSession::inspect(platform::CGPoint point) {
    auto& driver = *phone_->driver;
    if (!driver.processBundleId()) {
        return {};
    }
    return viewsUnder(
        point, [&driver](const platform::UIView& view) { return driver.targetNameOf(view); });
}

std::map<std::string, std::map<std::string, std::string>> LiveSession::state() {
    auto& driver = *phone_->driver;
    std::map<std::string, std::map<std::string, std::string>> sections;
    auto& library = sections["library"];
    for (const auto name : snapforge::State::scalarNames()) {
        library[std::string(name)] =
            driver.query({sim::QueryKind::State, std::nullopt, std::string(name)});
    }
    auto& camera = sections["camera"];
    for (const auto& [name, kind] : cameraQueries()) {
        camera[name] = driver.query({kind, std::nullopt, {}});
    }
    auto& preferences = sections["preferences"];
    if (driver.processBundleId()) {
        if (auto values = sim::preferences::values()) {
            preferences = std::move(*values);
        }
    }
    return sections;
}

}  // namespace live
