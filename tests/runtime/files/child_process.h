// Runs this test program again as a child process ("PROGRAM --child ARGS..."),
// natively with posix_spawn and on Windows with CreateProcessA; kills it the
// hard way (SIGKILL, TerminateProcess).
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace files_test {

class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& args);
    ~ChildProcess(); // kills a child still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const;
    void kill();
    // Waits for the child to end; its exit code (-1 when killed).
    int wait();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The test program's own path; set by main.
void setProgramPath(const char* argv0);

} // namespace files_test
