#include "tools/common/Pipeprocess.h"

#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

} // namespace

PipeProcess::PipeProcess(const std::string& program) {
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2];
    if (pipe(in) != 0) return;
    if (pipe(out) != 0) {
        close(in[0]);
        close(in[1]);
        return;
    }
    pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        close(in[0]);
        close(in[1]);
        close(out[0]);
        close(out[1]);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    toChild = in[1];
    fromChild = out[0];
    if (pid < 0) {
        close(toChild);
        close(fromChild);
        toChild = fromChild = -1;
    }
}

PipeProcess::~PipeProcess() {
    Finish(1000);
}

void PipeProcess::Send(const std::string& line) {
    if (toChild < 0) return;
    const std::string text = line + "\n";
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(toChild, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

bool PipeProcess::ReadLine(std::string& line, int timeoutMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const size_t end = buffer.find('\n');
        if (end != std::string::npos) {
            line = buffer.substr(0, end);
            buffer.erase(0, end + 1);
            return true;
        }
        if (fromChild < 0) return false;
        pollfd p{fromChild, POLLIN, 0};
        if (poll(&p, 1, MsLeft(deadline)) <= 0) return false;
        char chunk[4096];
        const ssize_t n = read(fromChild, chunk, sizeof chunk);
        if (n <= 0) return false;
        buffer.append(chunk, static_cast<size_t>(n));
    }
}

bool PipeProcess::WaitFor(const std::string& prefix, std::string& line, int timeoutMs,
                          std::string* seen) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (ReadLine(line, MsLeft(deadline))) {
        if (seen) *seen += line + "\n";
        if (line.compare(0, prefix.size(), prefix) == 0) return true;
    }
    return false;
}

int PipeProcess::Finish(int timeoutMs) {
    if (pid <= 0) return -1;
    if (toChild >= 0) close(toChild);
    toChild = -1;
    int status = 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    pid_t done = 0;
    while ((done = waitpid(pid, &status, WNOHANG)) == 0 && MsLeft(deadline) > 0) usleep(1000);
    if (done == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    pid = -1;
    if (fromChild >= 0) close(fromChild);
    fromChild = -1;
    return done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
