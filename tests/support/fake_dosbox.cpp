// Takes DOSBox's place where a test needs no emulator: started as the shell starts DOSBox,
// it writes a small template for "-c "CONFIG -writeconf NAME"", and for "-conf NAME" it
// appends its arguments and working directory to dosbox.runs in the working directory.
#include <unistd.h>

#include <fstream>
#include <string>

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "-c" && argc > 2) {
    const std::string command = argv[2];
    const std::string writeconf = "CONFIG -writeconf ";
    const std::size_t at = command.find(writeconf);
    if (at == std::string::npos) return 2;
    std::ofstream(command.substr(at + writeconf.size()), std::ios::binary)
        << "[cpu]\ncycles=auto\n\n[autoexec]\n# Lines in this section will be run at startup.\n";
    return 0;
  }
  if (first != "-conf") return 2;
  std::ofstream runs("dosbox.runs", std::ios::binary | std::ios::app);
  for (int i = 1; i < argc; ++i) runs << argv[i] << '|';
  char cwd[4096];
  runs << (::getcwd(cwd, sizeof cwd) ? cwd : "?") << '\n';
  return 0;
}
