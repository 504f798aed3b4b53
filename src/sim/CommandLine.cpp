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
#include "sim/Pictures.h"
#include "sim/RegularFile.h"
#include "sim/Report.h"
#include "sim/Runner.h"
#include "sim/ScenarioError.h"
#include "sim/ScenarioParser.h"
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

std::optional<std::filesystem::path> makeTemporaryFolder() {
    std::error_code ec;
    auto base = std::filesystem::temp_directory_path(ec);
    std::string pattern = ((ec ? "/tmp" : base) / "snapforge-sim-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return std::nullopt;
    }
    return std::filesystem::path(pattern);
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

// The device root a run made for itself, removed when the run ends unless it is to be kept.
class TemporaryRoot {
public:
    TemporaryRoot() = default;
    TemporaryRoot(const TemporaryRoot&) = delete;
    TemporaryRoot& operator=(const TemporaryRoot&) = delete;
    ~TemporaryRoot() {
        if (path_) {
            std::error_code ec;
            std::filesystem::remove_all(*path_, ec);
        }
    }

    void removeAtExit(std::filesystem::path path) { path_ = std::move(path); }

private:
    std::optional<std::filesystem::path> path_;
};

std::optional<DriverSettings> prepareFolders(const Options& options, TemporaryRoot& temporary,
                                             std::ostream& err) {
    DriverSettings settings;
    settings.libraryLog = options.libraryLog;
    settings.pictures = options.pictures ? builtPictures() : std::nullopt;
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
    settings.deviceRoot = *root;
    settings.snapshotFolder = options.snapshotFolder.value_or(std::filesystem::current_path());
    if (options.snapshotFolder && !makeFolder(settings.snapshotFolder, "snapshot folder", err)) {
        return std::nullopt;
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

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    bool optionsEnded = false;
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
            auto value = optionValue(args, i, "--report");
            if (!value || value->empty()) {
                error = "--report needs a file name";
                return std::nullopt;
            }
            options.report = *value;
        } else if (arg == "--keep-root") {
            options.keepRoot = true;
        } else if (isOption(arg, "--root") || isOption(arg, "--snapshots")) {
            const std::string name = isOption(arg, "--root") ? "--root" : "--snapshots";
            auto value = optionValue(args, i, name);
            if (!value || value->empty()) {
                error = name + " needs a folder";
                return std::nullopt;
            }
            const bool root = name == "--root";
            (root ? options.deviceRoot : options.snapshotFolder) = *value;
        } else {
            error = "unknown option " + visibleText(arg);
            return std::nullopt;
        }
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
  --help            print this help

)" + scenarioLanguageHelp() +
           R"(
exit status: 0 when every expectation held, 1 when a step or an expectation failed,
2 for a scenario error or a bad command line
)";
}

namespace {

int runChecked(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const DriverFactory& makeDriver) {
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
    const auto source = readScenario(*options, err);
    if (!source) {
        return kExitScenarioError;
    }
    Scenario scenario;
    try {
        scenario = parseScenario(source->text, source->folder);
    } catch (const ScenarioError& scenarioError) {
        err << kProgram << ": " << source->label << ": " << scenarioError.what() << '\n';
        return kExitScenarioError;
    }
    if (options->report && !reportWritable(*options->report, err)) {
        return kExitScenarioError;
    }
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
        return writeReport(*options->report, recorder.page(source->label, result), out, err)
                   ? result.exitStatus()
                   : kExitScenarioError;
    }
    return result.exitStatus();
}

}  // namespace

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const DriverFactory& makeDriver) {
    // Whatever goes wrong, the simulator ends with a message and a status, never an abort.
    try {
        return runChecked(args, out, err, makeDriver);
    } catch (const std::exception& failure) {
        err << kProgram << ": the simulator failed: " << failure.what() << '\n';
    } catch (...) {
        err << kProgram << ": the simulator failed\n";
    }
    return kExitScenarioError;
}

}  // namespace sim
