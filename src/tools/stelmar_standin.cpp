// Stands in for stelmar's wrapper tools and viewer in tests and demos: appends
// the name it was started as and its arguments, tab-separated, as one line to
// calls.log beside itself, and ends.
#include <fcntl.h>
#include <unistd.h>

#include <string>

#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef O_BINARY
#define O_BINARY 0
#endif

int main(int argc, char** argv) {
  const std::string self = argv[0];
  const std::size_t slash = self.find_last_of("/\\");
  const std::string dir = slash == std::string::npos ? "." : self.substr(0, slash);
  std::string line = slash == std::string::npos ? self : self.substr(slash + 1);
  for (int i = 1; i < argc; ++i) line += std::string("\t") + argv[i];
  line += '\n';
  const int fd = open((dir + "/calls.log").c_str(),
                      O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_BINARY, 0644);
  if (fd < 0) return 1;
  // One write, so lines of tools started together never interleave.
  const bool ok = write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
  close(fd);
  return ok ? 0 : 1;
}
