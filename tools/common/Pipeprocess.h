// A program driven through its standard input and output, as a chess GUI drives an engine.
#pragma once

#include <string>
#include <sys/types.h>

class PipeProcess {
  public:
    // Starts `program` with no arguments; Started() says whether it runs.
    explicit PipeProcess(const std::string& program);
    // Closes its input and waits for it, killing it if it has not ended within a second.
    ~PipeProcess();
    PipeProcess(const PipeProcess&) = delete;
    PipeProcess& operator=(const PipeProcess&) = delete;

    bool Started() const { return pid > 0; }

    // Writes one line and its line end.
    void Send(const std::string& line);

    // Reads the next line, waiting at most `timeoutMs`; false on time-out or end of output.
    bool ReadLine(std::string& line, int timeoutMs);

    // Reads lines until one begins with `prefix` and leaves it in `line`; every line read is
    // appended to `seen` when given. False on time-out or end of output.
    bool WaitFor(const std::string& prefix, std::string& line, int timeoutMs,
                 std::string* seen = nullptr);

    // Closes the program's input and returns its exit status (-1 if killed or lost).
    int Finish(int timeoutMs);

  private:
    pid_t pid = -1;
    int toChild = -1;
    int fromChild = -1;
    std::string buffer;
};
