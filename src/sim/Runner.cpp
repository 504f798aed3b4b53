#include "sim/Runner.h"

#include "sim/Expectation.h"
#include "sim/Overloaded.h"
#include "sim/VisibleText.h"

namespace sim {
namespace {

// Hears the driver during the run and keeps the record of the step in progress.
class Run : public Reporter {
public:
    Run(Driver& driver, Timeline& timeline) : driver_(driver), timeline_(timeline) {}

    void execute(const Command& command) {
        current_ = &command;
        ++result_.steps;
        std::visit(Overloaded{
                       [&](const cmd::Expect& expect) { check(expect); },
                       [&](const auto& step) {
                           timeline_.step(driver_.now(), describe(command.body));
                           driver_.perform(step);
                       },
                   },
                   command.body);
    }

    void event(const std::string& text) override { timeline_.event(driver_.now(), text); }

    void stepFailed(const std::string& reason) override {
        const int line = current_ ? current_->line : 0;
        const std::string step = current_ ? describe(current_->body) : "start";
        fail({line, step, reason});
    }

    RunResult finish() {
        result_.virtualSeconds = driver_.now();
        return std::move(result_);
    }

private:
    void check(const cmd::Expect& expect) {
        ++result_.expectations;
        const std::string actual = driver_.query(expect.query);
        const std::string step = describe(current_->body);
        if (answerMatches(expect.expected, actual)) {
            timeline_.step(driver_.now(), step + ": ok");
        } else {
            fail({current_->line, step, "got " + quoteWord(actual)});
        }
    }

    void fail(Failure failure) {
        timeline_.failure(driver_.now(), describe(failure));
        result_.failures.push_back(std::move(failure));
    }

    Driver& driver_;
    Timeline& timeline_;
    const Command* current_ = nullptr;
    RunResult result_;
};

std::string counted(std::size_t count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

// Takes the driver's reports once the run that heard them is over.
class SilentReporter : public Reporter {
public:
    void event(const std::string&) override {}
    void stepFailed(const std::string&) override {}
};

}  // namespace

RunResult runScenario(const Scenario& scenario, Driver& driver, Timeline& timeline,
                      const StepDone& stepDone) {
    Run run(driver, timeline);
    driver.attach(run);
    for (const auto& command : scenario.commands) {
        run.execute(command);
        if (stepDone) {
            stepDone(command);
        }
    }
    static SilentReporter silent;
    driver.attach(silent);
    return run.finish();
}

std::string describe(const Failure& failure) {
    return "line " + std::to_string(failure.line) + ": " + failure.step + ": " + failure.reason;
}

void printSummary(const RunResult& result, std::ostream& out) {
    out << "summary: " << counted(result.steps, "step") << ", "
        << counted(result.expectations, "expectation") << ", " << formatTime(result.virtualSeconds)
        << " s of virtual time\n";
    for (const auto& failure : result.failures) {
        out << "  FAILED " << visibleText(describe(failure)) << '\n';
    }
    out << "result: "
        << (result.failures.empty() ? "passed" : counted(result.failures.size(), "failure"))
        << '\n';
}

}  // namespace sim
