// A small program the process tests start in place of a wrapper tool. Each
// argument is a step, done in order:
//   out:TEXT / err:TEXT  write TEXT ("\n" and "\r" become line breaks) and flush
//   sleep:MS             wait
//   exit:N / signal:N    end with status N / by signal N
//   ignore-term          ignore SIGTERM from here on
//   crlf-count:N         read standard input until N CR LF pairs came, then print "crlf N"
//   lines:COUNT:WIDTH    write COUNT lines of WIDTH characters
//   wait-file:PATH       wait until PATH exists
//   cwd                  print the current directory
//   --args               print every further argument as [arg] on its own line
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/std_streams.h"

namespace {

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'r')) {
      out.push_back(text[i + 1] == 'n' ? '\n' : '\r');
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

void WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) std::exit(3);
    done += static_cast<std::size_t>(n);
  }
}

void WriteLines(long count, long width) {
  std::string line(static_cast<std::size_t>(width), 'x');
  line.push_back('\n');
  std::string block;
  for (long i = 0; i < count; ++i) {
    block += line;
    if (block.size() >= 65536) {
      WriteAll(1, block);
      block.clear();
    }
  }
  WriteAll(1, block);
}

}  // namespace

int main(int argc, char** argv) {
  platform::BinaryStandardStreams();
  for (int i = 1; i < argc; ++i) {
    const std::string step = argv[i];
    const auto value = [&](std::size_t prefix) { return step.substr(prefix); };
    if (step.rfind("out:", 0) == 0) {
      WriteAll(1, Unescape(value(4)));
    } else if (step.rfind("err:", 0) == 0) {
      WriteAll(2, Unescape(value(4)));
    } else if (step.rfind("sleep:", 0) == 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::stol(value(6))));
    } else if (step.rfind("exit:", 0) == 0) {
      return std::stoi(value(5));
    } else if (step.rfind("signal:", 0) == 0) {
      std::signal(std::stoi(value(7)), SIG_DFL);
      std::raise(std::stoi(value(7)));
    } else if (step == "ignore-term") {
      std::signal(SIGTERM, SIG_IGN);
    } else if (step.rfind("crlf-count:", 0) == 0) {
      const long want = std::stol(value(11));
      long seen = 0;
      char previous = 0, c = 0;
      while (seen < want && ::read(0, &c, 1) == 1) {
        if (previous == '\r' && c == '\n') ++seen;
        previous = c;
      }
      WriteAll(1, "crlf " + std::to_string(seen) + "\n");
    } else if (step.rfind("lines:", 0) == 0) {
      const std::string size = value(6);
      const std::size_t colon = size.find(':');
      WriteLines(std::stol(size.substr(0, colon)), std::stol(size.substr(colon + 1)));
    } else if (step.rfind("wait-file:", 0) == 0) {
      while (::access(value(10).c_str(), F_OK) != 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    } else if (step == "cwd") {
      char buffer[4096];
      WriteAll(1, std::string(::getcwd(buffer, sizeof buffer) ? buffer : "?") + "\n");
    } else if (step == "--args") {
      for (int j = i + 1; j < argc; ++j) WriteAll(1, "[" + std::string(argv[j]) + "]\n");
      return 0;
    } else {
      WriteAll(2, "unknown step " + step + "\n");
      return 2;
    }
  }
  return 0;
}
