#include "snapforge/prefs/Preferences.h"

#include <string>

#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PlistValue.h"
#include "platform/foundation/PropertyListFile.h"
#include "snapforge/focus/AdvancedFocus.h"
#include "snapforge/focus/CaptureDevice.h"
#include "snapforge/prefs/Tools.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

std::string preferencesPath() {
    return std::string(kPreferencesFolder) + "/" + std::string(kPreferencesFileName);
}

void readRememberedSelections(State& s, const platform::NSMutableDictionary* prefs) {
    s.overlayIndex = Tools::intForKey("overlayIndex", 3, prefs);
    s.guideIndex = Tools::intForKey("guideIndex", 3, prefs);
    s.resolutionIndex = Tools::intForKey("resolutionIndex", 1, prefs);
    s._timerTime = Tools::intForKey("timerTime", 0, prefs);
    s._timeLapseTime = Tools::intForKey("timeLapseTime", 0, prefs);
    s._frameRateTime = Tools::intForKey("frameRateTime", 0, prefs);
    s._timeType = Tools::intForKey("timeType", 0, prefs);
    s._timeLapseSelected = Tools::boolForKey("timeLapseSelected", false, prefs);
    s._timerSelected = Tools::boolForKey("timerSelected", false, prefs);
    s._overlaySelected = Tools::boolForKey("overlaySelected", false, prefs);
    s._tmpOverlaySelected = s._overlaySelected;
    s._frameRateSelected = Tools::boolForKey("frameRateSelected", false, prefs);
    s._resolutionSelected = false;
    s._tmpResolutionSelected = false;
    s._guideSelected = Tools::boolForKey("guideSelected", false, prefs);
    s._tmpGuideSelected = s._guideSelected;
}

void storeRememberedChoices(const State& s, platform::NSMutableDictionary& prefs) {
    using platform::PlistValue;
    prefs.setObject(PlistValue(s.rememberSettings), "rememberSettings");
    prefs.setObject(PlistValue(s._advPhotoSelected), "advPhotoSelected");
    prefs.setObject(PlistValue(s._advVideoSelected), "advVideoSelected");
    if (!s.rememberSettings) {
        return;
    }
    prefs.setObject(PlistValue(s.overlayIndex), "overlayIndex");
    prefs.setObject(PlistValue(s.guideIndex), "guideIndex");
    prefs.setObject(PlistValue(s.resolutionIndex), "resolutionIndex");
    prefs.setObject(PlistValue(s._timerTime), "timerTime");
    prefs.setObject(PlistValue(s._timeLapseTime), "timeLapseTime");
    prefs.setObject(PlistValue(s._frameRateTime), "frameRateTime");
    prefs.setObject(PlistValue(s._timeType), "timeType");
    prefs.setObject(PlistValue(s._timeLapseSelected), "timeLapseSelected");
    prefs.setObject(PlistValue(s._timerSelected), "timerSelected");
    prefs.setObject(PlistValue(s._overlaySelected), "overlaySelected");
    prefs.setObject(PlistValue(s._frameRateSelected), "frameRateSelected");
    prefs.setObject(PlistValue(s._resolutionSelected), "resolutionSelected");
    prefs.setObject(PlistValue(s._guideSelected), "guideSelected");
}

}  // namespace

std::shared_ptr<platform::NSMutableDictionary> loadPrefs() {
    log("** Snapforge ** loadPrefs");
    return platform::dictionaryWithContentsOfFile(preferencesPath());
}

void handlePrefs() {
    State& s = state();
    if (s.DISABLE_SAVE) {
        return;
    }
    s.prefsDictionary = loadPrefs();
    const platform::NSMutableDictionary* prefs = s.prefsDictionary.get();
    log("** Snapforge ** handlePrefs: %@", prefs);
    s.rememberSettings = Tools::boolForKey("rememberSettings", false, prefs);
    s._advPhotoSelected = Tools::boolForKey("advPhotoSelected", true, prefs);
    if (!s._didSetPrefs) {
        s._tmpAdvPhotoSelected = s._advPhotoSelected;
    }
    s._advVideoSelected = Tools::boolForKey("advVideoSelected", false, prefs);
    if (!s._didSetPrefs) {
        s._tmpAdvVideoSelected = s._advVideoSelected;
    }
    s._didSetPrefs = true;
    if (s.rememberSettings) {
        readRememberedSelections(s, prefs);
    }
    const bool video = hostCameraMode() != kPhotoMode;
    toggleAdvancedFocus(video ? s._tmpAdvVideoSelected : s._tmpAdvPhotoSelected, nullptr, false);
}

void savePrefs() {
    State& s = state();
    if (s.DISABLE_SAVE) {
        return;
    }
    if (s.skipSavePrefs) {
        log("** Snapforge ** savePrefs: Skipping it");
        return;
    }
    if (!s.prefsDictionary) {
        s.prefsDictionary = std::make_shared<platform::NSMutableDictionary>();
    }
    storeRememberedChoices(s, *s.prefsDictionary);
    log("** Snapforge ** savePrefs: %@", s.prefsDictionary.get());

    auto& files = platform::NSFileManager::defaultManager();
    const std::string folder(kPreferencesFolder);
    if (!files.fileExistsAtPath(folder)) {
        log("** Snapforge ** - savePrefs, %@ folder doesn't exist, creating it now", folder);
        const bool created = files.createDirectoryAtPath(folder, true);
        log("** Snapforge ** - savePrefs, folder created = %@", created);
    }
    const std::string path = preferencesPath();
    log("** Snapforge ** - savePrefs - path: %@", path);
    const bool written = platform::writeToFile(*s.prefsDictionary, path, true);
    log("** Snapforge - savePrefs, written = %@", written);
}

}  // namespace snapforge
