#include "child_process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <sys/wait.h>
extern char** environ;
#endif

namespace files_test {

namespace {
std::string& programPath() {
    static std::string path;
    return path;
}
} // namespace

void setProgramPath(const char* argv0) {
#ifdef _WIN32
    (void)argv0;
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    programPath() = buffer;
#else
    (void)argv0;
    programPath() = "/proc/self/exe";
    char buffer[4096] = {};
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0) {
        programPath().assign(buffer, static_cast<size_t>(n));
    }
#endif
}

#ifdef _WIN32
struct ChildProcess::Impl {
    PROCESS_INFORMATION pi{};
    bool running = false;
};

ChildProcess::ChildProcess(const std::vector<std::string>& args) : impl_(std::make_unique<Impl>()) {
    std::string command = "\"" + programPath() + "\" --child";
    for (const std::string& a : args) {
        command += " \"" + a + "\"";
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    impl_->running = CreateProcessA(programPath().c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                    nullptr, nullptr, &si, &impl_->pi) != 0;
}

ChildProcess::~ChildProcess() {
    if (impl_->running) {
        kill();
        wait();
    }
}

bool ChildProcess::started() const {
    return impl_->running;
}

void ChildProcess::kill() {
    if (impl_->running) {
        TerminateProcess(impl_->pi.hProcess, 255);
    }
}

int ChildProcess::wait() {
    if (!impl_->running) {
        return -1;
    }
    WaitForSingleObject(impl_->pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(impl_->pi.hProcess, &code);
    CloseHandle(impl_->pi.hProcess);
    CloseHandle(impl_->pi.hThread);
    impl_->running = false;
    return code == 255 ? -1 : static_cast<int>(code);
}
#else
struct ChildProcess::Impl {
    pid_t pid = 0;
    bool running = false;
};

ChildProcess::ChildProcess(const std::vector<std::string>& args) : impl_(std::make_unique<Impl>()) {
    std::vector<std::string> all{programPath(), "--child"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    impl_->running =
        posix_spawn(&impl_->pid, programPath().c_str(), nullptr, nullptr, argv.data(), environ) == 0;
}

ChildProcess::~ChildProcess() {
    if (impl_->running) {
        kill();
        wait();
    }
}

bool ChildProcess::started() const {
    return impl_->running;
}

void ChildProcess::kill() {
    if (impl_->running) {
        ::kill(impl_->pid, SIGKILL);
    }
}

int ChildProcess::wait() {
    if (!impl_->running) {
        return -1;
    }
    int status = 0;
    waitpid(impl_->pid, &status, 0);
    impl_->running = false;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

} // namespace files_test
