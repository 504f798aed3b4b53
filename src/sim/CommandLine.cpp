#include "sim/CommandLine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <system_error>

#include "sim/DefaultTour.h"
#include "sim/HelpText.h"
#include "sim/LineReader.h"
#include "sim/Pictures.h"
#include "sim/RegularFile.h"
#include "sim/Report.h"
#include "sim/Runner.h"
#include "sim/ScenarioError.h"
#include "sim/ScenarioParser.h"
#include "sim/TemporaryFolder.h"
#include "sim/VisibleText.h"

namespace sim {
namespace {

constexpr std::string_view kProgram = "snapforge-sim";
// Far more than any scenario a person writes; a larger file is not a scenario.
constexpr std::size_t kLargestScenario = std::size_t{1} << 20;

// The value of an option given as `--name VALUE` or `--name=VALUE`; advances `i` past it.
std::optional<std::string> optionValue(const std::vector<std::string>& args, std::size_t& i,
                                       std::string_view name) {
    const std::string& arg = args[i];
    if (arg.size() > name.size()) {
        return arg.substr(name.size() + 1);
    }
    if (i + 1 == args.size()) {
        return std::nullopt;
    }
    return args[++i];
}

// The non-empty name after an option that takes a file or a folder (`what`), or nothing with
// `error` saying what it needs.
std::optional<std::filesystem::path> pathValue(const std::vector<std::string>& args, std::size_t& i,
                                               const std::string& name, std::string_view what,
                                               std::string& error) {
    const auto value = optionValue(args, i, name);
    if (!value || value->empty()) {
        error = name + " needs " + std::string(what);
        return std::nullopt;
    }
    return *value;
}

bool isOption(const std::string& arg, std::string_view name) {
    return arg.starts_with(name) && (arg.size() == name.size() || arg[name.size()] == '=');
}

struct ScenarioSource {
    std::string label;
    std::string text;
    std::filesystem::path folder;
};

std::optional<ScenarioSource> readScenario(const Options& options, std::ostream& err) {
    if (!options.scenario) {
        return ScenarioSource{"default tour", std::string(kDefaultTour),
                              std::filesystem::current_path()};
    }
    const auto& path = *options.scenario;
    std::string error;
    auto text = readRegularFile(path, kLargestScenario, error);
    if (!text) {
        err << kProgram << ": cannot read scenario " << quotedForMessage(path.string()) << ": it "
            << error << '\n';
        return std::nullopt;
    }
    auto folder = path.parent_path();
    return ScenarioSource{visibleText(path.string()), std::move(*text),
                          folder.empty() ? "." : folder};
}

struct LoadedScenario {
    std::string label;
    Scenario scenario;
};

// The scenario read and parsed, or nothing once the error is told.
std::optional<LoadedScenario> loadScenario(const Options& options, std::ostream& err) {
    const auto source = readScenario(options, err);
    if (!source) {
        return std::nullopt;
    }
    try {
        return LoadedScenario{source->label, parseScenario(source->text, source->folder)};
    } catch (const ScenarioError& scenarioError) {
        err << kProgram << ": " << source->label << ": " << scenarioError.what() << '\n';
        return std::nullopt;
    }
}

bool makeFolder(const std::filesystem::path& folder, std::string_view role, std::ostream& err) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder)) {
        err << kProgram << ": cannot use " << quotedForMessage(folder.string()) << " as the "
            << role << '\n';
        return false;
    }
    return true;
}

// What a run's driver is told whatever its device root.
std::optional<DriverSettings> commonSettings(const Options& options, std::ostream& err) {
    DriverSettings settings;
    settings.libraryLog = options.libraryLog;
    settings.pictures = options.pictures ? builtPictures() : std::nullopt;
    settings.snapshotFolder = options.snapshotFolder.value_or(std::filesystem::current_path());
    if (options.snapshotFolder && !makeFolder(settings.snapshotFolder, "snapshot folder", err)) {
        return std::nullopt;
    }
    return settings;
}

std::optional<DriverSettings> prepareFolders(const Options& options, TemporaryRoot& temporary,
                                             std::ostream& err) {
    const auto root = options.deviceRoot ? options.deviceRoot : makeTemporaryFolder();
    if (!root) {
        err << kProgram << ": cannot make a temporary device root\n";
        return std::nullopt;
    }
    if (!options.deviceRoot && !options.keepRoot) {
        temporary.removeAtExit(*root);
    }
    if (!makeFolder(*root, "device root", err)) {
        return std::nullopt;
    }
    auto settings = commonSettings(options, err);
    if (settings) {
        settings->deviceRoot = *root;
    }
    return settings;
}

// Whether the report can be written, asked before the run so that a long run is not lost to a
// bad path. The file is opened as the end of the run will write it, without waiting on a FIFO;
// a file made here is written over then.
bool reportWritable(const std::filesystem::path& path, std::ostream& err) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644);
    struct stat status {};
    const bool regular = fd >= 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const std::string reason = fd < 0 ? std::strerror(errno) : "it is not a regular file";
    if (fd >= 0) {
        ::close(fd);
    }
    if (!regular) {
        err << kProgram << ": cannot write the report " << quotedForMessage(path.string()) << ": "
            << reason << '\n';
    }
    return regular;
}

bool writeReport(const std::filesystem::path& path, const std::string& page, std::ostream& out,
                 std::ostream& err) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << page;
    if (!file.flush()) {
        err << kProgram << ": cannot write the report " << quotedForMessage(path.string()) << '\n';
        return false;
    }
    std::error_code ec;
    const auto shown = std::filesystem::absolute(path, ec);
    out << "report: " << visibleText((ec ? path : shown).string()) << '\n';
    return true;
}

// What goes together with --live and what does not; empty when all is well.
std::string liveConflict(const Options& options, bool portGiven) {
    if (portGiven && !options.live) {
        return "--port goes with --live";
    }
    if (options.tokenFile && !options.live) {
        return "--token-file goes with --live";
    }
    if (options.live && options.report) {
        return "--report does not go with --live: the page shows the run as it happens";
    }
    if (options.live && (options.deviceRoot || options.keepRoot)) {
        return "--live gives every phone a fresh device root: leave out --root and --keep-root";
    }
    return {};
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    bool optionsEnded = false;
    bool portGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool looksLikeOption = !optionsEnded && arg.size() > 1 && arg.front() == '-';
        if (!looksLikeOption) {
            if (options.scenario) {
                error = "one scenario at most, got " +
                        quotedForMessage(options.scenario->string()) + " and " +
                        quotedForMessage(arg);
                return std::nullopt;
            }
            options.scenario = arg;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--log") {
            options.libraryLog = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--no-pictures") {
            options.pictures = false;
        } else if (isOption(arg, "--report")) {
            options.report = pathValue(args, i, "--report", "a file name", error);
            if (!options.report) {
                return std::nullopt;
            }
        } else if (arg == "--keep-root") {
            options.keepRoot = true;
        } else if (arg == "--live") {
            options.live = true;
        } else if (isOption(arg, "--port")) {
            const auto value = optionValue(args, i, "--port");
            const auto port = value ? integerFrom<int>(*value) : std::nullopt;
            if (!port || *port < 0 || *port > 65535) {
                error = "--port needs a port number from 0 (any free port) to 65535";
                return std::nullopt;
            }
            options.port = *port;
            portGiven = true;
        } else if (isOption(arg, "--token-file")) {
            options.tokenFile = pathValue(args, i, "--token-file", "a file name", error);
            if (!options.tokenFile) {
                return std::nullopt;
            }
        } else if (isOption(arg, "--root") || isOption(arg, "--snapshots")) {
            const std::string name = isOption(arg, "--root") ? "--root" : "--snapshots";
            auto& folder = name == "--root" ? options.deviceRoot : options.snapshotFolder;
            folder = pathValue(args, i, name, "a folder", error);
            if (!folder) {
                return std::nullopt;
            }
        } else {
            error = "unknown option " + visibleText(arg);
            return std::nullopt;
        }
    }
    error = liveConflict(options, portGiven);
    if (!error.empty()) {
        return std::nullopt;
    }
    return options;
}

std::string usage() {
    return R"(usage: snapforge-sim [options] [SCENARIO]

Runs SCENARIO, or the built-in default tour, on a simulated phone and prints its timeline
and a summary.

options:
  --root DIR        the device root folder (default: a fresh temporary folder, removed at exit)
  --keep-root       keep the temporary device root and print where it is
  --log             turn the library's diagnostics on
  --snapshots DIR   where snapshot steps write their pictures (default: the current folder)
  --quiet           print only failures and the summary
  --no-pictures     leave the library's image folder as it is (empty on a fresh root)
  --report FILE     write a page to watch the run: timeline, screen after every step
  --live            play with the camera in a browser: one phone (SCENARIO played first, if
                    given), a page and its API served on 127.0.0.1; the last line printed is
                    the page's address with the session's token; Ctrl-C stops it
  --port N          the port of --live (default )" +
           std::to_string(kDefaultLivePort) + R"(; 0 takes any free port)
  --token-file FILE keep the session token of --live in FILE (made if missing), so that a
                    restarted server lets its open pages back in
  --help            print this help

)" + scenarioLanguageHelp() +
           R"(
exit status: 0 when every expectation held, 1 when a step or an expectation failed,
2 for a scenario error or a bad command line
)";
}

namespace {

int runLiveCamera(const Options& options, std::ostream& out, std::ostream& err,
                  const LiveRunner& runLive) {
    if (!runLive) {
        err << kProgram << ": this build has no live camera\n";
        return kExitScenarioError;
    }
    std::optional<Scenario> opening;
    if (options.scenario) {
        auto loaded = loadScenario(options, err);
        if (!loaded) {
            return kExitScenarioError;
        }
        opening = std::move(loaded->scenario);
    }
    auto settings = commonSettings(options, err);
    if (!settings) {
        return kExitScenarioError;
    }
    return runLive({options.port, std::move(*settings), std::move(opening), options.tokenFile,
                    options.quiet, out, err});
}

int runChecked(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const DriverFactory& makeDriver, const LiveRunner& runLive) {
    std::string error;
    const auto options = parseOptions(args, error);
    if (!options) {
        err << kProgram << ": " << error << " (see --help)\n";
        return kExitScenarioError;
    }
    if (options->help) {
        out << usage();
        return kExitPassed;
    }
    if (options->live) {
        return runLiveCamera(*options, out, err, runLive);
    }
    const auto loaded = loadScenario(*options, err);
    if (!loaded) {
        return kExitScenarioError;
    }
    if (options->report && !reportWritable(*options->report, err)) {
        return kExitScenarioError;
    }
    const Scenario& scenario = loaded->scenario;
    TemporaryRoot temporary;
    const auto settings = prepareFolders(*options, temporary, err);
    if (!settings) {
        return kExitScenarioError;
    }
    if (options->keepRoot && !options->deviceRoot) {
        out << "device root (kept): " << visibleText(settings->deviceRoot.string()) << '\n';
    } else if (options->deviceRoot && !options->quiet) {
        out << "device root: " << visibleText(settings->deviceRoot.string()) << '\n';
    }
    RunResult result;
    ReportRecorder recorder;
    {
        const auto driver = makeDriver(*settings);
        Timeline timeline(out, options->quiet);
        StepDone stepDone;
        if (options->report) {
            timeline.listen(&recorder);
            stepDone = [&](const Command& command) { recorder.stepDone(command, *driver); };
        }
        result = runScenario(scenario, *driver, timeline, stepDone);
    }
    printSummary(result, out);
    if (options->report) {
        return writeReport(*options->report, recorder.page(loaded->label, result), out, err)
                   ? result.exitStatus()
                   : kExitScenarioError;
    }
    return result.exitStatus();
}

}  // namespace

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const DriverFactory& makeDriver, const LiveRunner& runLive) {
    // Whatever goes wrong, the simulator ends with a message and a status, never an abort.
    try {
        return runChecked(args, out, err, makeDriver, runLive);
    } catch (const std::exception& failure) {
        err << kProgram << ": the simulator failed: " << failure.what() << '\n';
    } catch (...) {
        err << kProgram << ": the simulator failed\n";
    }
    return kExitScenarioError;
}

}  // namespace sim
