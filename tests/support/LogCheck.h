#pragma once

#include <mutex>
#include <regex>
#include <string>
#include <vector>

// Every line the engine's logger (orvo::ZqLog) writes while a test runs must be declared by that
// test, with how many times it comes; any other line, or a declared line seen a different number
// of times, fails the test when it ends. A line is compared without its colour escapes and
// without its line end, e.g.
//   trellin_test::expectLog("File Error: cannot open x.txt");
//   trellin_test::expectLogMatching("Rocket Error: .* line [0-9]+", 2);
// Lines written outside any test fail the program.
namespace trellin_test {

// The count of a declaration whose lines may come any number of times, none included.
constexpr int ANY_NUMBER = -1;

// The running test writes count lines that read exactly line.
void expectLog(const std::string& line, int count = 1);
// The running test writes count lines whose whole text matches the regular expression pattern
// (ECMAScript grammar).
void expectLogMatching(const std::string& pattern, int count = 1);

// Copies every text the logger writes during the running test to text, colour escapes
// included, until called with null (and at the latest until the test ends). The text must
// outlive the copying.
void copyLog(std::string* text);

// Makes the check the logger's console output again after the code under test installed its
// own (the game's start-up does): a test that leaves another output in place fails, since its
// lines went unchecked.
void captureLog();

class LogCapture;

// The state behind the functions above, driven by the test main: the logger's console output
// (a LogCapture) hands it every text, and it sorts the lines into the running test's.
class LogCheck {
public:
    // The process's check, which the functions above use.
    static LogCheck& instance();
    LogCheck() = default;

    // Installs a fresh capture as the logger's console output.
    void install();
    void beginTest();
    // The check of the test that ends: one message per failure, none when it passed. A test that
    // was skipped or failed already may have stopped before its declared lines: only lines it
    // did not declare, or more than it declared, fail it then.
    std::vector<std::string> endTest(bool stoppedEarly = false);
    // The lines written while no test ran, since the last call.
    std::vector<std::string> takeLinesOutsideTests();

    void expect(const std::string& text, bool pattern, int count);
    void copyTo(std::string* text);

    // From the capture.
    void write(const char* text);
    void captureGone(const LogCapture* capture);

private:
    struct Declaration {
        std::string text;
        bool pattern;
        std::regex expression;
        int count;
        int seen;
    };

    // Ends the line being written, if it has any text; called with the mutex held.
    void endLine();
    void record(const std::string& line);
    bool matches(const Declaration& declaration, const std::string& line) const;

    std::mutex mutex_;
    std::string partial_;
    std::string* copy_ = nullptr;
    const LogCapture* capture_ = nullptr;
    bool inTest_ = false;
    std::vector<Declaration> declarations_;
    std::vector<std::string> undeclared_;
    std::vector<std::string> outside_;
};

}  // namespace trellin_test
