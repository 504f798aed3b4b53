#include "sim/HelpText.h"

#include <set>
#include <sstream>
#include <string_view>
#include <vector>

#include "sim/Command.h"
#include "sim/CompactNumber.h"
#include "sim/Features.h"
#include "sim/LineReader.h"
#include "sim/Query.h"
#include "sim/Target.h"
#include "snapforge/startup/State.h"

namespace sim {
namespace {

constexpr std::size_t kWidth = 96;
constexpr std::string_view kIndent = "  ";
constexpr std::string_view kNotBuiltMark = "*";

// The words in lines of at most kWidth characters, each line indented.
std::string wrapped(const std::vector<std::string>& words, std::string_view separator = "  ") {
    std::string text;
    std::string line(kIndent);
    for (const auto& word : words) {
        const bool first = line.size() == kIndent.size();
        if (!first && line.size() + separator.size() + word.size() > kWidth) {
            text += line + "\n";
            line = std::string(kIndent);
        } else if (!first) {
            line += separator;
        }
        line += word;
    }
    return text + line + "\n";
}

std::string marked(std::string name, Feature feature, std::set<Feature>& unbuilt) {
    if (!isBuilt(feature)) {
        unbuilt.insert(feature);
        name += kNotBuiltMark;
    }
    return name;
}

std::vector<std::string> targetWords(std::set<Feature>& unbuilt) {
    std::vector<std::string> words;
    for (const Target target : allTargets()) {
        words.push_back(marked(std::string(targetName(target)), featureOf(target), unbuilt));
    }
    return words;
}

std::vector<std::string> queryWords(std::set<Feature>& unbuilt) {
    std::vector<std::string> words;
    for (const auto& name : allQueryNames()) {
        words.push_back(marked(usage(name), featureOf(name.kind), unbuilt));
    }
    return words;
}

// The words of a sentence, to be wrapped again.
std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::vector<std::string> stateWords() {
    std::vector<std::string> words;
    for (const auto name : snapforge::State::scalarNames()) {
        words.emplace_back(name);
    }
    return words;
}

std::string limits() {
    return "coordinates " + kCoordinateRange.describe() + "; hold and drag last at most " +
           compactNumber(cmd::kLongestTouchSeconds) + " s; wait SECONDS " +
           NumberRange{0, cmd::Wait::kLongestSeconds}.describe() +
           ", costing only the work that falls due; scroll PAGES " + kPageRange.describe() +
           "; scenario files and prefs-file PATH must be regular files.";
}

std::string unbuiltNote(const std::set<Feature>& unbuilt) {
    if (unbuilt.empty()) {
        return "";
    }
    std::string note = std::string(kNotBuiltMark) + " not built yet:";
    for (const Feature feature : unbuilt) {
        note += " " + std::string(featureName(feature)) + ";";
    }
    note.back() = ' ';
    note +=
        "(their targets are never on screen, their queries answer absent, none or "
        "unavailable)";
    return wrapped(wordsOf(note), " ");
}

}  // namespace

std::string scenarioLanguageHelp() {
    std::set<Feature> unbuilt;
    const auto targets = targetWords(unbuilt);
    const auto queries = queryWords(unbuilt);
    return R"(scenario: one command a line, # starts a comment, "quoted words" may hold \" \\ \n
  device MODEL [ios VERSION] [screen WxH] [id IDENTIFIER]     (once, before launch)
  capability NAME on|off   prefs KEY=VALUE ...   prefs-raw "TEXT"   prefs-file PATH
  launch [BUNDLE_ID]   close   background   foreground
  tap TARGET|X Y   hold TARGET|X Y SECONDS   drag TARGET|X Y to X Y [SECONDS]
  scroll TARGET PAGES   shutter   wait SECONDS   rotate 1|2|3|4   mode photo|video
  panorama on|off   snapshot FILE   dump FILE   expect QUERY... VALUE

targets (touched at their centre):
)" + wrapped(targets) +
           "queries:\n" + wrapped(queries) + unbuiltNote(unbuilt) + "capabilities:\n" +
           wrapped(wordsOf(capabilityNameList()), " ") +
           "state names (expect state.NAME VALUE):\n" + wrapped(stateWords()) + R"(
conventions:
  tap, hold and drag take X Y in screen points, (0,0) at the top left of the portrait screen.
  frame TARGET answers x,y,width,height in the coordinates of the target's parent view;
  reticle.focus and reticle.exposure answer the reticle's origin (its top left corner).
  rotate 1 portrait, 2 upside down, 3 landscape (controls turned +90 degrees), 4 landscape
  (-90 degrees). Numbers are plain decimals (no exponents); expected ones compare to 3 decimals.
  docs/SCENARIOS.md: which targets show when (bar.* by photo or video mode), what bar.mode and
  device.*-mode answer, how selectors apply on scroll or tap, the held dial, the preference keys.

limits:
)" + wrapped(wordsOf(limits()), " ");
}

}  // namespace sim
